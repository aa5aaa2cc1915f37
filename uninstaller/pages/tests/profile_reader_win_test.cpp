// The system's reader against the table that the in-memory reader follows.
#include <gtest/gtest.h>

#include <windows.h>

#include "tests/support/test_support_win.h"
#include "uninstaller/pages/memory_profile_reader.h"
#include "uninstaller/pages/page_loader.h"
#include "uninstaller/pages/profile_reader_win.h"
#include "uninstaller/pages/tests/profile_reader_cases.h"
#include "uninstaller/pages/tests/recording_page.h"

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

TEST(ProfileReaderWin, ReadsTheLineThatTheLocatorNames)
{
    testsupport::ScratchFolder folder("kelrun_profile_locate");
    ProfileReaderWin reader;
    MemoryProfileReader locator;
    int number = 0;
    for (const ProfileReadCase& c : ProfileReadCases()) {
        SCOPED_TRACE(c.what);
        locator.SetFile("", c.contents);
        const int line = locator.KeyLine("", c.section, c.key);
        const std::string path = folder.Path() + "\\alone" + std::to_string(number++) + ".lcd";
        testsupport::WriteFile(path, line == 0 ? std::string() : LocatedLineAlone(c, line));
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

struct LoadedPage {
    std::vector<std::string> events;
    std::vector<std::string> report;
    std::vector<std::string> records;
};

LoadedPage LoadWith(ProfileReader& reader, const CString& path)
{
    LoadedPage loaded;
    RecordingPage page;
    PageModel model(page);
    PageLoader loader(model, reader, page, [&loaded](const CString& line) { loaded.report.push_back(line.str()); });
    loader.LoadPageFile(path);
    loaded.events = page.events;
    for (int i = 0; i < model.ControlCount(); ++i) {
        const PageControl& control = model.Control(i);
        std::string record = control.IdName.str() + " " + std::to_string(control.ControlId);
        for (int j = 0; j < control.PropCount; ++j)
            record += " [" + control.PropNames[j].str() + "|" + control.PropValues[j].str() + "|" +
                      std::to_string(control.PropNumbers[j]) + "]";
        loaded.records.push_back(record);
    }
    return loaded;
}

TEST(ProfileReaderWin, LoadsTheSamplePagesLikeTheInMemoryReader)
{
    // The sample pages of the page fuzzer's corpus (*.lcd; inputs the fuzzer
    // found are kept without that extension), loaded through the system's
    // reader and through the stand-in that the unit tests and fuzzers use.
    const std::string folder = testsupport::WindowsPathOf(KELRUN_PAGE_CORPUS);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*.lcd").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    int pages = 0;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        SCOPED_TRACE(found.cFileName);
        const CString path = (folder + "\\" + found.cFileName).c_str();
        ProfileReaderWin system;
        MemoryProfileReader memory;
        memory.SetFile(path, testsupport::ReadFile(path.str()));
        const LoadedPage expected = LoadWith(system, path);
        const LoadedPage actual = LoadWith(memory, path);
        EXPECT_EQ(actual.events, expected.events);
        EXPECT_EQ(actual.report, expected.report);
        EXPECT_EQ(actual.records, expected.records);
        ++pages;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    EXPECT_GE(pages, 3);
}

}  // namespace
