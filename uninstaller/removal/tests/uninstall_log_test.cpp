#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "uninstaller/removal/uninstall_log.h"

namespace {

using namespace std::string_literals;

std::vector<std::string> Lines(std::string_view contents)
{
    std::vector<std::string> lines;
    ForEachLogLine(contents, [&](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

TEST(ParseLogLine, SplitsAtTheFirstEqualsSignAndComparesKeysExactly)
{
    const struct {
        std::string line;
        RecordKind kind;
        const char* key;
        const char* value;
    } cases[] = {
        {"FILE=C:\\a=b.txt", RecordKind::File, "FILE", "C:\\a=b.txt"},
        {"FILE=", RecordKind::File, "FILE", ""},
        {"REGVAL= spaced value ", RecordKind::RegVal, "REGVAL", " spaced value "},
        {"FILE = x", RecordKind::Ignored, "FILE ", " x"},
        {"file=x", RecordKind::Ignored, "file", "x"},
        {" FILE=x", RecordKind::Ignored, " FILE", "x"},
        {"no equals sign", RecordKind::Ignored, "", ""},
        {"", RecordKind::Ignored, "", ""},
        {"=value", RecordKind::Ignored, "", "value"},
        {"DIR=C:\\A\nB", RecordKind::Dir, "DIR", "C:\\AB"},
        {"TOTALFILE=3", RecordKind::TotalFile, "TOTALFILE", "3"},
        {"SHORTCUT=s", RecordKind::Shortcut, "SHORTCUT", "s"},
        {"NTSERVICE=svc", RecordKind::NtService, "NTSERVICE", "svc"},
        {"RUN3RD=t", RecordKind::Run3rd, "RUN3RD", "t"},
        {"RUN3RDCMD=c", RecordKind::Run3rdCmd, "RUN3RDCMD", "c"},
        {"REMOVEALL=1", RecordKind::RemoveAll, "REMOVEALL", "1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const LogRecord record = ParseLogLine(c.line);
        EXPECT_EQ(record.kind, c.kind);
        EXPECT_EQ(record.key, c.key);
        EXPECT_EQ(record.value, c.value);
    }
}

TEST(ParseLogLine, IgnoresALineHoldingANulByte)
{
    // Windows would see "C:\Data" and act on the wrong path.
    EXPECT_EQ(ParseLogLine("FILE=C:\\Data\0\\x.txt"s).kind, RecordKind::Ignored);
}

TEST(ForEachLogLine, ReadsLineFeedAndCarriageReturnLineFeedAlike)
{
    const std::vector<std::string> expected = {"FILE=a", "", "DIR=b"};
    EXPECT_EQ(Lines("FILE=a\n\nDIR=b\n"), expected);
    EXPECT_EQ(Lines("FILE=a\r\n\r\nDIR=b\r\n"), expected);
    EXPECT_EQ(Lines("FILE=a\r\n\nDIR=b"), expected);
}

TEST(ForEachLogLine, KeepsCarriageReturnsThatEndNoLine)
{
    EXPECT_EQ(Lines("A=x\ry\r\r\n"), std::vector<std::string>{"A=x\ry\r"});
}

TEST(ForEachLogLine, HandsOnEveryLineOnceWithNothingAfterTheEnd)
{
    EXPECT_TRUE(Lines("").empty());
    EXPECT_EQ(Lines("\n"), std::vector<std::string>{""});
    EXPECT_EQ(Lines("A=1\nB=2"), (std::vector<std::string>{"A=1", "B=2"}));
}

TEST(ForEachLogLine, StopsAtCtrlZ)
{
    EXPECT_EQ(Lines("FILE=a\nFILE=b\x1A\nFILE=c\n"), (std::vector<std::string>{"FILE=a", "FILE=b"}));
}

TEST(ForEachLogLine, PassesAnOverLongLineWholeAsOneRecord)
{
    const std::string path = "C:\\" + std::string(100000, 'x');
    const std::vector<std::string> lines = Lines("FILE=" + path + "\r\nDIR=C:\\d\n");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(ParseLogLine(lines[0]).value, path);
    EXPECT_EQ(lines[1], "DIR=C:\\d");
}

TEST(ParseRegistryValuePath, ChoosesTheRootAndSplitsAtTheLastBackslash)
{
    const struct {
        const char* text;
        RegistryRoot root;
        const char* keyPath;
        const char* valueName;
    } cases[] = {
        {"HKEY_CURRENT_USER\\Software\\Sample\\Settings\\LastRun", RegistryRoot::CurrentUser,
         "Software\\Sample\\Settings", "LastRun"},
        // The later root of the search list wins, and every root prefix goes.
        {"HKEY_CURRENT_USER\\Software\\HKEY_USERS\\Sample\\Flag", RegistryRoot::Users, "Software\\Sample", "Flag"},
        {"HKEY_CLASSES_ROOT\\.smp\\HKEY_CURRENT_CONFIG", RegistryRoot::CurrentConfig, ".smp", "HKEY_CURRENT_CONFIG"},
        {"Software\\HKEY_LOCAL_MACHINE\\Sample", RegistryRoot::LocalMachine, "Software", "Sample"},
        {"HKEY_CURRENT_USER\\Software", RegistryRoot::CurrentUser, "Software", ""},
        {"HKEY_LOCAL_MACHINE\\Software\\Sample\\", RegistryRoot::LocalMachine, "Software\\Sample", ""},
        {"HKEY_CLASSES_ROOT\\a\\b", RegistryRoot::ClassesRoot, "a", "b"},
        {"HKEY_CURRENT_CONFIG\\a\\b", RegistryRoot::CurrentConfig, "a", "b"},
        {"hkey_current_user\\Software\\x", RegistryRoot::None, "", ""},
        {"Software\\Sample\\Flag", RegistryRoot::None, "", ""},
        {"", RegistryRoot::None, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const RegistryValuePath path = ParseRegistryValuePath(c.text);
        EXPECT_EQ(path.root, c.root);
        EXPECT_EQ(path.keyPath, c.keyPath);
        EXPECT_EQ(path.valueName, c.valueName);
    }
}

}  // namespace
