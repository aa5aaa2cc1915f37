// kelrun's tree guard end to end: installation folders that name a
// protected folder under another drive letter, behind a link or inside a
// profile are refused; products under other names for ordinary folders are
// removed; and the removal report never writes through a link.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/kelrun_e2e_support_win.h"

namespace {

using namespace testsupport;
using namespace kelrune2e;

std::string UserProfile()
{
    char profile[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableA("USERPROFILE", profile, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(profile, length) : std::string();
}

// Runs a silent removal of the whole installation folder `folder` and gives
// the report's REMOVEALL line.
std::string RemoveAllOf(const std::string& folder)
{
    Product product("guard");
    product.Register("Sample Guard", folder);
    product.WriteLog("REMOVEALL=1\r\n");
    EXPECT_EQ(RunAnsweringEverything("/S " + product.Code()), 0);
    std::string line;
    for (const std::string& candidate : product.Report()) {
        if (candidate.rfind("REMOVEALL ", 0) == 0)
            line = candidate;
    }
    return line;
}

TEST(KelrunGuardE2E, AProtectedFolderUnderAnotherNameIsRefused)
{
    const std::string profile = UserProfile();
    ASSERT_FALSE(profile.empty());
    const std::string user = profile.substr(profile.rfind('\\') + 1);
    const std::string inWindows = WindowsFolder() + "\\" + UniqueName("kelrun-data");
    MakeFolders(inWindows);
    WriteFile(inWindows + "\\config.dat", "system");
    DriveLetter windowsDrive('W', WindowsFolder());
    ASSERT_TRUE(windowsDrive.Made());
    // "C:\Documents and Settings" is such a link on every Windows since Vista.
    const std::string settings = "C:\\" + UniqueName("Documents and Settings");
    ASSERT_TRUE(MakeFolderLink(settings, profile.substr(0, profile.rfind('\\'))));
    const std::string documents = profile + "\\Documents\\" + UniqueName("kelrun-canary") + ".txt";
    WriteFile(documents, "the user's");
    const std::string ownData = profile + "\\AppData\\Local\\" + UniqueName("Vendor") + "\\settings.ini";
    MakeFolders(ownData.substr(0, ownData.rfind('\\')));
    WriteFile(ownData, "the user's");

    for (const std::string& folder :
         {"W:\\" + inWindows.substr(inWindows.rfind('\\') + 1) + "\\", settings + "\\" + user + "\\",
          profile + "\\Documents\\", profile + "\\AppData\\Local", profile + "\\Favorites"}) {
        SCOPED_TRACE("LastInstallationPath: " + folder);
        const std::string line = RemoveAllOf(folder);
        EXPECT_NE(line.find(": refused by the tree guard: "), std::string::npos) << line;
        EXPECT_TRUE(PathExists(inWindows + "\\config.dat"));
        EXPECT_TRUE(PathExists(documents));
        EXPECT_TRUE(PathExists(ownData));
    }
    ::DeleteFileA(documents.c_str());
    RemoveTree(ownData.substr(0, ownData.rfind('\\')));
    RemoveTree(inWindows);
}

// Other names for ordinary folders change nothing: the product goes, and
// the drive letter or link that led to it stays.
TEST(KelrunGuardE2E, AProductUnderAnotherNameOrInAppDataIsRemoved)
{
    ScratchFolder real("real", "C:\\");
    MakeFolders(real.Path() + "\\ByDrive\\bin");
    WriteFile(real.Path() + "\\ByDrive\\bin\\app.exe", "x");
    MakeFolders(real.Path() + "\\ByLink\\bin");
    WriteFile(real.Path() + "\\ByLink\\bin\\app.exe", "x");
    DriveLetter drive('V', real.Path());
    ASSERT_TRUE(drive.Made());
    const std::string link = "C:\\" + UniqueName("Linked Apps");
    ASSERT_TRUE(MakeFolderLink(link, real.Path()));
    const std::string perUser = UserProfile() + "\\AppData\\Local\\Programs\\" + UniqueName("Sample");
    MakeFolders(perUser + "\\bin");
    WriteFile(perUser + "\\bin\\app.exe", "x");

    EXPECT_EQ(RemoveAllOf("V:\\ByDrive\\").find(": removed"), std::string("REMOVEALL V:\\ByDrive").size());
    EXPECT_FALSE(PathExists(real.Path() + "\\ByDrive"));
    EXPECT_TRUE(PathExists("V:\\"));
    RemoveAllOf(link + "\\ByLink\\");
    EXPECT_FALSE(PathExists(real.Path() + "\\ByLink"));
    EXPECT_TRUE(PathExists(link));
    RemoveAllOf(perUser + "\\");
    EXPECT_FALSE(PathExists(perUser));
    EXPECT_TRUE(PathExists(UserProfile() + "\\AppData\\Local\\Programs"));
    RemoveTree(link);
}

// A link planted under the report's name in %TEMP%: the report replaces the
// link and what it led to stays as it was.
TEST(KelrunGuardE2E, TheReportNeverWritesThroughALink)
{
    ScratchFolder scratch("report-target");
    const std::string precious = scratch.Path() + "\\precious.txt";
    WriteFile(precious, "keep");
    Product product("report-link");
    product.Register("Sample Report Link");
    const std::string app = product.File("app.exe");
    product.WriteLog("FILE=" + app + "\r\n");
    ASSERT_TRUE(MakeFileLink(ReportPath(product.Code()), precious));

    EXPECT_EQ(RunAnsweringEverything("/S " + product.Code()), 0);
    EXPECT_EQ(ReadFile(precious), "keep");
    const std::vector<std::string> report = product.Report();
    EXPECT_TRUE(HasLine(report, "FILE " + app + ": removed"));
    ASSERT_FALSE(report.empty());
    EXPECT_EQ(report.back(), "Exit code: 0 (the removal ran)");
}

}  // namespace
