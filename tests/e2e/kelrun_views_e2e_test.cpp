// What a 32-bit kelrun sees on 64-bit Windows differs from what a 64-bit one
// sees: HKEY_LOCAL_MACHINE\Software comes in two views, and there are two
// program folders and two system folders. These tests run against each
// build; the other view holds a twin of what the product registered, so a
// program that reads or deletes in the wrong view fails here.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/kelrun_e2e_support_win.h"

namespace {

using namespace testsupport;
using namespace kelrune2e;

TEST(KelrunViewsE2E, TheUninstallKeyAndLoggedValuesAreReadAndDeletedInTheProgramsView)
{
    Product product("view");
    product.Register("Sample View");
    product.File("app.exe");
    // The other view names another product in another folder, which must
    // survive: a kelrun that read that view would wipe it.
    ScratchFolder otherFolder("other-view");
    const std::string otherCanary = otherFolder.Path() + "\\canary.txt";
    WriteFile(otherCanary, "keep");
    product.Register("Sample Other View", otherFolder.Path() + "\\", kOtherView);
    const std::string valueKey = "Software\\Kelrun E2E\\" + UniqueName("view");
    SetStringValue(HKEY_LOCAL_MACHINE, valueKey, "Version", "1.0");
    SetStringValue(HKEY_LOCAL_MACHINE, valueKey, "Version", "1.0", kOtherView);
    product.WriteLog("REGVAL=HKEY_LOCAL_MACHINE\\" + valueKey + "\\Version\r\nREMOVEALL=1\r\n");

    EXPECT_EQ(RunAnsweringEverything("/S " + product.Code()), 0);

    const std::vector<std::string> report = product.Report();
    EXPECT_TRUE(HasLine(report, "Product: Sample View"));
    EXPECT_TRUE(HasLine(report, "InstallFolder: " + product.InstallFolder() + "\\"));
    EXPECT_FALSE(PathExists(product.InstallFolder()));
    EXPECT_TRUE(PathExists(otherCanary));
    EXPECT_FALSE(ValueExists(HKEY_LOCAL_MACHINE, valueKey, "Version"));
    EXPECT_TRUE(ValueExists(HKEY_LOCAL_MACHINE, valueKey, "Version", kOtherView));
    EXPECT_FALSE(product.KeyExists());
    EXPECT_TRUE(product.KeyExists(kOtherView));
    DeleteKeyTree(HKEY_LOCAL_MACHINE, "Software\\Kelrun E2E");
    DeleteKeyTree(HKEY_LOCAL_MACHINE, "Software\\Kelrun E2E", kOtherView);
}

// A 32-bit program's %ProgramFiles% is "Program Files (x86)" and its System32
// is SysWOW64; the 64-bit folders keep their names. None of the four is a
// product's folder, whichever build runs.
TEST(KelrunViewsE2E, TheTreeGuardRefusesBothProgramFoldersAndBothSystemFolders)
{
    const std::string windows = WindowsFolder();
    for (const std::string& folder : {std::string("C:\\Program Files"), std::string("C:\\Program Files (x86)"),
                                      windows + "\\System32", windows + "\\SysWOW64"}) {
        SCOPED_TRACE("LastInstallationPath: " + folder);
        ASSERT_TRUE(PathExists(folder));
        Product product("guard-view");
        product.Register("Sample Guard View", folder + "\\");
        product.WriteLog("REMOVEALL=1\r\n");
        EXPECT_EQ(RunAnsweringEverything("/S " + product.Code()), 0);
        std::string removeAll;
        for (const std::string& line : product.Report()) {
            if (line.rfind("REMOVEALL ", 0) == 0)
                removeAll = line;
        }
        EXPECT_NE(removeAll.find(": refused by the tree guard: "), std::string::npos) << removeAll;
        EXPECT_TRUE(PathExists(folder));
        EXPECT_FALSE(product.KeyExists());
    }
}

}  // namespace
