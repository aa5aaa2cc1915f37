#include <gtest/gtest.h>

#include "uninstaller/pages/memory_profile_reader.h"
#include "uninstaller/pages/tests/profile_reader_cases.h"

namespace {

using namespace std::string_literals;

TEST(MemoryProfileReader, ReadsValuesLikeTheSystemReader)
{
    MemoryProfileReader reader;
    for (const ProfileReadCase& c : ProfileReadCases()) {
        SCOPED_TRACE(c.what);
        reader.SetFile("C:\\p\\page.lcd", c.contents);
        EXPECT_EQ(reader.ReadString("C:\\p\\page.lcd", c.section, c.key, c.bufferSize).str(), c.expected);
    }
}

TEST(MemoryProfileReader, ListsKeyNamesLikeTheSystemReader)
{
    MemoryProfileReader reader;
    for (const ProfileListCase& c : ProfileListCases()) {
        SCOPED_TRACE(c.what);
        reader.SetFile("C:\\p\\page.lcd", c.contents);
        std::vector<std::string> names;
        for (const CString& name : reader.ReadKeyNames("C:\\p\\page.lcd", c.section))
            names.push_back(name.str());
        EXPECT_EQ(names, c.expected);
    }
}

TEST(MemoryProfileReader, LocatesTheLineThatItReads)
{
    MemoryProfileReader reader;
    for (const ProfileReadCase& c : ProfileReadCases()) {
        SCOPED_TRACE(c.what);
        reader.SetFile("whole", c.contents);
        const int line = reader.KeyLine("whole", c.section, c.key);
        if (line == 0) {
            EXPECT_EQ(c.expected, "");
            continue;
        }
        reader.SetFile("alone", LocatedLineAlone(c, line));
        EXPECT_EQ(reader.ReadString("alone", c.section, c.key, c.bufferSize).str(), c.expected);
    }
    reader.SetFile("p", "; pages\r\n\r\n[A]\r\nk=1\r[B]\nk=2\n");
    EXPECT_EQ(reader.LineOf("p", "b", "K"), 6);
    EXPECT_EQ(reader.LineOf("p", "B", "missing"), 5);
    EXPECT_EQ(reader.LineOf("p", "C", "k"), 1);
}

TEST(MemoryProfileReader, AMissingFileReadsAsEmpty)
{
    MemoryProfileReader reader;
    reader.SetFile("C:\\p\\a.lcd", "[INFO]\nTOTAL=3\n");
    EXPECT_EQ(reader.ReadString("C:\\p\\b.lcd", "INFO", "TOTAL", 100).str(), "");
    EXPECT_TRUE(reader.ReadKeyNames("C:\\p\\b.lcd", "INFO").empty());
    reader.RemoveFile("C:\\p\\a.lcd");
    EXPECT_EQ(reader.ReadString("C:\\p\\a.lcd", "INFO", "TOTAL", 100).str(), "");
}

TEST(MemoryProfileReader, SeesNothingAfterANulByte)
{
    // The system's reader hands C strings on: a value ends at its first NUL.
    MemoryProfileReader reader;
    reader.SetFile("p", "[S]\nk=ab\0cd\nj\0x=1\n"s);
    EXPECT_EQ(reader.ReadString("p", "S", "k", 555).str(), "ab");
    EXPECT_EQ(reader.ReadString("p", "S", "j", 555).str(), "1");
    EXPECT_EQ(reader.ReadString("p", "S", "k", 0).str(), "");
}

}  // namespace
