// The system's reader against the table that the in-memory reader follows.
#include <gtest/gtest.h>

#include "tests/support/test_support_win.h"
#include "uninstaller/pages/profile_reader_win.h"
#include "uninstaller/pages/tests/profile_reader_cases.h"

namespace {

TEST(ProfileReaderWin, ReadsValuesAsTheTableSays)
{
    testsupport::ScratchFolder folder("kelrun_profile_read");
    ProfileReaderWin reader;
    int number = 0;
    for (const ProfileReadCase& c : ProfileReadCases()) {
        SCOPED_TRACE(c.what);
        const std::string path = folder.Path() + "\\case" + std::to_string(number++) + ".lcd";
        testsupport::WriteFile(path, c.contents);
        EXPECT_EQ(reader.ReadString(path.c_str(), c.section, c.key, c.bufferSize).str(), c.expected);
    }
}

TEST(ProfileReaderWin, ListsKeyNamesAsTheTableSays)
{
    testsupport::ScratchFolder folder("kelrun_profile_list");
    ProfileReaderWin reader;
    int number = 0;
    for (const ProfileListCase& c : ProfileListCases()) {
        SCOPED_TRACE(c.what);
        const std::string path = folder.Path() + "\\list" + std::to_string(number++) + ".lcd";
        testsupport::WriteFile(path, c.contents);
        std::vector<std::string> names;
        for (const CString& name : reader.ReadKeyNames(path.c_str(), c.section))
            names.push_back(name.str());
        EXPECT_EQ(names, c.expected);
    }
}

TEST(ProfileReaderWin, ListsASectionLargerThanTheFirstBuffer)
{
    testsupport::ScratchFolder folder("kelrun_profile_big");
    std::string contents = "[INFO]\r\n";
    for (int i = 0; i < 3000; ++i)
        contents += std::to_string(i) + "=BUTTON\r\n";
    const std::string path = folder.Path() + "\\big.lcd";
    testsupport::WriteFile(path, contents);
    const std::vector<CString> names = ProfileReaderWin().ReadKeyNames(path.c_str(), "INFO");
    ASSERT_EQ(names.size(), 3000u);
    EXPECT_EQ(names.front(), "0");
    EXPECT_EQ(names.back(), "2999");
}

TEST(ProfileReaderWin, AMissingFileReadsAsEmpty)
{
    testsupport::ScratchFolder folder("kelrun_profile_missing");
    const CString path = (folder.Path() + "\\none.lcd").c_str();
    ProfileReaderWin reader;
    EXPECT_EQ(reader.ReadString(path, "INFO", "TOTAL", 100), "");
    EXPECT_TRUE(reader.ReadKeyNames(path, "INFO").empty());
}

}  // namespace
