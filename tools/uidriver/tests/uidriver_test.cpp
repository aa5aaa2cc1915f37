// The driver against a window of our own in another process: every read,
// click and answer crosses the process boundary as it does in the programs'
// end-to-end tests.
#include "tools/uidriver/uidriver.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/test_support_win.h"
#include "tools/uidriver/tests/driver_target_ids.h"

namespace {

using namespace uidriver;

constexpr DWORD kWaitMs = 10000;

std::string TargetPath()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    folder.resize(folder.find_last_of('\\') + 1);
    return folder + "uidriver_target.exe";
}

std::string DriverPath()
{
    std::string path = TargetPath();
    return path.substr(0, path.find_last_of('\\') + 1) + "uidriver.exe";
}

// Runs the command-line driver with `arguments` and gives its exit status
// (-1 when it could not run) and what it printed.
long RunDriver(std::vector<std::string> arguments, std::string* output)
{
    arguments.insert(arguments.begin(), DriverPath());
    return testsupport::RunCapturingOutput(BuildCommandLine(arguments), output, kWaitMs);
}

std::string Hex(HWND window)
{
    char text[32];
    std::snprintf(text, sizeof(text), "0x%llx",
                  static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(window)));
    return text;
}

std::string ScratchFile(const char* name)
{
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name + std::to_string(GetCurrentProcessId()) + ".txt";
}

bool WaitForText(HWND window, const std::string& expected, DWORD timeoutMs = kWaitMs)
{
    const DWORD start = GetTickCount();
    while (GetText(window) != expected) {
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(20);
    }
    return true;
}

class DriverTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(target_.Start(BuildCommandLine({TargetPath()})))
            << "cannot start " << TargetPath();
        WindowQuery query;
        query.processId = target_.Id();
        query.className = kTargetClass;
        window_ = WaitForTopLevel(query, kWaitMs);
        ASSERT_NE(window_, nullptr);
        // The controls are made while the window is created, but poll all the
        // same: that is how a test of a real program has to look for them.
        status_ = WaitForChildById(window_, kIdStatus, kWaitMs);
        ASSERT_NE(status_, nullptr);
    }
    void TearDown() override { target_.Terminate(); }

    HWND Child(int id) { return FindChildById(window_, id); }
    void ExpectStatus(const std::string& expected)
    {
        EXPECT_TRUE(WaitForText(status_, expected))
            << "status is \"" << GetText(status_) << "\", expected \"" << expected << "\"";
    }

    Process target_;
    HWND window_ = nullptr;
    HWND status_ = nullptr;
};

TEST_F(DriverTest, FindsTopLevelWindowsByProcessClassAndCaption)
{
    struct Case {
        const char* name;
        DWORD processId;
        const char* className;
        const char* caption;
        bool contains;
        bool found;
    };
    const Case cases[] = {
        {"process and class", target_.Id(), kTargetClass, "", false, true},
        {"exact caption", target_.Id(), "", kTargetCaption, false, true},
        {"part of the caption", target_.Id(), "", "Target", true, true},
        {"part taken as exact", target_.Id(), "", "Target", false, false},
        {"class names ignore case", target_.Id(), "uidrivertarget", "", false, true},
        {"other class", target_.Id(), "#32770", "", false, false},
        // This test's own process: tests beside this one may run targets too.
        {"other process", GetCurrentProcessId(), kTargetClass, "", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WindowQuery query;
        query.processId = c.processId;
        query.className = c.className;
        query.caption = c.caption;
        query.captionContains = c.contains;
        EXPECT_EQ(FindTopLevel(query), c.found ? window_ : nullptr);
    }
    WindowQuery mine;
    mine.processId = target_.Id();
    EXPECT_EQ(FindAllTopLevel(mine), std::vector<HWND>{window_});
}

TEST_F(DriverTest, ListsChildrenWithIdsClassesTextsAndStates)
{
    const std::vector<ChildInfo> children = ListChildren(window_);
    struct Expected {
        int id;
        const char* className;
        const char* text;
        bool enabled;
    };
    const Expected expected[] = {
        {kIdAsk, "Button", "&Ask", true},        {kIdStep, "Button", "Step", true},
        {kIdNever, "Button", "Never", false},    {kIdEdit, "Edit", kInitialEditText, true},
        {kIdList, "ListBox", "", true},          {kIdStatus, "Static", "ready", true},
        {kIdProgress, PROGRESS_CLASSA, "", true},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.id);
        auto found = std::find_if(children.begin(), children.end(),
                                  [&](const ChildInfo& child) { return child.id == e.id; });
        ASSERT_NE(found, children.end());
        EXPECT_EQ(found->className, e.className);
        EXPECT_EQ(found->text, e.text);
        EXPECT_EQ(found->enabled, e.enabled);
        EXPECT_TRUE(found->visible);
        EXPECT_GT(found->rect.right, found->rect.left);
    }
    EXPECT_EQ(FindChildByText(window_, "Ask", "Button"), Child(kIdAsk));  // without the "&"
    EXPECT_EQ(FindChildByText(window_, "&Ask"), Child(kIdAsk));
    EXPECT_EQ(FindChildByText(window_, "Step", "Static"), nullptr);
    EXPECT_EQ(WaitForChildById(window_, 9999, 100), nullptr);
}

TEST_F(DriverTest, SetTextReachesTheProgramAsAnEdit)
{
    HWND edit = Child(kIdEdit);
    EXPECT_EQ(GetText(edit), kInitialEditText);
    ASSERT_TRUE(SetText(edit, "typed by the driver"));
    EXPECT_EQ(GetText(edit), "typed by the driver");
    ExpectStatus("Edit: typed by the driver");
}

TEST_F(DriverTest, ClickPressesEnabledButtonsOnly)
{
    EXPECT_EQ(GetProgressPos(Child(kIdProgress)), kProgressStart);
    ASSERT_TRUE(Click(Child(kIdStep)));
    ExpectStatus("Stepped");
    EXPECT_EQ(GetProgressPos(Child(kIdProgress)), kProgressStart + 1);

    SetText(status_, "unchanged");
    EXPECT_FALSE(IsEnabled(Child(kIdNever)));
    EXPECT_FALSE(Click(Child(kIdNever)));
    Sleep(200);
    EXPECT_EQ(GetText(status_), "unchanged");
}

TEST_F(DriverTest, ReadsProgressRange)
{
    int low = -1;
    int high = -1;
    ASSERT_TRUE(GetProgressRange(Child(kIdProgress), &low, &high));
    EXPECT_EQ(low, kProgressLow);
    EXPECT_EQ(high, kProgressHigh);
}

TEST_F(DriverTest, ReadsListItemsAndOpensOneOutOfView)
{
    std::vector<std::string> expected;
    for (int i = 0; i < kListItemCount; ++i)
        expected.push_back(ListItemText(i));
    EXPECT_EQ(GetListItems(Child(kIdList)), expected);

    ASSERT_TRUE(DoubleClickListItem(Child(kIdList), 0));
    ExpectStatus("Opened: " + ListItemText(0));
    // Far below the rows the box shows: it has to be scrolled into view.
    ASSERT_TRUE(DoubleClickListItem(Child(kIdList), kListItemCount - 3));
    ExpectStatus("Opened: " + ListItemText(kListItemCount - 3));
    EXPECT_FALSE(DoubleClickListItem(Child(kIdList), kListItemCount));
}

TEST_F(DriverTest, ReadsAndSelectsComboItemsAsAUserWould)
{
    HWND combo = Child(kIdCombo);
    EXPECT_EQ(GetComboItems(combo),
              std::vector<std::string>(std::begin(kComboItems), std::end(kComboItems)));
    EXPECT_EQ(GetComboSelection(combo), CB_ERR);
    ASSERT_TRUE(SelectComboItem(combo, 1));
    ExpectStatus(std::string("Chose: ") + kComboItems[1]);
    EXPECT_EQ(GetComboSelection(combo), 1);
    EXPECT_FALSE(SelectComboItem(combo, 3));
    EXPECT_EQ(GetComboSelection(combo), 1);
}

TEST_F(DriverTest, ReadsToolTipTextsOfTheirControls)
{
    struct Case {
        int id;
        const char* text;
    };
    const Case cases[] = {
        {kIdAsk, kAskTip},    // longer than the ANSI message would copy
        {kIdStep, kStepTip},
        {kIdEdit, kEditTip},  // a rectangle tool of the control
        {kIdList, ""},        // no tool
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(GetToolTipText(Child(c.id)), c.text);
    }
}

TEST_F(DriverTest, AnswersTheMessageBoxThatAClickOpens)
{
    MessageBoxInfo none;
    EXPECT_FALSE(ReadMessageBox(window_, &none));
    EXPECT_FALSE(WaitForMessageBox(target_.Id(), 100, &none));

    // The box is modal: the click must come back before it is answered.
    ASSERT_TRUE(Click(Child(kIdAsk)));
    MessageBoxInfo box;
    ASSERT_TRUE(WaitForMessageBox(target_.Id(), kWaitMs, &box));
    EXPECT_EQ(box.caption, kQuestionCaption);
    EXPECT_EQ(box.text, kQuestionText);
    EXPECT_EQ(box.buttons, (std::vector<int>{IDYES, IDNO}));
    EXPECT_TRUE(box.hasIcon);
    EXPECT_EQ(box.icon, BoxIcon::kQuestion);

    EXPECT_FALSE(AnswerMessageBox(box, IDOK, 500));  // not a button of this box
    EXPECT_TRUE(IsWindow(box.window));
    ASSERT_TRUE(AnswerMessageBox(box, IDNO));
    ExpectStatus("Answer: No");

    // Without a process the first box of any process is taken; tests that
    // run beside this one may show boxes too, so it is answered as ours.
    ASSERT_TRUE(Click(Child(kIdAsk)));
    MessageBoxInfo any;
    ASSERT_TRUE(WaitForMessageBox(0, kWaitMs, &any));
    EXPECT_NE(any.window, nullptr);
    ASSERT_TRUE(WaitForMessageBox(target_.Id(), kWaitMs, &box));
    ASSERT_TRUE(AnswerMessageBox(box, IDYES));
    ExpectStatus("Answer: Yes");
}

// The icon is told from what the box shows; each system icon must come out
// as itself and as no other.
TEST_F(DriverTest, TellsWhichSystemIconABoxShows)
{
    const struct {
        int button;
        BoxIcon icon;
    } cases[] = {
        {kIdBoxInformation, BoxIcon::kInformation},
        {kIdBoxExclamation, BoxIcon::kExclamation},
        {kIdBoxError, BoxIcon::kError},
        {kIdBoxPlain, BoxIcon::kNone},
        {kIdAsk, BoxIcon::kQuestion},
        {kIdBoxOther, BoxIcon::kUnknown},  // an icon, but not one of the four
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(BoxIconName(c.icon));
        ASSERT_TRUE(Click(Child(c.button)));
        MessageBoxInfo box;
        ASSERT_TRUE(WaitForMessageBox(target_.Id(), kWaitMs, &box));
        EXPECT_EQ(box.icon, c.icon) << BoxIconName(box.icon);
        EXPECT_EQ(box.hasIcon, c.icon != BoxIcon::kNone);
        EXPECT_EQ(box.caption, c.button == kIdAsk ? kQuestionCaption : kNoticeCaption);
        ASSERT_TRUE(AnswerMessageBox(box, box.buttons.front()));
    }
}

TEST_F(DriverTest, ADialogWithButtonsOfItsOwnIsNoMessageBox)
{
    ASSERT_TRUE(Click(Child(kIdDialog)));
    WindowQuery query;
    query.processId = target_.Id();
    query.caption = kDialogCaption;
    HWND dialog = WaitForTopLevel(query, kWaitMs);
    ASSERT_NE(dialog, nullptr);
    ASSERT_NE(WaitForChildById(dialog, kIdApply, kWaitMs), nullptr);
    EXPECT_EQ(GetClassNameOf(dialog), "#32770");
    MessageBoxInfo box;
    EXPECT_FALSE(ReadMessageBox(dialog, &box));
    EXPECT_FALSE(WaitForMessageBox(target_.Id(), 200, &box));
}

TEST_F(DriverTest, AHungProgramMakesReadsFailInsteadOfHanging)
{
    ASSERT_TRUE(Click(Child(kIdHang)));
    Sleep(300);
    const DWORD start = GetTickCount();
    EXPECT_EQ(GetText(Child(kIdEdit)), "");
    EXPECT_EQ(GetToolTipText(Child(kIdStep)), "");
    // Two reads, each given up after a few seconds, well before the program wakes.
    EXPECT_LT(GetTickCount() - start, kHangMs - 300);
}

TEST_F(DriverTest, CommandLineReadsAndAnswersAMessageBox)
{
    const std::string pid = std::to_string(target_.Id());
    std::string output;
    ASSERT_EQ(RunDriver({"click", "--pid", pid, "--child-text", "Ask"}, &output), 0) << output;
    ASSERT_EQ(RunDriver({"wait-box", "--pid", pid, "--title", "Question", "--contains"}, &output), 0)
        << output;
    MessageBoxInfo box;
    ASSERT_TRUE(WaitForMessageBox(target_.Id(), kWaitMs, &box));
    EXPECT_EQ(output, "hwnd\t" + Hex(box.window) + "\ncaption\tDriver Question\n" +
                          "text\tProceed with the test?\\r\\nSecond line.\n" +
                          "buttons\tYes\tNo\nicon\tquestion\n");
    EXPECT_EQ(RunDriver({"answer", "--pid", pid, "--button", "No"}, &output), 0) << output;
    ExpectStatus("Answer: No");
    EXPECT_EQ(RunDriver({"text", "--window", Hex(window_), "--id", "109"}, &output), 0);
    EXPECT_EQ(output, "Answer: No\n");
}

TEST_F(DriverTest, CommandLinePrintsOneTabSeparatedLineAChild)
{
    std::string output;
    ASSERT_EQ(RunDriver({"list", "--pid", std::to_string(target_.Id()), "--class", kTargetClass},
                        &output),
              0);
    const std::string never = Hex(Child(kIdNever)) + "\t103\tButton\t0\t1\tNever\n";
    EXPECT_NE(output.find(never), std::string::npos) << output;
    ASSERT_EQ(RunDriver({"progress", "--window", Hex(window_), "--id", "108"}, &output), 0);
    EXPECT_EQ(output, "42\t10\t200\n");
}

TEST_F(DriverTest, CommandLineExitStatusTellsTimeOutUsageAndFailure)
{
    const std::string pid = std::to_string(target_.Id());
    const std::string window = Hex(window_);
    struct Case {
        std::vector<std::string> arguments;
        long status;
    };
    const Case cases[] = {
        {{"wait-box", "--pid", pid, "--timeout", "0.2"}, 1},
        {{"wait-exit", "--pid", pid, "--timeout", "0.2"}, 1},
        {{"wait-window", "--pid", pid, "--title", "No such window", "--timeout", "0.2"}, 1},
        {{"click", "--window", window, "--id", "9999", "--timeout", "0.2"}, 1},
        {{"click", "--window", window, "--id", "103"}, 3},  // disabled
        {{"click", "--window", window}, 2},                 // which control?
        {{"answer", "--pid", pid, "--button", "Maybe"}, 2},
        {{"no-such-command"}, 2},
        {{"wait-window", "--pid"}, 2},
        {{"wait-window", "--pid", pid}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(BuildCommandLine(c.arguments));
        std::string output;
        EXPECT_EQ(RunDriver(c.arguments, &output), c.status) << output;
    }
}

// The usage text is made from the command table: every command is listed
// under its group, and a wrong command gets the same text on the error output.
TEST(DriverCommandLineTest, UsageListsEveryCommand)
{
    std::string usage;
    ASSERT_EQ(RunDriver({"help"}, &usage), 0);
    EXPECT_EQ(usage.rfind("usage: uidriver COMMAND [OPTIONS]\n\nPrograms:\n", 0), 0u) << usage;
    const std::size_t windows = usage.find("\nWindows (WINDOW and CONTROL below):\n");
    ASSERT_NE(windows, std::string::npos) << usage;
    const struct {
        const char* name;
        bool windowGroup;
    } commands[] = {
        {"launch", false},   {"run", false},       {"wait-exit", false}, {"end", false},
        {"wait-window", true}, {"wait-gone", true}, {"list", true},      {"wait-box", true},
        {"answer", true},    {"click", true},      {"text", true},       {"set-text", true},
        {"items", true},     {"select", true},     {"progress", true},   {"tooltip", true},
    };
    for (const auto& command : commands) {
        SCOPED_TRACE(command.name);
        const std::size_t at = usage.find(std::string("\n  ") + command.name + " ");
        ASSERT_NE(at, std::string::npos);
        EXPECT_EQ(at > windows, command.windowGroup);
    }
    std::string wrong;
    EXPECT_EQ(RunDriver({"no-such-command"}, &wrong), 2);
    EXPECT_EQ(wrong, "uidriver: wrong usage of 'no-such-command'\n\n" + usage);
}

TEST(DriverCommandLineTest, LaunchWritesTheProcessIdAndTheFull32BitExitCode)
{
    const std::string pidFile = ScratchFile("uidriver-pid");
    const std::string exitFile = ScratchFile("uidriver-exit");
    std::string output;
    ASSERT_EQ(RunDriver({"launch", "--pid-file", pidFile, "--exit-file", exitFile, "--", TargetPath(),
                         "--exit", "3221225477"},
                        &output),
              0)
        << output;
    std::ifstream pid(pidFile);
    unsigned long id = 0;
    EXPECT_TRUE(pid >> id);
    EXPECT_GT(id, 0u);
    std::ifstream exit(exitFile);
    std::string exitCode;
    std::getline(exit, exitCode);
    EXPECT_EQ(exitCode, "3221225477");
    pid.close();
    exit.close();
    DeleteFileA(pidFile.c_str());
    DeleteFileA(exitFile.c_str());

    EXPECT_EQ(RunDriver({"run", "--", TargetPath(), "--exit", "1602"}, &output), 0);
    EXPECT_EQ(output, "1602\n");
}

TEST(DriverCommandLineTest, EndStopsTheProcessItNames)
{
    Process target;
    ASSERT_TRUE(target.Start(BuildCommandLine({TargetPath()})));
    std::string output;
    EXPECT_EQ(RunDriver({"end", "--pid", std::to_string(target.Id())}, &output), 0) << output;
    DWORD exitCode = 0;
    ASSERT_TRUE(target.WaitForExit(kWaitMs, &exitCode));
    EXPECT_EQ(exitCode, 1u);
}

TEST(DriverProcessTest, GivesTheFull32BitExitCode)
{
    for (const char* code : {"0", "1602", "3221225477"}) {
        SCOPED_TRACE(code);
        Process process;
        ASSERT_TRUE(process.Start(BuildCommandLine({TargetPath(), "--exit", code})));
        DWORD exitCode = 1;
        ASSERT_TRUE(process.WaitForExit(kWaitMs, &exitCode));
        EXPECT_EQ(exitCode, std::stoul(code));
        EXPECT_FALSE(process.IsRunning());
    }
}

TEST(DriverProcessTest, WaitsForAProcessItDidNotStart)
{
    Process process;
    ASSERT_TRUE(process.Start(BuildCommandLine({TargetPath(), "--exit", "70000"})));
    DWORD exitCode = 0;
    EXPECT_TRUE(WaitForProcessExit(process.Id(), kWaitMs, &exitCode));
    EXPECT_EQ(exitCode, 70000u);

    Process running;
    ASSERT_TRUE(running.Start(BuildCommandLine({TargetPath()})));
    EXPECT_FALSE(WaitForProcessExit(running.Id(), 200, &exitCode));
    running.Terminate();
    EXPECT_FALSE(running.IsRunning());
}

TEST(DriverProcessTest, CommandLinesKeepEachArgumentWhole)
{
    const std::vector<std::string> arguments = {
        "plain",      "with blank",          "quote\"inside", "C:\\Program Files\\",
        "", "trailing\\", "back\\\\\"slash",     "{CODE-1}",      "tab\there",
    };
    const std::string file = ScratchFile("uidriver-args");
    std::vector<std::string> command = {TargetPath(), "--write-args", file};
    command.insert(command.end(), arguments.begin(), arguments.end());
    Process process;
    ASSERT_TRUE(process.Start(BuildCommandLine(command)));
    DWORD exitCode = 1;
    ASSERT_TRUE(process.WaitForExit(kWaitMs, &exitCode));
    ASSERT_EQ(exitCode, 0u);

    std::ifstream in(file);
    std::vector<std::string> received;
    for (std::string line; std::getline(in, line);)
        received.push_back(line);
    in.close();
    DeleteFileA(file.c_str());
    EXPECT_EQ(received, arguments);
    EXPECT_FALSE(Process().Start("Z:\\no\\such\\program.exe"));
}

}  // namespace
