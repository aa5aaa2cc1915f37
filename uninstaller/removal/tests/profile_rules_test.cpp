#include <gtest/gtest.h>

#include "uninstaller/removal/profile_rules.h"

namespace {

// Per-user products live below AppData\Local, Roaming and LocalLow; what
// Windows and the shell keep there, and everything else of a profile, stays.
TEST(ProfileFolderRefusal, OnlyPerUserProductsBelowAppDataMayGo)
{
    const struct {
        const char* below;
        bool refused;
    } cases[] = {
        {"AppData\\Local\\Programs\\App", false},
        {"AppData\\Local\\Vendor\\App", false},
        {"appdata\\local\\vendor", false},
        {"AppData\\Roaming\\Vendor\\App\\", false},
        {"AppData\\LocalLow\\Vendor", false},
        {"AppData\\Local\\Temp\\Setup", false},
        {"AppData\\Local\\Programs\\Common\\Vendor", false},
        {"", true},
        {"\\", true},
        {"Documents", true},
        {"Documents\\App", true},
        {"Desktop", true},
        {"Favorites", true},
        {"Saved Games", true},
        {"AppData", true},
        {"AppData\\Local", true},
        {"AppData\\Local.", true},
        {"AppData\\LOCALLOW\\", true},
        {"AppData\\Roaming", true},
        {"AppData\\Other\\Vendor", true},
        {"AppData\\Local\\Programs", true},
        {"AppData\\Local\\Programs\\Common", true},
        {"AppData\\Local\\Microsoft", true},
        {"AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\App", true},
        {"AppData\\Local\\Microsoft\\App", true},
        {"AppData\\Local\\Temp", true},
        {"AppData\\Local\\Packages", true},
        {"AppData\\Local\\VirtualStore", true},
        {"AppData\\Local\\Application Data", true},
        {"AppData\\Local\\Vendor\\..\\..", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.below);
        EXPECT_EQ(!ProfileFolderRefusal(c.below).IsEmpty(), c.refused) << ProfileFolderRefusal(c.below).str();
    }
}

}  // namespace
