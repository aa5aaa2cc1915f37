#include "uninstaller/removal/profile_rules.h"

#include <algorithm>
#include <iterator>

namespace {

// The folders below AppData where programs keep their per-user data.
const char* const kApplicationDataFolders[] = {"LOCAL", "ROAMING", "LOCALLOW"};

// What Windows and the shell keep directly in those folders: their own
// trees (Microsoft holds the Start menu, the caches, the credentials), the
// user's temporary folder, the per-user program folder and the store apps'
// data, the known folders that Windows places there, the store of the
// writes it redirects away from protected folders, and the links that
// older programs still follow.
const char* const kKeptApplicationDataFolders[] = {
    "MICROSOFT",          "TEMP",        "PROGRAMS",     "PACKAGES",    "VIRTUALSTORE",
    "DESKTOP",            "DOCUMENTS",   "FAVORITES",    "PROGRAMDATA", "CRASHDUMPS",
    "D3DSCACHE",          "PUBLISHERS",  "COMMS",        "CONNECTEDDEVICESPLATFORM",
    "APPLICATION DATA",   "HISTORY",     "TEMPORARY INTERNET FILES",
};

template <std::size_t N>
bool IsOneOf(const std::string& name, const char* const (&names)[N])
{
    return std::find(std::begin(names), std::end(names), name) != std::end(names);
}

}  // namespace

CString ProfileFolderRefusal(const std::vector<std::string>& names)
{
    if (names.empty())
        return "a user's profile";
    if (names[0] != "APPDATA" || names.size() < 2 || !IsOneOf(names[1], kApplicationDataFolders))
        return "a user's profile holds it (only folders below AppData\\Local, AppData\\Roaming and "
               "AppData\\LocalLow may go)";
    if (names.size() == 2)
        return "a user's folder of application data";
    const std::string& owner = names[2];
    // Nothing below Microsoft belongs to a product: the Start menu, the
    // SendTo folder and the credentials all live there.
    if (owner == "MICROSOFT")
        return "Windows' own folder in a user's application data, or inside it";
    if (IsOneOf(owner, kKeptApplicationDataFolders) && names.size() == 3)
        return "a folder Windows keeps in a user's application data";
    // The known folder of programs that every per-user product shares.
    if (owner == "PROGRAMS" && names.size() == 4 && names[3] == "COMMON")
        return "a folder Windows keeps in a user's application data";
    return CString();
}
