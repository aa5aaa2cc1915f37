// kelcheck.exe under Wine, read from outside: its output lines and its exit
// code (read on the Windows side), on the guide's example before and after
// installation, and on a folder with faults in each of its files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/kelrun_e2e_support_win.h"
#include "uninstaller/check/tests/guide_example.h"

namespace {

using namespace kelrune2e;
using Lines = std::vector<std::string>;

ProgramRun RunKelcheck(const std::string& argument)
{
    return RunWithOutput(uidriver::BuildCommandLine({WindowsPathOf(KELCHECK_PROGRAM), argument}), "", 60000);
}

// The guide's example written into `folder`, each edit replacing the first
// occurrence of a text in a file.
void WriteExample(const std::string& folder, const std::vector<std::vector<std::string>>& edits = {})
{
    MakeFolders(folder + "\\theme");
    for (auto file : GuideExample(WindowsPathOf(KELCHECK_GUIDE))) {
        for (const std::vector<std::string>& edit : edits) {
            if (edit[0] == file.first)
                file.second.replace(file.second.find(edit[1]), edit[1].size(), edit[2]);
        }
        WriteFile(folder + "\\" + file.first, file.second);
    }
}

TEST(KelcheckProgram, TheGuidesExampleChecksCleanBeforeInstallation)
{
    ScratchFolder folder("kelcheck-example");
    WriteExample(folder.Path());
    const ProgramRun run = RunKelcheck(folder.Path());
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.lines, Lines{"0 errors, 0 warnings"});
}

TEST(KelcheckProgram, NamesTheFaultsOfEachFileAtTheirLines)
{
    ScratchFolder folder("kelcheck-faults");
    // No language file; a relative FILE; a TEXT without colour; two pictures
    // beside the page, one of them there.
    WriteExample(folder.Path(), {{"uninstall.log", "FILE=C:\\Program Files\\Example\\example.exe", "FILE=example.exe"},
                                 {"theme\\uninstall.lcd", "Text Color|0,0,0", "Text Color|"},
                                 {"theme\\uninstall.lcd", "TOTAL=4",
                                  "TOTAL=6\r\n4=0,10,150,20,20,BITMAP,{logo.bmp},0,4\r\n"
                                  "5=0,40,150,20,20,BITMAP,{gone.bmp},0,5"}});
    WriteFile(folder.Path() + "\\theme\\logo.bmp", "BM");
    ::DeleteFileA((folder.Path() + "\\language.lan").c_str());
    const ProgramRun run = RunKelcheck(folder.Path());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.lines,
              (Lines{"uninstall.log:2: error: FILE \"example.exe\" is not a full path (C:\\... or "
                     "\\\\server\\share\\...): kelrun leaves it alone",
                     "language.lan:1: warning: missing: kelrun asks its own question, and its page shows no texts of "
                     "the product's",
                     "theme\\uninstall.lcd:22: warning: the BITMAP picture \"" + folder.Path() +
                         "\\theme\\gone.bmp\": no such file, so nothing is shown",
                     "theme\\uninstall.lcd:33: warning: a TEXT without \"Text Color\" (position 3) draws in the button "
                     "face colour, which hides it on most backgrounds",
                     "1 errors, 3 warnings"}));
}

TEST(KelcheckProgram, FindsAnInstalledProductAsKelrunDoes)
{
    Product product("kelcheck");
    product.Register("Example");
    WriteExample(product.ProductFolder());
    ProgramRun run = RunKelcheck(product.Code());
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.lines, Lines{"0 errors, 0 warnings"});

    // The tree guard's verdict needs the installation folder.
    product.Register("Example", "C:\\windows\\system32\\");
    run = RunKelcheck(product.Code());
    EXPECT_EQ(run.exitCode, 1);
    ASSERT_EQ(run.lines.size(), 2u);
    EXPECT_EQ(run.lines[0].rfind("uninstall.log:11: error: REMOVEALL: kelrun's tree guard refuses the installation "
                                 "folder \"C:\\windows\\system32\": ",
                                 0),
              0u)
        << run.lines[0];
}

TEST(KelcheckProgram, ReadsNothingWithoutAFolderOrProduct)
{
    for (const char* argument : {"Z:\\no\\such\\folder", "{NO-SUCH-PRODUCT}"}) {
        SCOPED_TRACE(argument);
        const ProgramRun run = RunKelcheck(argument);
        EXPECT_EQ(run.exitCode, 2);
        ASSERT_EQ(run.lines.size(), 1u);
        EXPECT_EQ(run.lines[0].rfind("kelcheck: no ", 0), 0u) << run.lines[0];
    }
}

}  // namespace
