// kelcheck's rules, one case each: the guide's example product (the fenced
// blocks of docs/authoring.md) with one thing changed, and the findings that
// change brings, each given by its start.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "uninstaller/check/product_check.h"
#include "uninstaller/check/tests/guide_example.h"
#include "uninstaller/controls/control_rules.h"
#include "uninstaller/pages/memory_profile_reader.h"

namespace {

const std::string Kit = "C:\\Kit\\";

class MemoryCheckSystem : public CheckSystem {
public:
    MemoryProfileReader profiles;
    std::map<std::string, std::string> files;
    std::set<std::string> locked;
    ProtectedFolders protectedFolders;

    void Put(const std::string& path, const std::string& text)
    {
        files[path] = text;
        profiles.SetFile(path.c_str(), text);
    }
    bool ReadFile(const CString& path, std::string* contents, std::uint32_t* error) override
    {
        const auto found = files.find(path.str());
        *error = locked.count(path.str()) ? 5 : 2;
        if (found == files.end() || locked.count(path.str()))
            return false;
        *contents = found->second;
        return true;
    }
    CString ErrorText(std::uint32_t) override { return "Access is denied.\r\n"; }
    long long FileSize(const CString& path) override
    {
        if (path.Find("huge") >= 0)
            return MaxPictureFileBytes + 1;
        return files.count(path.str()) != 0 ? static_cast<long long>(files[path.str()].size()) : -1;
    }
    ProfileReader& Profiles() override { return profiles; }
    CString FullPath(const CString& path) override { return path; }
    ProtectedFolders GetProtectedFolders() override { return protectedFolders; }
    CString FinalPath(const CString&) override { return CString(); }  // judged by the text
};

enum Change { Replace, Append, Remove, Lock };

struct RuleCase {
    const char* file;
    Change change;
    std::string from;  // Replace: the text replaced (its first occurrence)
    std::string to;    // Replace, Append: the new text
    std::vector<std::string> findings;
    std::string from2 = "";  // Replace: a second text replaced, when not empty
    std::string to2 = "";
};

std::vector<std::string> Check(const RuleCase& c, const CheckTarget& target)
{
    MemoryCheckSystem system;
    for (const auto& file : GuideExample(KELCHECK_GUIDE)) {
        std::string text = file.second;
        const bool changed = file.first == c.file;
        for (const auto& edit : {std::make_pair(c.from, c.to), std::make_pair(c.from2, c.to2)}) {
            const std::size_t at = text.find(edit.first);
            if (!changed || c.change != Replace || edit.first.empty())
                continue;
            EXPECT_NE(at, std::string::npos) << edit.first;
            text.replace(at == std::string::npos ? 0 : at, edit.first.size(), edit.second);
        }
        if (changed && c.change == Append)
            text += c.to;
        if (!(changed && c.change == Remove))
            system.Put(Kit + file.first, text);
        if (changed && c.change == Lock)
            system.locked.insert(Kit + file.first);
    }
    system.protectedFolders = {{"C:\\Windows\\System32", "C:\\Program Files"}, {"C:\\Windows"}, {"C:\\Users"}, {}};
    std::vector<std::string> lines;
    for (const CString& line : CheckProduct(system, target).Lines())
        lines.push_back(line.str());
    return lines;
}

void ExpectFindings(const RuleCase& c, const CheckTarget& target)
{
    SCOPED_TRACE(c.findings.empty() ? "clean" : c.findings.front());
    const std::vector<std::string> lines = Check(c, target);
    ASSERT_EQ(lines.size(), c.findings.size() + 1) << ::testing::PrintToString(lines);
    for (std::size_t i = 0; i < c.findings.size(); ++i)
        EXPECT_EQ(lines[i].substr(0, c.findings[i].size()), c.findings[i]) << lines[i];
}

std::string Lines(const char* format, int from, int to)
{
    std::string text;
    for (int i = from; i <= to; ++i) {
        char line[128];
        std::snprintf(line, sizeof line, format, i);
        text += line;
    }
    return text;
}

TEST(KelcheckRules, TheGuidesExampleChecksClean)
{
    ASSERT_EQ(GuideExample(KELCHECK_GUIDE).size(), 3u);
    EXPECT_EQ(Check({"", Append, "", "", {}}, {Kit, false, ""}), std::vector<std::string>{"0 errors, 0 warnings"});
}

TEST(KelcheckRules, EachRuleFindsItsLine)
{
    const char* log = "uninstall.log";
    const char* lan = "language.lan";
    const char* lcd = "theme\\uninstall.lcd";
    const RuleCase cases[] = {
        {log, Remove, "", "", {"uninstall.log:1: error: missing: kelrun says"}},
        {log, Lock, "", "", {"uninstall.log:1: error: cannot be read (Access is denied): kelrun removes nothing"}},
        {log, Replace, "FILE=C:\\Program Files\\Example\\example.exe", "FILE=example.exe",
         {"uninstall.log:2: error: FILE \"example.exe\" is not a full path"}},
        {log, Replace, "NTSERVICE=", "ntservice=", {"uninstall.log:6: error: \"ntservice\" is no key: keys are upper"}},
        {log, Replace, "REGVAL=", "REGVAL = ", {"uninstall.log:5: error: \"REGVAL \" is no key: keys are upper"}},
        {log, Append, "", "PAUSE=1\r\n", {"uninstall.log:12: error: \"PAUSE\" is no key kelrun knows"}},
        {log, Append, "", "just text\r\n", {"uninstall.log:12: error: no \"=\" on the line"}},
        {log, Append, "", std::string("FILE=C:\\a\0b\r\n", 13), {"uninstall.log:12: error: the line holds a NUL"}},
        {log, Replace, "HKEY_CURRENT_USER\\", "", {"uninstall.log:5: error: REGVAL \"Software\\Example\\LastFolder\" "
                                                   "names no registry root"}},
        {log, Replace, "TOTALFILE=3", "TOTALFILE=4", {"uninstall.log:1: warning: TOTALFILE says 4, but 3 FILE"}},
        {log, Replace, "TOTALFILE=3", "TOTALFILE=3 files",
         {"uninstall.log:1: warning: TOTALFILE \"3 files\" is not a plain number: kelrun reads 3"}},
        {log, Replace, "TOTALFILE=3\r\nFILE=C:\\Program Files\\Example\\example.exe\r\n",
         "FILE=C:\\Program Files\\Example\\example.exe\r\nTOTALFILE=2\r\n",
         {"uninstall.log:1: warning: FILE before any TOTALFILE"}},
        {log, Replace, "DIR=C:\\Program Files\\Example\\data\\\r\nDIR=C:\\Program Files\\Example\\\r\n",
         "DIR=C:\\Program Files\\Example\\\r\nDIR=C:\\Program Files\\Example\\data\\\r\n",
         {"uninstall.log:9: warning: DIR \"C:\\Program Files\\Example\\\" comes before its subfolder on line 10"}},
        {log, Append, "", Lines("DIR=C:\\Other\\%d\r\n", 1, 998), {"uninstall.log:1009: warning: DIR beyond the 999th"}},
        {log, Replace, "RUN3RD=cleanup.exe\r\n", "", {"uninstall.log:7: warning: RUN3RDCMD before any RUN3RD"}},
        {log, Append, "", "RUN3RDCMD=again\r\n",
         {"uninstall.log:12: warning: RUN3RDCMD runs nothing: the RUN3RD of line 7 ran already"}},
        {log, Append, "", "RUN3RD=late.exe\r\n", {"uninstall.log:12: warning: RUN3RD \"late.exe\" never runs"}},
        {log, Replace, "RUN3RD=", "RUN3RD=C:\\Tools\\", {"uninstall.log:7: warning: RUN3RD \"C:\\Tools\\cleanup.exe\" "
                                                         "is a full path"}},
        {lan, Remove, "", "", {"language.lan:1: warning: missing: kelrun asks its own question"}},
        {lan, Replace, "5=Click Close to finish.\r\n", "",
         {"language.lan:4: warning: [SetupCompleteSuccess] has no text at key 5"}},
        {lcd, Lock, "", "", {"theme\\uninstall.lcd:1: error: cannot be read (Access is denied): kelrun shows an empty"}},
        {lcd, Replace, "idcname=IDD_UNINSTALL", "backcolor=1,2,3\r\nidcname=IDD_UNINSTALL",
         {"theme\\uninstall.lcd:2: error: \"backcolor\" is no window key"}},
        {lcd, Replace, "width=420\r\n", "", {"theme\\uninstall.lcd:1: warning: no width: the window is 0 pixels wide"}},
        {lcd, Replace, "height=200", "height=high", {"theme\\uninstall.lcd:9: warning: height=high gives the window no"}},
        {lcd, Replace, "border=1", "border=", {"theme\\uninstall.lcd:5: warning: border= reads as 0: the window"}},
        {lcd, Replace, "startup=0", "startup=1", {"theme\\uninstall.lcd:6: warning: startup=1 leaves the window unplaced"}},
        {lcd, Replace, "closewindow=No", "closewindow=yes",
         {"theme\\uninstall.lcd:13: warning: closewindow=yes counts as No"}},
        {lcd, Replace, "bkcolor=255,255,255", "bkcolor=255",
         {"theme\\uninstall.lcd:7: warning: bkcolor=255 is not three numbers"}},
        {lcd, Replace, "bkimage=", "bkimage={back.jpg}",
         {"theme\\uninstall.lcd:4: warning: bkimage \"back.jpg\" is not a full path"}},
        {lcd, Replace, "bkimage=", "bkimage=C:\\Kit\\theme\\back.jpg",
         {"theme\\uninstall.lcd:4: warning: bkimage \"C:\\Kit\\theme\\back.jpg\": no such file"}},
        {lcd, Replace, "bkimage=", "bkimage=C:\\Kit\\theme\\huge.jpg",
         {"theme\\uninstall.lcd:4: warning: bkimage \"C:\\Kit\\theme\\huge.jpg\": larger than kelrun reads"}},
        {lcd, Replace, "TOTAL=4", "TOTAL=4\r\n+1=0,1,1,1,1,TEXT,,0,9",
         {"theme\\uninstall.lcd:21: error: INFO key \"+1\" is never read"}},
        {lcd, Replace, "TOTAL=4", "TOTAL=4\r\n4=0,1,1,1,1,TEXT,,0,9",
         {"theme\\uninstall.lcd:21: error: INFO key 4 is never read: TOTAL is 4"}},
        {lcd, Replace, "PROGRESS,", "Progress,",
         {"theme\\uninstall.lcd:20: warning: no IDC_PROGRESS1",
          "theme\\uninstall.lcd:22: error: INFO key 1: \"Progress\" is no control kind"}},
        {lcd, Append, "", "3.7=Caption|x|0\r\n", {"theme\\uninstall.lcd:55: error: \"3.7\" is no DADOS key"}},
        {lcd, Append, "", "9,0=Caption|x|0\r\n",
         {"theme\\uninstall.lcd:55: warning: DADOS key 9,0 is never read: no INFO line has the property key 9"}},
        {lcd, Append, "", "3,7=Caption|x|0\r\n",
         {"theme\\uninstall.lcd:55: warning: DADOS key 3,7 is never read: 3,t counts 7"}},
        {lcd, Replace, "3,t=7", "3,t=21\r\n3,20=Extra|x|0",
         {"theme\\uninstall.lcd:48: warning: DADOS key 3,20 (INFO key 3): the control has 20 properties already"}},
        {lcd, Replace, "Text Color|0,0,0", "Text Color|",
         {"theme\\uninstall.lcd:31: warning: a TEXT without \"Text Color\""}},
        {lcd, Replace, "3,3=Font|Tahoma", "3,3=Font|", {"theme\\uninstall.lcd:51: warning: a BUTTON without a font"}},
        {lcd, Replace, "3,5=Bold|No", "3,5=Bold|no", {"theme\\uninstall.lcd:53: warning: the bold switch \"no\" counts"}},
        {lcd, Replace, "Preparing...", "Version {2}", {"theme\\uninstall.lcd:29: warning: the value holds \"{\""}},
        {lcd, Replace, "0,t=9", "0,t=10\r\n0,9=URL Link|yes|0",
         {"theme\\uninstall.lcd:28: warning: \"URL Link\" \"yes\" counts as No"}},
        {lcd, Replace, "0,2=Text Align|1", "0,2=Text Align|", {"theme\\uninstall.lcd:30: warning: \"Text Align\" \"\" "
                                                               "centres the text"}},
        {lcd, Replace, "0,3=Text Color", "0,3=Caption",
         {"theme\\uninstall.lcd:31: warning: \"Caption\" stands at position 3, where a TEXT takes \"Text Color\""}},
        {lcd, Replace, "0,5=Font", "0,5=Caption",
         {"theme\\uninstall.lcd:33: warning: a TEXT reads \"Caption\" at position 1 only: at position 5"}},
        {lcd, Replace, "2,t=9", "1,t=2\r\n1,1=On Click|1-Next|0\r\n2,t=9",
         {"theme\\uninstall.lcd:38: warning: a PROGRESS sends no clicks"}},
        {lcd, Replace, "2,t=9", "1,t=1\r\n1,0=ID|IDC_PROGRESS2|0\r\n2,t=9",
         {"theme\\uninstall.lcd:38: warning: a PROGRESS takes no name from position 0: it is IDC_PROGRESS1"}},
        {lcd, Replace, "BackColor|255,255,255|0\r\n0,5", "BackColor|white|0\r\n0,5",
         {"theme\\uninstall.lcd:32: warning: \"BackColor\" \"white\" is not three numbers"}},
        {lcd, Replace, "TOTAL=4", "TOTAL=5\r\n4=0,10,150,32,32,ICON,,0,4",
         {"theme\\uninstall.lcd:49: warning: \"Icon File:\" \"IDI_NOTHING\" names no built-in icon"}, "3,t=7",
         "4,t=2\r\n4,1=Icon File:|IDI_NOTHING|0\r\n3,t=7"},
        {lcd, Replace, "TOTAL=4", "TOTAL=5\r\n4=0,10,150,20,20,BITMAP,{logo.bmp},0,4",
         {"theme\\uninstall.lcd:21: warning: the BITMAP picture \"C:\\Kit\\theme\\logo.bmp\": no such file"}},
        {lcd, Replace, "0,300,125", "0,350,125",
         {"theme\\uninstall.lcd:24: warning: the BUTTON at 350,125 to 440,151 lies outside the 420 by 200 window"}},
        {lcd, Replace, "ID|IDC_STATIC1", "ID|IDC_INFO",
         {"theme\\uninstall.lcd:20: warning: no IDC_STATIC1",
          "theme\\uninstall.lcd:23: warning: a second control named IDC_INFO: kelrun finds only the first, of INFO key 0"}},
        {lcd, Replace, "ID|IDC_INFO", "ID|IDC_PROGRESS1",
         {"theme\\uninstall.lcd:20: warning: no IDC_INFO", "theme\\uninstall.lcd:21: warning: IDC_PROGRESS1 is a TEXT",
          "theme\\uninstall.lcd:22: warning: a second control named IDC_PROGRESS1"}},
        {lcd, Replace, "BUTTON,", "RICHTEXT,",
         {"theme\\uninstall.lcd:24: warning: IDCANCEL is a RICHTEXT, which sends no clicks"}},
        {lcd, Replace, "TOTAL=4", "TOTAL=5\r\n4=0,20,150,370,16,PROGRESS,,0,4",
         {"theme\\uninstall.lcd:23: warning: this PROGRESS stays still: the removal moves only IDC_PROGRESS1, the "
          "PROGRESS of INFO key 4"}},
    };
    for (const RuleCase& c : cases)
        ExpectFindings(c, {Kit, false, ""});
}

TEST(KelcheckRules, RemoveAllIsHeldAgainstTheTreeGuardOnceInstalled)
{
    const struct {
        const char* installFolder;
        std::vector<std::string> findings;
    } cases[] = {
        {"C:\\Program Files\\Example\\", {}},
        {"C:\\Program Files\\", {"uninstall.log:11: error: REMOVEALL: kelrun's tree guard refuses the installation "
                                 "folder \"C:\\Program Files\": a system or user folder"}},
        {"", {"uninstall.log:11: error: REMOVEALL: kelrun's tree guard refuses the installation folder \"\": no folder "
              "named"}},
    };
    for (const auto& c : cases)
        ExpectFindings({"", Append, "", "", c.findings}, {Kit, true, c.installFolder});
}

}  // namespace
