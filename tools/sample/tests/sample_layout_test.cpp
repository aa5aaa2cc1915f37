// The sample product's uninstall data must be what a careful installer
// writes: the uninstaller acts on each log line as it reads it, so a record
// out of place leaves things behind (a folder listed before its subfolder,
// a file deleted before it runs) without any error to show for it.
#include "tools/sample/sample_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using sample::Layout;
using sample::Locations;

Locations TestLocations()
{
    Locations where;
    where.code = "{TEST-CODE}";
    where.name = "Parvane Sample";
    where.installFolder = "C:\\Program Files\\Parvane Sample";
    where.programsFolder = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs";
    where.desktopFolder = "C:\\users\\Public\\Desktop";
    where.windowsFolder = "C:\\windows";
    return where;
}

struct Record {
    std::string key;
    std::string value;
};

// Splits CR LF lines; a lone CR or LF inside a line is a fault of its own.
std::vector<std::string> CrLfLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "the last line has no CR LF";
        if (end == std::string::npos)
            break;
        const std::string line = text.substr(start, end - start);
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "stray line break: " << line;
        lines.push_back(line);
        start = end + 2;
    }
    return lines;
}

std::vector<Record> LogRecords(const Layout& layout)
{
    std::vector<Record> records;
    for (const std::string& line : CrLfLines(layout.UninstallLog())) {
        const std::size_t equals = line.find('=');
        EXPECT_NE(equals, std::string::npos) << line;
        if (equals != std::string::npos)
            records.push_back({line.substr(0, equals), line.substr(equals + 1)});
    }
    return records;
}

std::vector<std::string> ValuesOf(const std::vector<Record>& records, const std::string& key)
{
    std::vector<std::string> values;
    for (const Record& record : records)
        if (record.key == key)
            values.push_back(record.value);
    return values;
}

bool IsInside(const std::string& path, const std::string& folder)
{
    std::string prefix = folder;
    if (prefix.back() != '\\')
        prefix += '\\';
    return path.size() > prefix.size() && path.compare(0, prefix.size(), prefix) == 0;
}

TEST(SampleLogTest, RecordKindsComeInTheOrderTheReaderNeeds)
{
    // Files while the removal helpers still exist, the helpers before the
    // folders that hold them, the whole folder last.
    const std::map<std::string, int> rank = {
        {"TOTALFILE", 0}, {"FILE", 1},   {"SHORTCUT", 1}, {"NTSERVICE", 2}, {"REGVAL", 3},
        {"RUN3RD", 4},    {"RUN3RDCMD", 4}, {"DIR", 5},   {"REMOVEALL", 6},
    };
    const std::vector<Record> records = LogRecords(Layout(TestLocations()));
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.front().key, "TOTALFILE");
    EXPECT_EQ(records.back().key, "REMOVEALL");
    int last = 0;
    for (const Record& record : records) {
        SCOPED_TRACE(record.key + "=" + record.value);
        ASSERT_EQ(rank.count(record.key), 1u) << "not a record the reader knows";
        EXPECT_GE(rank.at(record.key), last);
        last = rank.at(record.key);
    }
}

TEST(SampleLogTest, TotalCountsTheFilesAndShortcutsThatFollow)
{
    const std::vector<Record> records = LogRecords(Layout(TestLocations()));
    const std::vector<std::string> totals = ValuesOf(records, "TOTALFILE");
    ASSERT_EQ(totals.size(), 1u);
    EXPECT_EQ(std::stoul(totals[0]),
              ValuesOf(records, "FILE").size() + ValuesOf(records, "SHORTCUT").size());
}

TEST(SampleLogTest, NamesEverythingTheInstallationMakesOneByOne)
{
    const Layout layout(TestLocations());
    const std::vector<Record> records = LogRecords(layout);

    std::vector<std::string> loggedFiles;
    for (const sample::File& file : layout.Files())
        if (file.logged)
            loggedFiles.push_back(file.path);
    EXPECT_EQ(ValuesOf(records, "FILE"), loggedFiles);

    std::vector<std::string> shortcuts;
    for (const sample::Shortcut& shortcut : layout.Shortcuts())
        shortcuts.push_back(shortcut.path);
    EXPECT_EQ(ValuesOf(records, "SHORTCUT"), shortcuts);

    std::vector<std::string> values;
    for (const sample::RegistryValue& value : layout.RegistryValues())
        values.push_back(value.LogPath());
    EXPECT_EQ(ValuesOf(records, "REGVAL"), values);
    EXPECT_EQ(ValuesOf(records, "NTSERVICE"), std::vector<std::string>{"ParvaneSampleSvc"});

    // The product gives the uninstaller each kind of file to undo.
    std::set<unsigned> kinds;
    for (const sample::File& file : layout.Files())
        if (file.logged)
            kinds.insert(file.flags);
    EXPECT_EQ(kinds, (std::set<unsigned>{sample::kPlain, sample::kReadOnly, sample::kHidden,
                                         sample::kReadOnly | sample::kHidden}));
}

TEST(SampleLogTest, EachRunHasItsOwnTargetRightBeforeIt)
{
    const Layout layout(TestLocations());
    const std::vector<Record> records = LogRecords(layout);
    std::vector<std::pair<std::string, std::string>> runs;
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (records[i].key != "RUN3RDCMD")
            continue;
        ASSERT_GT(i, 0u);
        ASSERT_EQ(records[i - 1].key, "RUN3RD") << "a run without a target of its own";
        runs.emplace_back(records[i - 1].value, records[i].value);
    }
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"cleanup.exe", "cleanup.exe /uninstall"},
        {"hook.dll", "UnregisterSample"},
        {layout.WebAddress(), "open"},
    };
    EXPECT_EQ(runs, expected);
    EXPECT_EQ(layout.WebAddress().compare(0, 4, "http"), 0);

    // The local targets lie in the installation folder, and no FILE record
    // deletes them before their turn.
    for (const char* target : {"cleanup.exe", "hook.dll"}) {
        SCOPED_TRACE(target);
        const std::string path = layout.Where().installFolder + "\\" + target;
        const std::vector<sample::File> files = layout.Files();
        const auto file = std::find_if(files.begin(), files.end(),
                                       [&](const sample::File& f) { return f.path == path; });
        ASSERT_NE(file, files.end());
        EXPECT_FALSE(file->logged);
        EXPECT_FALSE(file->copyOf.empty());
    }
}

TEST(SampleLogTest, FoldersComeChildFirstAndCoverEveryFolderMade)
{
    const Layout layout(TestLocations());
    const std::vector<std::string> dirs = ValuesOf(LogRecords(layout), "DIR");
    for (std::size_t i = 0; i < dirs.size(); ++i)
        for (std::size_t j = i + 1; j < dirs.size(); ++j)
            EXPECT_FALSE(IsInside(dirs[j], dirs[i]))
                << dirs[j] << " comes after its parent " << dirs[i];

    std::set<std::string> listed;
    for (std::string dir : dirs) {
        if (dir.back() == '\\')
            dir.pop_back();
        listed.insert(dir);
    }
    for (const std::string& folder : layout.Folders()) {
        SCOPED_TRACE(folder);
        // The uninstall data and its theme stay where they are.
        const bool uninstallData = folder == layout.ProductFolder() || IsInside(folder, layout.ProductFolder());
        EXPECT_EQ(listed.count(folder), uninstallData ? 0u : 1u);
    }
    // Folders() creates parents first.
    const std::vector<std::string> folders = layout.Folders();
    for (std::size_t i = 0; i < folders.size(); ++i)
        for (std::size_t j = i + 1; j < folders.size(); ++j)
            EXPECT_FALSE(IsInside(folders[i], folders[j]));
}

TEST(SampleLogTest, LinesFitTheReadersLineBuffer)
{
    // 255 characters with the line end is what the uninstaller reads whole.
    for (const std::string& line : CrLfLines(Layout(TestLocations()).UninstallLog()))
        EXPECT_LE(line.size() + 2, 255u) << line;
}

TEST(SampleLanguageTest, HoldsTheTextsTheUninstallerReads)
{
    std::map<std::string, std::string> texts;  // "section/key" -> text
    std::string section;
    for (const std::string& line : CrLfLines(Layout(TestLocations()).LanguageFile())) {
        if (line.size() > 2 && line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
            continue;
        }
        const std::size_t equals = line.find('=');
        ASSERT_NE(equals, std::string::npos) << line;
        texts[section + "/" + line.substr(0, equals)] = line.substr(equals + 1);
    }
    EXPECT_NE(texts["SetupProgress/14"].find("<ProductName>"), std::string::npos);
    EXPECT_EQ(texts["SetupProgress/10"], "Parvane Sample has been removed.");
    // The page's button takes key 1 as its caption: a word, not a sentence.
    EXPECT_EQ(texts["SetupCompleteSuccess/1"], "Close");
    EXPECT_NE(texts["SetupCompleteSuccess/5"].find("<ProductName>"), std::string::npos);
    for (const auto& text : texts)
        EXPECT_LE(text.second.size(), 254u) << text.first;
}

// The page file's keys, section by section ("SECTION/key" -> value).
std::map<std::string, std::string> PageKeys(const std::string& text)
{
    std::map<std::string, std::string> keys;
    std::string section;
    for (const std::string& line : CrLfLines(text)) {
        if (line.size() > 2 && line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
            continue;
        }
        const std::size_t equals = line.find('=');
        EXPECT_NE(equals, std::string::npos) << line;
        if (equals != std::string::npos)
            keys[section + "/" + line.substr(0, equals)] = line.substr(equals + 1);
    }
    return keys;
}

TEST(SamplePageTest, HasTheControlsTheProgressPageLooksFor)
{
    const Layout layout(TestLocations());
    EXPECT_EQ(layout.UninstallPagePath(), "C:\\windows\\Installer\\{TEST-CODE}\\theme\\uninstall.lcd");
    std::map<std::string, std::string> keys = PageKeys(layout.UninstallPage());
    EXPECT_EQ(keys["MAINWINDOW/caption"], "Uninstall [ProductName]");
    // The background is named by a full path: braces would be taken out of
    // it, and a relative name would be looked for in kelrun's current folder.
    const std::string picture = keys["MAINWINDOW/bkimage"];
    EXPECT_EQ(picture, layout.PagePicturePath());
    EXPECT_EQ(picture.find_first_of("{}"), std::string::npos);
    EXPECT_EQ(picture.compare(1, 2, ":\\"), 0);

    const int total = std::stoi(keys["INFO/TOTAL"]);
    std::map<std::string, std::string> kindOf;  // id name -> kind
    for (int i = 0; i < total; ++i) {
        SCOPED_TRACE(i);
        const std::string info = keys["INFO/" + std::to_string(i)];
        ASSERT_FALSE(info.empty());
        // 0,x,y,width,height,KIND,...
        std::vector<std::string> fields;
        for (std::size_t start = 0;;) {
            const std::size_t comma = info.find(',', start);
            fields.push_back(info.substr(start, comma - start));
            if (comma == std::string::npos)
                break;
            start = comma + 1;
        }
        ASSERT_GE(fields.size(), 6u);
        // Every control lies inside the page's client area.
        EXPECT_LE(std::stoi(fields[1]) + std::stoi(fields[3]), 510);
        EXPECT_LE(std::stoi(fields[2]) + std::stoi(fields[4]), 300);
        const std::string id = keys["DADOS/" + std::to_string(i) + ",0"];
        const std::string name = id.empty() ? "IDC_PROGRESS1" : id.substr(3, id.find('|', 3) - 3);
        kindOf[name] = fields[5];
    }
    EXPECT_EQ(kindOf["IDC_PROGRESS1"], "PROGRESS");
    EXPECT_EQ(kindOf["IDC_INFO"], "TEXT");
    EXPECT_EQ(kindOf["IDC_STATIC1"], "TEXT");
    EXPECT_EQ(kindOf["IDCANCEL"], "BUTTON");
}

TEST(SampleLayoutTest, UninstallKeyPointsBackAtTheInstallation)
{
    const Layout layout(TestLocations());
    EXPECT_EQ(layout.UninstallKeyPath(),
              "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{TEST-CODE}");
    const auto written = layout.UninstallValues();
    std::map<std::string, std::string> values(written.begin(), written.end());
    EXPECT_EQ(values["DisplayName"], "Parvane Sample");
    EXPECT_EQ(values["LastInstallationPath"], "C:\\Program Files\\Parvane Sample\\");
    EXPECT_EQ(values["UninstallString"], "\"C:\\windows\\kelrun.exe\" /R {TEST-CODE}");
    EXPECT_EQ(layout.ProductFolder(), "C:\\windows\\Installer\\{TEST-CODE}");
}

TEST(SampleLayoutTest, ServiceNameKeepsTheNamesLettersAndDigits)
{
    const std::pair<const char*, const char*> cases[] = {
        {"Parvane Sample", "ParvaneSampleSvc"},
        {"Parvane Test 42", "ParvaneTest42Svc"},
        {"a-b_c.d", "abcdSvc"},
    };
    for (const auto& c : cases) {
        Locations where = TestLocations();
        where.name = c.first;
        EXPECT_EQ(Layout(where).ServiceName(), c.second) << c.first;
    }
}

}  // namespace
