// The folder browse dialog in a program of its own (folder_browse_probe),
// driven from outside as a user would: typing into the edit box, choosing in
// the tree, pressing OK and answering the message boxes. Every wait has a
// time-out, and the probe is ended by its process id if a test fails.
#include "uninstaller/controls/folder_browser_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "framework/ascii_case.h"
#include "tests/support/test_support_win.h"
#include "tools/uidriver/uidriver.h"
#include "uninstaller/controls/folder_checks_win.h"
#include "uninstaller/controls/tests/folder_box_texts.h"

namespace {

using namespace uidriver;
using testsupport::PathExists;

// Generous: the first dialog of a fresh prefix can take many seconds to fill its tree.
constexpr DWORD kWaitMs = 30000;
constexpr const char* kProgramTitle = "folder_browse_probe";

std::string ProbePath()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    folder.resize(folder.find_last_of('\\') + 1);
    return folder + "folder_browse_probe.exe";
}

// Lists every folder of a tree once. Wine's browser finds the folder to
// select by comparing the parsed path's items with the tree's, last access
// times included; the tree's own listing of a fresh folder moves that time
// (Linux updates it on the first read after a change), so a folder made just
// before the dialog opens is now and then not found. Read once, the times
// stay put.
void ReadEveryFolder(const std::string& folder)
{
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    std::vector<std::string> children;
    do {
        const std::string name = found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "." && name != "..")
            children.push_back(folder + "\\" + name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    for (const std::string& child : children)
        ReadEveryFolder(child);
}

// A scratch folder right below C:\, away from the profile's Temp folder,
// which a fresh prefix keeps changing.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& name)
        : path_("C:\\" + name + "-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter_))
    {
        testsupport::RemoveTree(path_);
        testsupport::MakeFolders(path_);
    }
    ~ScratchFolder() { testsupport::RemoveTree(path_); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& Path() const { return path_; }

private:
    static inline int counter_ = 0;
    std::string path_;
};

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kWaitMs)
{
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(20);
    }
    return true;
}

bool Overlap(const RECT& a, const RECT& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Tree view items by messages that carry no pointers, so they cross processes.
HTREEITEM TreeItem(HWND tree, WPARAM which, HTREEITEM from = nullptr)
{
    DWORD_PTR item = 0;
    SendMessageTimeoutA(tree, TVM_GETNEXTITEM, which, reinterpret_cast<LPARAM>(from), SMTO_ABORTIFHUNG, kWaitMs,
                        &item);
    return reinterpret_cast<HTREEITEM>(item);
}

bool SelectTreeItem(HWND tree, HTREEITEM item)
{
    DWORD_PTR done = 0;
    return SendMessageTimeoutA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item), SMTO_ABORTIFHUNG,
                               kWaitMs, &done) &&
           done;
}

class FolderBrowseTest : public ::testing::Test {
protected:
    FolderBrowseTest() : scratch_("folder-browse") {}

    // Starts the probe; `initialFolder` empty gives it none (the page
    // runtime's way), "--current" the null initial folder.
    void Open(const std::string& initialFolder = "", const std::string& folder = "")
    {
        resultFile_ = scratch_.Path() + "\\result.txt";
        std::vector<std::string> arguments = {ProbePath(), resultFile_};
        if (!initialFolder.empty())
            arguments.push_back(initialFolder);
        ReadEveryFolder(scratch_.Path());
        ASSERT_TRUE(probe_.Start(BuildCommandLine(arguments), folder)) << "cannot start " << ProbePath();
        WindowQuery query;
        query.processId = probe_.Id();
        query.caption = "Lumetra Parvane";
        dialog_ = WaitForTopLevel(query, kWaitMs);
        ASSERT_NE(dialog_, nullptr) << "no browse dialog";
        edit_ = WaitForChildById(dialog_, kBrowseEditId, kWaitMs);
        ASSERT_NE(edit_, nullptr) << "no edit box";
        ok_ = FindChildById(dialog_, IDOK);
        tree_ = FindChildById(dialog_, kBrowseTreeId);
        ASSERT_NE(ok_, nullptr);
        ASSERT_NE(tree_, nullptr);
        // Wait until the dialog takes messages: the first one of a fresh prefix
        // can be busy for seconds, longer than the driver waits for an answer.
        DWORD_PTR ignored = 0;
        ASSERT_TRUE(SendMessageTimeoutA(dialog_, WM_NULL, 0, 0, SMTO_NORMAL, kWaitMs, &ignored));
    }

    void TearDown() override { probe_.Terminate(); }

    std::string Sub(const std::string& relative) const { return scratch_.Path() + "\\" + relative; }

    // The edit box's text by a plain send. The driver's reads start a thread
    // each, and the checks below poll this many times a second.
    std::string EditText() const
    {
        DWORD_PTR length = 0;
        if (!SendMessageTimeoutA(edit_, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kWaitMs, &length))
            return {};
        std::string text(length + 1, '\0');
        DWORD_PTR copied = 0;
        if (!SendMessageTimeoutA(edit_, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]), SMTO_ABORTIFHUNG,
                                 kWaitMs, &copied))
            return {};
        text.resize(std::min<std::size_t>(copied, length));
        return text;
    }

    void ExpectEditText(const std::string& expected)
    {
        SCOPED_TRACE("edit box text");
        EXPECT_TRUE(WaitUntil([&] { return EqualsIgnoringAsciiCase(EditText(), expected); }))
            << "edit box shows [" << EditText() << "], expected [" << expected << "]";
    }

    void ExpectOkEnabled(bool enabled)
    {
        SCOPED_TRACE(enabled ? "OK enabled" : "OK disabled");
        EXPECT_TRUE(WaitUntil([&] { return IsEnabled(ok_) == enabled; }));
    }

    // Puts a text into the edit box as typing would (EN_CHANGE follows). A
    // prefix that is still starting up can let one send time out: try again.
    bool Type(const std::string& text)
    {
        return WaitUntil([&] { return SetText(edit_, text); });
    }

    // Types a folder and presses OK; the message box that follows, if any.
    bool TypeAndPressOk(const std::string& folder, MessageBoxInfo* box)
    {
        if (!Type(folder) || !WaitUntil([&] { return IsEnabled(ok_); }) || !Click(ok_))
            return false;
        return WaitForBox(box);
    }

    // The next message box of the probe, once its text is in place: the
    // driver can find a box whose text static is still empty.
    bool WaitForBox(MessageBoxInfo* box, DWORD timeoutMs = kWaitMs)
    {
        return WaitUntil([&] { return WaitForMessageBox(probe_.Id(), 0, box) && !box->text.empty(); },
                         timeoutMs);
    }

    void ExpectBox(const MessageBoxInfo& box, const std::string& text, const std::vector<int>& buttons)
    {
        SCOPED_TRACE("message box");
        EXPECT_EQ(box.caption, kProgramTitle);
        EXPECT_EQ(box.text, text);
        EXPECT_EQ(box.buttons, buttons);
        EXPECT_TRUE(box.hasIcon);
    }

    // After a refused OK: the dialog is still open and the focus is in the
    // edit box, ready for a correction.
    void ExpectStillOpenWithFocusInEditBox()
    {
        SCOPED_TRACE("dialog stays open");
        EXPECT_TRUE(probe_.IsRunning());
        EXPECT_TRUE(IsWindow(dialog_) && IsVisible(dialog_));
        const DWORD thread = GetWindowThreadProcessId(dialog_, nullptr);
        EXPECT_TRUE(WaitUntil([&] {
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            return GetGUIThreadInfo(thread, &info) && info.hwndFocus == edit_;
        })) << "the focus is not in the edit box";
    }

    // Waits for the probe's end and checks what DoModal gave.
    void ExpectResult(int result, const std::string& folder)
    {
        SCOPED_TRACE("dialog result");
        DWORD exitCode = 0;
        ASSERT_TRUE(probe_.WaitForExit(kWaitMs, &exitCode)) << "the dialog did not end";
        const std::vector<std::string> lines = testsupport::ReadLines(resultFile_);
        ASSERT_GE(lines.size(), 1u);
        EXPECT_EQ(lines[0], std::to_string(result));
        if (result == 1) {
            ASSERT_EQ(lines.size(), 2u);
            EXPECT_EQ(lines[1], folder);
        }
    }

    ScratchFolder scratch_;
    Process probe_;
    std::string resultFile_;
    HWND dialog_ = nullptr;
    HWND edit_ = nullptr;
    HWND ok_ = nullptr;
    HWND tree_ = nullptr;
};

TEST_F(FolderBrowseTest, EditBoxSitsAboveTheTreeWithTheDialogsFont)
{
    Open();
    const std::vector<ChildInfo> children = ListChildren(dialog_);
    const auto child = [&](int id) {
        return *std::find_if(children.begin(), children.end(), [&](const ChildInfo& c) { return c.id == id; });
    };
    const ChildInfo edit = child(kBrowseEditId);
    const ChildInfo tree = child(kBrowseTreeId);

    EXPECT_TRUE(EqualsIgnoringAsciiCase(edit.className, "Edit"));
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(edit_, GWL_STYLE)), 0x50010080u);
    EXPECT_TRUE(GetWindowLongA(edit_, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_TRUE(edit.visible);
    EXPECT_EQ(edit.text, "");
    EXPECT_FALSE(IsEnabled(ok_)) << "OK with an empty edit box";
    EXPECT_FALSE(IsVisible(FindChildById(dialog_, kBrowseStatusTextId))) << "status text shown";
    HWND title = FindChildById(dialog_, 14146);
    EXPECT_TRUE(WaitUntil([&] { return GetText(title) == "Choose destination directory..."; }))
        << "the prompt shows [" << GetText(title) << "]";

    // As wide as the tree, 23 pixels high, 4 pixels above it.
    EXPECT_EQ(edit.rect.left, tree.rect.left);
    EXPECT_EQ(edit.rect.right, tree.rect.right);
    EXPECT_EQ(edit.rect.bottom, tree.rect.top - 4);
    EXPECT_EQ(edit.rect.bottom - edit.rect.top, 23);
    EXPECT_GT(tree.rect.bottom - tree.rect.top, 100) << "the tree gave up too much room";

    RECT client{};
    GetClientRect(dialog_, &client);
    MapWindowPoints(dialog_, nullptr, reinterpret_cast<POINT*>(&client), 2);
    for (const ChildInfo& other : children) {
        if (!other.visible || other.id == kBrowseEditId)
            continue;
        SCOPED_TRACE("control " + std::to_string(other.id));
        EXPECT_FALSE(Overlap(edit.rect, other.rect)) << "edit box covers it";
        if (other.id != kBrowseTreeId) {
            EXPECT_FALSE(Overlap(tree.rect, other.rect)) << "tree covers it";
        }
        EXPECT_TRUE(other.rect.top >= client.top && other.rect.bottom <= client.bottom) << "outside the dialog";
    }

    // The edit box takes the dialog's font, as the dialog's own controls do.
    // (Wine's dialog has none, so all three use the system font there.)
    DWORD_PTR dialogFont = 0;
    DWORD_PTR editFont = 0;
    SendMessageTimeoutA(dialog_, WM_GETFONT, 0, 0, SMTO_ABORTIFHUNG, kWaitMs, &dialogFont);
    SendMessageTimeoutA(edit_, WM_GETFONT, 0, 0, SMTO_ABORTIFHUNG, kWaitMs, &editFont);
    DWORD_PTR titleFont = 0;
    SendMessageTimeoutA(FindChildById(dialog_, 14146), WM_GETFONT, 0, 0, SMTO_ABORTIFHUNG, kWaitMs, &titleFont);
    EXPECT_EQ(editFont, dialogFont);
    EXPECT_EQ(editFont, titleFont);
}

TEST_F(FolderBrowseTest, ChoosingInTheTreePutsTheFolderPathIntoTheEditBox)
{
    testsupport::MakeFolders(Sub("Alpha\\Beta"));
    Open(Sub("Alpha\\Beta"));
    ExpectEditText(Sub("Alpha\\Beta"));
    ExpectOkEnabled(true);

    const HTREEITEM beta = TreeItem(tree_, TVGN_CARET);
    ASSERT_NE(beta, nullptr);
    ASSERT_TRUE(SelectTreeItem(tree_, TreeItem(tree_, TVGN_PARENT, beta)));
    ExpectEditText(Sub("Alpha"));
    ExpectOkEnabled(true);

    // Up the chain: ..., the drive, "My Computer", the desktop at the root.
    // The item below the root on the way to a drive has no drive path.
    HTREEITEM item = beta;
    HTREEITEM drive = nullptr;
    HTREEITEM computer = nullptr;
    for (HTREEITEM parent = TreeItem(tree_, TVGN_PARENT, item); parent;
         item = parent, parent = TreeItem(tree_, TVGN_PARENT, item)) {
        drive = computer;
        computer = item;
    }
    ASSERT_NE(drive, nullptr);
    ASSERT_TRUE(SelectTreeItem(tree_, drive));
    ExpectEditText(scratch_.Path().substr(0, 3));

    ASSERT_TRUE(SelectTreeItem(tree_, computer));
    ExpectEditText("");
    ExpectOkEnabled(false);

    // The folder chosen in the tree is taken as it shows in the edit box.
    ASSERT_TRUE(SelectTreeItem(tree_, beta));
    ExpectEditText(Sub("Alpha\\Beta"));
    const std::string shown = EditText();
    ASSERT_TRUE(Click(ok_));
    ExpectResult(1, shown);
}

TEST_F(FolderBrowseTest, NoInitialFolderSelectsTheCurrentFolder)
{
    testsupport::MakeFolders(Sub("Current"));
    Open("--current", Sub("Current"));
    ExpectEditText(Sub("Current"));
}

TEST_F(FolderBrowseTest, OkIsEnabledExactlyWhileTheEditBoxHoldsText)
{
    Open(scratch_.Path());
    ExpectOkEnabled(true);
    ASSERT_TRUE(Type(""));
    ExpectOkEnabled(false);
    ASSERT_TRUE(Type("C"));
    ExpectOkEnabled(true);
    ASSERT_TRUE(Type(""));
    ExpectOkEnabled(false);
}

TEST_F(FolderBrowseTest, ATypedMissingFolderIsCreatedLevelByLevelOnYesAndChosen)
{
    Open();
    const std::string folder = Sub("New App\\Data");
    MessageBoxInfo box;
    ASSERT_TRUE(TypeAndPressOk(folder, &box));
    ExpectBox(box, Question(folder), {IDYES, IDNO});
    // The box belongs to the dialog, which cannot be used meanwhile.
    EXPECT_EQ(GetWindow(box.window, GW_OWNER), dialog_);
    EXPECT_FALSE(IsEnabled(dialog_));
    EXPECT_FALSE(PathExists(Sub("New App"))) << "created before the answer";
    ASSERT_TRUE(AnswerMessageBox(box, IDYES));
    ExpectResult(1, folder);
    EXPECT_TRUE(PathExists(Sub("New App")));
    EXPECT_TRUE(PathExists(folder));
}

TEST_F(FolderBrowseTest, EnterInTheEditBoxAcceptsAnExistingFolderWithoutAQuestion)
{
    Open();
    ASSERT_TRUE(Type(scratch_.Path()));
    // Enter goes through the dialog manager, which turns it into OK's
    // command. A question would keep the dialog open past the wait for its end.
    ASSERT_TRUE(PostMessageA(edit_, WM_KEYDOWN, VK_RETURN, 0x001C0001));
    ASSERT_TRUE(PostMessageA(edit_, WM_KEYUP, VK_RETURN, 0xC01C0001));
    ExpectResult(1, scratch_.Path());
}

TEST_F(FolderBrowseTest, EachInvalidFormIsRefusedAndTheDialogStaysOpen)
{
    Open();
    std::string overLong = scratch_.Path();
    while (overLong.size() <= 270)
        overLong += "\\Level";
    for (const std::string& folder : {std::string("C:\\Temp\\"), std::string("C:\\\\Temp"), std::string("C:Temp"),
                                      std::string("\\\\server\\share"), std::string("D:/data"),
                                      std::string("C:\\a.\\b"), std::string("C:\\ x"), std::string("C:\\x?"),
                                      overLong}) {
        SCOPED_TRACE(folder);
        MessageBoxInfo box;
        ASSERT_TRUE(TypeAndPressOk(folder, &box));
        ExpectBox(box, Invalid(folder), {IDOK});
        ASSERT_TRUE(AnswerMessageBox(box, IDOK));
        ExpectStillOpenWithFocusInEditBox();
        EXPECT_EQ(EditText(), folder);
    }
    EXPECT_FALSE(PathExists(Sub("Level"))) << "a cut-down over-long folder was created";
    ASSERT_TRUE(Click(FindChildById(dialog_, IDCANCEL)));
    ExpectResult(-1, "");
}

TEST_F(FolderBrowseTest, DecliningTheQuestionCreatesNothingAndKeepsTheDialogOpen)
{
    Open();
    // A "%" in the folder shows in the question as typed.
    const std::string folder = Sub("Missing 100%s\\Deep");
    MessageBoxInfo box;
    ASSERT_TRUE(TypeAndPressOk(folder, &box));
    ExpectBox(box, Question(folder), {IDYES, IDNO});
    ASSERT_TRUE(AnswerMessageBox(box, IDNO));
    ExpectStillOpenWithFocusInEditBox();
    MessageBoxInfo another;
    EXPECT_FALSE(WaitForBox(&another, 500)) << "unexpected box: " << another.text;
    EXPECT_FALSE(PathExists(Sub("Missing 100%s")));
}

TEST_F(FolderBrowseTest, AFolderThatCannotBeCreatedIsReportedAndTheDialogStaysOpen)
{
    // A file stands where the first missing level would go.
    testsupport::WriteFile(Sub("Blocker"), "not a folder");
    Open();
    const std::string folder = Sub("Blocker\\Sub");
    MessageBoxInfo box;
    ASSERT_TRUE(TypeAndPressOk(folder, &box));
    ExpectBox(box, Question(folder), {IDYES, IDNO});
    ASSERT_TRUE(AnswerMessageBox(box, IDYES));
    MessageBoxInfo failure;
    ASSERT_TRUE(WaitForBox(&failure));
    ExpectBox(failure, NotCreated(folder), {IDOK});
    ASSERT_TRUE(AnswerMessageBox(failure, IDOK));
    ExpectStillOpenWithFocusInEditBox();
}

TEST_F(FolderBrowseTest, CancelGivesMinusOne)
{
    Open(scratch_.Path());
    ExpectEditText(scratch_.Path());
    ASSERT_TRUE(Click(FindChildById(dialog_, IDCANCEL)));
    ExpectResult(-1, "");
}

// The machine side of the checks on its own.
TEST(FolderCheckSystemWin, CountsOnlyExistingFoldersAndCreatesOneLevel)
{
    ScratchFolder scratch("folder-checks");
    testsupport::WriteFile(scratch.Path() + "\\file.txt", "x");
    CWnd noWindow;
    FolderCheckSystemWin system(noWindow);
    EXPECT_TRUE(system.FolderExists(scratch.Path().c_str()));
    EXPECT_TRUE(system.FolderExists("C:\\"));
    EXPECT_FALSE(system.FolderExists((scratch.Path() + "\\file.txt").c_str())) << "a file is no folder";
    EXPECT_FALSE(system.FolderExists((scratch.Path() + "\\missing").c_str()));
    EXPECT_FALSE(system.FolderExists("Q:\\"));

    system.CreateOneFolder((scratch.Path() + "\\one").c_str());
    EXPECT_TRUE(system.FolderExists((scratch.Path() + "\\one").c_str()));
    system.CreateOneFolder((scratch.Path() + "\\two\\three").c_str());
    EXPECT_FALSE(system.FolderExists((scratch.Path() + "\\two").c_str())) << "only one level at a time";

    // The tree guard's answer, judged by where a link leads too.
    ASSERT_TRUE(testsupport::MakeFolderLink(scratch.Path() + "\\win", testsupport::WindowsFolder()));
    EXPECT_FALSE(system.InstallFolderRefusal((scratch.Path() + "\\win\\system32").c_str()).IsEmpty());
}

}  // namespace
