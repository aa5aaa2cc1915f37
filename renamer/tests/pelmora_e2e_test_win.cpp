// End-to-end tests of Pelmora: the real program, driven from outside by the
// UI driver as a user would, on a throw-away folder of the Wine prefix.
#include <windows.h>

#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/ascii_case.h"
#include "renamer/control_ids.h"
#include "tests/support/test_support_win.h"
#include "tools/uidriver/uidriver.h"

namespace pelmora {
namespace {

using testsupport::NamesIn;
using uidriver::MessageBoxInfo;

constexpr DWORD kTimeoutMs = 15000;

// The program in dist/, as Wine sees the Linux path (Z: is the root).
std::string PelmoraExe()
{
    return testsupport::WindowsPathOf(PELMORA_EXE);
}

// A file of the test folder whose contents are its own path.
void MakeFile(const std::string& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL)
{
    ASSERT_FALSE(testsupport::PathExists(path)) << path;
    testsupport::WriteFile(path, path);
    ASSERT_TRUE(testsupport::PathExists(path)) << path;
    if (attributes != FILE_ATTRIBUTE_NORMAL) {
        ASSERT_TRUE(testsupport::SetAttributes(path, attributes)) << path;
    }
}

using Names = std::vector<std::string>;
using WideNames = std::vector<std::wstring>;

std::wstring Wide(const std::string& ascii)
{
    return std::wstring(ascii.begin(), ascii.end());
}

// A file of any name, holding `contents`.
void MakeWideFile(const std::wstring& path, const std::string& contents)
{
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    EXPECT_TRUE(::WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr));
    ::CloseHandle(file);
}

std::string ContentsOf(const std::wstring& path)
{
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "(missing)";
    char buffer[256];
    DWORD read = 0;
    ::ReadFile(file, buffer, sizeof buffer, &read, nullptr);
    ::CloseHandle(file);
    return std::string(buffer, read);
}

// A window is centred on the screen when the room left of it equals the room
// right of it, and the room above the room below, give or take the odd pixel
// that an odd difference leaves.
void ExpectCentredOnTheScreen(HWND window, const char* which)
{
    SCOPED_TRACE(which);
    RECT box{};
    ASSERT_TRUE(::GetWindowRect(window, &box));
    // Room on the left less room on the right, room above less room below.
    const int unevenX = box.left - (::GetSystemMetrics(SM_CXSCREEN) - box.right);
    const int unevenY = box.top - (::GetSystemMetrics(SM_CYSCREEN) - box.bottom);
    EXPECT_TRUE(unevenX == 0 || unevenX == -1) << "left " << box.left << ", right " << box.right;
    EXPECT_TRUE(unevenY == 0 || unevenY == -1) << "top " << box.top << ", bottom " << box.bottom;
}

// Pixels for twips at 96 dots per inch, as the layout's twips come out.
constexpr int Pixels(int twips)
{
    return (twips + 7) / 15;
}

// A window's client area and a control's place in it, in twips as the layout
// gives them; a height of 0 is not checked (a drop-down list box takes its
// height from its font).
void ExpectClientSize(HWND window, const char* which, int widthTwips, int heightTwips)
{
    SCOPED_TRACE(which);
    RECT client{};
    ASSERT_TRUE(::GetClientRect(window, &client));
    EXPECT_EQ(client.right, Pixels(widthTwips));
    EXPECT_EQ(client.bottom, Pixels(heightTwips));
}

void ExpectPlaced(HWND window, HWND control, int left, int top, int width, int height)
{
    POINT origin{0, 0};
    ASSERT_TRUE(::ClientToScreen(window, &origin));
    RECT box{};
    ASSERT_TRUE(::GetWindowRect(control, &box));
    EXPECT_EQ(box.left - origin.x, Pixels(left));
    EXPECT_EQ(box.top - origin.y, Pixels(top));
    EXPECT_EQ(box.right - box.left, Pixels(width));
    if (height) {
        EXPECT_EQ(box.bottom - box.top, Pixels(height));
    }
}

// Each test gets its own folder C:\pelmora-e2e-<pid>-<test>\files and its
// own Pelmora, started in the folder above "files": the folder list opens
// on it (the current folder of drive C:), and "files" is one double click away.
class PelmoraTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        root_ = "C:\\pelmora-e2e-" + std::to_string(::GetCurrentProcessId()) + "-" + info->name();
        folder_ = root_ + "\\files";
        testsupport::RemoveTree(root_);
        ASSERT_TRUE(::CreateDirectoryA(root_.c_str(), nullptr));
        ASSERT_TRUE(::CreateDirectoryA(folder_.c_str(), nullptr));
    }

    void TearDown() override
    {
        if (program_.IsRunning())
            program_.Terminate();
        // The shell's delete takes names of any kind, which the helpers'
        // 8-bit calls cannot reach.
        const std::wstring tree = Wide(root_) + L'\0';
        SHFILEOPSTRUCTW remove{};
        remove.wFunc = FO_DELETE;
        remove.pFrom = tree.c_str();
        remove.fFlags = FOF_NO_UI;
        ::SHFileOperationW(&remove);
    }

    void Start()
    {
        ASSERT_TRUE(program_.Start(uidriver::BuildCommandLine({PelmoraExe()}), root_)) << PelmoraExe();
        uidriver::WindowQuery query;
        query.processId = program_.Id();
        query.caption = "Pelmora 1.0";
        main_ = uidriver::WaitForTopLevel(query, kTimeoutMs);
        ASSERT_NE(main_, nullptr);
        for (int id = IDC_DRIVE1; id <= IDC_LABEL7; ++id)
            ASSERT_NE(uidriver::WaitForChildById(main_, id, kTimeoutMs), nullptr) << "control " << id;
        // The lists are filled while the window is made; wait for the folder.
        ASSERT_TRUE(testsupport::WaitUntil([&] { return DirItems().size() >= 3; }, kTimeoutMs))
            << "folder list stays empty";
    }

    uidriver::WindowQuery AboutQuery() const
    {
        uidriver::WindowQuery about;
        about.processId = program_.Id();
        about.caption = "About Pelmora";
        return about;
    }

    // "About !" pressed: the About window shows.
    void OpenAbout(HWND* aboutWindow)
    {
        ASSERT_TRUE(uidriver::Click(Control(IDC_COMMAND4)));
        *aboutWindow = uidriver::WaitForTopLevel(AboutQuery(), kTimeoutMs);
        ASSERT_NE(*aboutWindow, nullptr);
    }

    HWND Control(int id) const { return uidriver::FindChildById(main_, id); }
    std::string Text(int id) const { return uidriver::GetText(Control(id)); }
    Names DirItems() const { return uidriver::GetListItems(Control(IDC_DIR1)); }
    Names FileItems() const { return uidriver::GetListItems(Control(IDC_FILE1)); }
    WideNames FileItemsW() const { return uidriver::GetListItemsW(Control(IDC_FILE1)); }
    std::wstring WideFile(const std::wstring& name) const { return Wide(folder_) + L"\\" + name; }

    // The system menu's last line, "Undo Last Rename", read off the screen.
    bool UndoItemGreyed()
    {
        std::vector<uidriver::MenuLine> lines;
        EXPECT_TRUE(uidriver::ReadSystemMenu(main_, kTimeoutMs, &lines));
        EXPECT_GE(lines.size(), 3u);
        return !lines.empty() && lines.back().greyed;
    }

    // Asks for the undo (the system menu's command or Ctrl+Z) and answers
    // its question; the question's text.
    std::wstring Undo(bool byKey, int answer = IDYES)
    {
        if (byKey) {
            EXPECT_TRUE(uidriver::PressKeys(main_, {VK_CONTROL, 'Z'}));
        } else {
            EXPECT_TRUE(::PostMessageW(main_, WM_SYSCOMMAND, 0x0010, 0));
        }
        MessageBoxInfo box;
        EXPECT_TRUE(uidriver::WaitForMessageBox(program_.Id(), kTimeoutMs, &box));
        EXPECT_EQ(box.caption, "Confirmation");
        EXPECT_EQ(box.buttons, (std::vector<int>{IDYES, IDNO}));
        EXPECT_TRUE(uidriver::AnswerMessageBox(box, answer));
        return box.wideText;
    }

    // Step 2: double-click "files" in the folder list; step 3 follows.
    void OpenFilesFolder(const Names& expectedFiles)
    {
        OpenFilesFolderUntil([&] { return FileItems() == expectedFiles; });
    }
    void OpenFilesFolderW(const WideNames& expectedFiles)
    {
        OpenFilesFolderUntil([&] { return FileItemsW() == expectedFiles; });
    }
    void OpenFilesFolderUntil(const std::function<bool()>& filesListed)
    {
        // A read across processes can come back empty when the machine is
        // busy: read until the line is there.
        Names dirs;
        ASSERT_TRUE(testsupport::WaitUntil([&] {
            dirs = DirItems();
            return std::find(dirs.begin(), dirs.end(), "files") != dirs.end();
        }, kTimeoutMs)) << "no folder \"files\" in the folder list";
        const auto line = std::find(dirs.begin(), dirs.end(), "files");
        ASSERT_TRUE(uidriver::DoubleClickListItem(Control(IDC_DIR1), static_cast<int>(line - dirs.begin())));
        ASSERT_TRUE(testsupport::WaitUntil([&] {
            const Names now = DirItems();
            return now.size() >= 3 && now[2] == "files" && filesListed();
        }, kTimeoutMs)) << "the file list did not follow the folder";
    }

    // Types a prefix and presses "Rename Now"; returns the confirmation box.
    MessageBoxInfo AskToRename(const std::string& prefix)
    {
        EXPECT_TRUE(uidriver::SetText(Control(IDC_TEXT1), prefix));
        EXPECT_TRUE(uidriver::Click(Control(IDC_COMMAND3)));
        MessageBoxInfo box;
        EXPECT_TRUE(uidriver::WaitForMessageBox(program_.Id(), kTimeoutMs, &box));
        return box;
    }

    void ExpectConfirmation(const MessageBoxInfo& box, const std::string& prefix)
    {
        EXPECT_EQ(box.caption, "Confirmation");
        EXPECT_EQ(box.text, "Do You Want To Rename All The Files In Folder '" + folder_ + "\\*.*' With Prefix Name '" +
                                prefix + "'");
        EXPECT_EQ(box.buttons, (std::vector<int>{IDYES, IDNO}));
    }

    // Answers Yes and waits for the batch's end text.
    void RenameAndWait(const std::string& prefix, const std::string& endText = "Done !")
    {
        const MessageBoxInfo box = AskToRename(prefix);
        ExpectConfirmation(box, prefix);
        ASSERT_TRUE(uidriver::AnswerMessageBox(box, IDYES));
        ASSERT_TRUE(testsupport::WaitUntil([&] { return Text(IDC_LABEL3) == endText; }, kTimeoutMs))
            << "Label3: " << Text(IDC_LABEL3);
    }

    std::string File(const std::string& name) const { return folder_ + "\\" + name; }

    uidriver::Process program_;
    HWND main_ = nullptr;
    std::string root_;
    std::string folder_;
};

TEST_F(PelmoraTest, RenamesTheListedFilesInOrderAndLeavesHiddenAndSystemFiles)
{
    for (const char* name : {"b.txt", "a.jpg", "c"})
        MakeFile(File(name));
    MakeFile(File("hidden.txt"), FILE_ATTRIBUTE_HIDDEN);
    MakeFile(File("system.dat"), FILE_ATTRIBUTE_SYSTEM);
    ASSERT_TRUE(::CreateDirectoryA(File("sub").c_str(), nullptr));
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(OpenFilesFolder({"a.jpg", "b.txt", "c"}));
    EXPECT_EQ(uidriver::GetToolTipText(Control(IDC_COMMAND3)), "All Files In Selected Folder Will Be Rename as  ");

    ASSERT_NO_FATAL_FAILURE(RenameAndWait("Trip"));

    EXPECT_EQ(uidriver::GetToolTipText(Control(IDC_COMMAND3)), "Files Will Be Rename As:- Trip01");
    EXPECT_EQ(NamesIn(folder_), (Names{"Trip0.jpg", "Trip1.txt", "Trip2", "hidden.txt", "sub", "system.dat"}));
    EXPECT_EQ(uidriver::GetProgressPos(Control(IDC_PROGR)), 100);
    EXPECT_TRUE(uidriver::IsEnabled(Control(IDC_COMMAND5)));
    // The list shows the names on disk, and a second batch works on them.
    EXPECT_EQ(FileItems(), (Names{"Trip0.jpg", "Trip1.txt", "Trip2"}));
    ASSERT_NO_FATAL_FAILURE(RenameAndWait(""));
    EXPECT_EQ(NamesIn(folder_), (Names{"0.jpg", "1.txt", "2", "hidden.txt", "sub", "system.dat"}));
    EXPECT_EQ(FileItems(), (Names{"0.jpg", "1.txt", "2"}));
}

TEST_F(PelmoraTest, NaturalOrderDecidesTheNumbers)
{
    for (const char* name : {"img10.png", "img2.png", "IMG1.png"})
        MakeFile(File(name));
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(OpenFilesFolder({"IMG1.png", "img2.png", "img10.png"}));
    ASSERT_NO_FATAL_FAILURE(RenameAndWait("P"));
    EXPECT_EQ(NamesIn(folder_), (Names{"P0.png", "P1.png", "P2.png"}));
}

TEST_F(PelmoraTest, AFileTakesItsOwnNameInAnotherCase)
{
    MakeFile(File("TRIP0.txt"));
    MakeFile(File("x.txt"));
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(OpenFilesFolder({"TRIP0.txt", "x.txt"}));
    // No clash refused, no rename failed: the batch runs to its end. (Windows
    // changes the case; Wine 8 keeps the old spelling, so the case is not checked.)
    ASSERT_NO_FATAL_FAILURE(RenameAndWait("Trip"));
    Names names = NamesIn(folder_);
    for (std::string& name : names)
        name = ToAsciiUpper(name);
    EXPECT_EQ(names, (Names{"TRIP0.TXT", "TRIP1.TXT"}));
}

TEST_F(PelmoraTest, OneFileEndsAtOneHundredPercent)
{
    MakeFile(File("only.txt"));
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(OpenFilesFolder({"only.txt"}));
    ASSERT_NO_FATAL_FAILURE(RenameAndWait("One"));
    EXPECT_EQ(NamesIn(folder_), (Names{"One0.txt"}));
    EXPECT_EQ(uidriver::GetProgressPos(Control(IDC_PROGR)), 100);
}

TEST_F(PelmoraTest, AnsweringNoChangesNothing)
{
    MakeFile(File("a.txt"));
    MakeFile(File("b.txt"));
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(OpenFilesFolder({"a.txt", "b.txt"}));
    const MessageBoxInfo box = AskToRename("Trip");
    ExpectConfirmation(box, "Trip");
    ASSERT_TRUE(uidriver::AnswerMessageBox(box, IDNO));

    EXPECT_EQ(NamesIn(folder_), (Names{"a.txt", "b.txt"}));
    EXPECT_EQ(Text(IDC_LABEL3), "");
    EXPECT_EQ(uidriver::GetProgressPos(Control(IDC_PROGR)), 0);
    EXPECT_TRUE(uidriver::IsEnabled(Control(IDC_COMMAND5)));
}

TEST_F(PelmoraTest, AClashSeenInAdvanceRenamesNothing)
{
    MakeFile(File("a.txt"));
    MakeFile(File("b.txt"));
    MakeFile(File("c.txt"));
    // Not listed, but it takes the second file's new name (in another case).
    MakeFile(File("TRIP1.TXT"), FILE_ATTRIBUTE_HIDDEN);
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(OpenFilesFolder({"a.txt", "b.txt", "c.txt"}));
    const MessageBoxInfo question = AskToRename("Trip");
    ASSERT_TRUE(uidriver::AnswerMessageBox(question, IDYES));

    MessageBoxInfo refusal;
    ASSERT_TRUE(uidriver::WaitForMessageBox(program_.Id(), kTimeoutMs, &refusal));
    EXPECT_EQ(refusal.caption, "Pelmora");
    EXPECT_NE(refusal.text.find("'Trip1.txt'"), std::string::npos) << refusal.text;
    EXPECT_NE(refusal.text.find("Nothing has been renamed."), std::string::npos) << refusal.text;
    EXPECT_EQ(NamesIn(folder_), (Names{"TRIP1.TXT", "a.txt", "b.txt", "c.txt"}));
    ASSERT_TRUE(uidriver::AnswerMessageBox(refusal, IDOK));

    EXPECT_EQ(NamesIn(folder_), (Names{"TRIP1.TXT", "a.txt", "b.txt", "c.txt"}));
    EXPECT_TRUE(uidriver::IsEnabled(Control(IDC_COMMAND5)));
    EXPECT_EQ(uidriver::GetProgressPos(Control(IDC_PROGR)), 0);
}

TEST_F(PelmoraTest, AFailedRenameStopsTheBatchAndKeepsTheProgramRunning)
{
    MakeFile(File("a.txt"));
    MakeFile(File("b.txt"));
    MakeFile(File("c.txt"));
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(OpenFilesFolder({"a.txt", "b.txt", "c.txt"}));
    // Held open without sharing: the system refuses to rename it.
    HANDLE held = ::CreateFileA(File("b.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    const MessageBoxInfo question = AskToRename("P");
    ASSERT_TRUE(uidriver::AnswerMessageBox(question, IDYES));
    MessageBoxInfo failure;
    ASSERT_TRUE(uidriver::WaitForMessageBox(program_.Id(), kTimeoutMs, &failure));
    ::CloseHandle(held);

    EXPECT_EQ(failure.caption, "Pelmora");
    EXPECT_EQ(failure.text.rfind("Error 32: ", 0), 0u) << failure.text;
    EXPECT_NE(failure.text.find("Old name: " + File("b.txt")), std::string::npos) << failure.text;
    EXPECT_NE(failure.text.find("New name: " + File("P1.txt")), std::string::npos) << failure.text;
    EXPECT_EQ(Text(IDC_LABEL3), "Stopped");
    EXPECT_TRUE(uidriver::IsEnabled(Control(IDC_COMMAND5)));
    ASSERT_TRUE(uidriver::AnswerMessageBox(failure, IDOK));

    EXPECT_TRUE(program_.IsRunning());
    EXPECT_EQ(NamesIn(folder_), (Names{"P0.txt", "b.txt", "c.txt"}));
    ASSERT_TRUE(
        testsupport::WaitUntil([&] { return FileItems() == Names{"b.txt", "c.txt", "P0.txt"}; }, kTimeoutMs));
}

TEST_F(PelmoraTest, AboutOpensOnceWithoutBlockingAndExitSaysFarewell)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    const uidriver::WindowQuery about = AboutQuery();
    HWND aboutWindow = nullptr;
    ASSERT_NO_FATAL_FAILURE(OpenAbout(&aboutWindow));
    EXPECT_NE(uidriver::FindChildByText(aboutWindow, " Pelmora "), nullptr);
    EXPECT_NE(uidriver::FindChildByText(aboutWindow, "Version 1.0.0"), nullptr);
    EXPECT_NE(uidriver::FindChildByText(aboutWindow, "Date :-31/05/2006"), nullptr);

    // The main window still answers, and a second press opens no second window.
    EXPECT_TRUE(uidriver::IsEnabled(main_));
    ASSERT_TRUE(uidriver::Click(Control(IDC_COMMAND4)));
    // The click is posted and has no other sign of being handled than the
    // About window coming forward; a second window would show up by then.
    ::Sleep(500);
    EXPECT_EQ(uidriver::FindAllTopLevel(about).size(), 1u);
    EXPECT_TRUE(uidriver::IsVisible(aboutWindow));

    // "OK" closes it; "About !" opens it again.
    ASSERT_TRUE(uidriver::Click(uidriver::FindChildByText(aboutWindow, "OK", "Button")));
    ASSERT_TRUE(uidriver::WaitForGoneOrHidden(aboutWindow, kTimeoutMs));
    ASSERT_TRUE(uidriver::Click(Control(IDC_COMMAND4)));
    ASSERT_NE(uidriver::WaitForTopLevel(about, kTimeoutMs), nullptr);

    // Exit: the farewell box, then the program ends, the About window with it.
    ASSERT_TRUE(uidriver::Click(Control(IDC_COMMAND5)));
    MessageBoxInfo farewell;
    ASSERT_TRUE(uidriver::WaitForMessageBox(program_.Id(), kTimeoutMs, &farewell));
    EXPECT_EQ(farewell.caption, "Thanks !");
    EXPECT_EQ(farewell.text, "Thanks! For Using Korvath Product");
    EXPECT_EQ(farewell.buttons, (std::vector<int>{IDOK}));
    EXPECT_TRUE(program_.IsRunning());
    ASSERT_TRUE(uidriver::AnswerMessageBox(farewell, IDOK));
    DWORD exitCode = 1;
    ASSERT_TRUE(program_.WaitForExit(kTimeoutMs, &exitCode));
    EXPECT_EQ(exitCode, 0u);
}

TEST_F(PelmoraTest, ClosingTheMainWindowEndsTheProgramOnceAboutIsClosedToo)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    const uidriver::WindowQuery about = AboutQuery();
    HWND aboutWindow = nullptr;
    ASSERT_NO_FATAL_FAILURE(OpenAbout(&aboutWindow));

    // The close box: no farewell box, and the About window stays open.
    ASSERT_TRUE(::PostMessageA(main_, WM_CLOSE, 0, 0));
    ASSERT_TRUE(uidriver::WaitForGoneOrHidden(main_, kTimeoutMs));
    ::Sleep(300);
    EXPECT_TRUE(program_.IsRunning());
    MessageBoxInfo box;
    EXPECT_FALSE(uidriver::WaitForMessageBox(program_.Id(), 200, &box)) << box.text;
    EXPECT_TRUE(uidriver::IsVisible(aboutWindow));

    // Escape in the About window presses its cancel button, "OK".
    ::SetForegroundWindow(aboutWindow);
    ASSERT_TRUE(::PostMessageA(uidriver::FindChildByText(aboutWindow, "OK", "Button"), WM_KEYDOWN, VK_ESCAPE, 0));
    DWORD exitCode = 1;
    ASSERT_TRUE(program_.WaitForExit(kTimeoutMs, &exitCode));
    EXPECT_EQ(exitCode, 0u);
}

TEST_F(PelmoraTest, ControlsSitWhereTheLayoutPutsThemWithTheirTextsAndTips)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    ExpectClientSize(main_, "Main", 7695, 4935);

    struct Expected {
        int id;
        int left, top, width, height;  // twips; height 0: not checked
        const char* text;              // null: not checked
        const char* tip;
    };
    const Expected controls[] = {
        {IDC_DRIVE1, 405, 450, 1830, 0, nullptr, "Select Drive Name Here!"},
        {IDC_DIR1, 405, 1275, 1830, 2340, nullptr, "Double Click On The Folder You Want To Rename"},
        {IDC_FILE1, 2370, 435, 2070, 3210, nullptr, "Hidden And System Files will Not Be Rename"},
        {IDC_TEXT1, 4680, 975, 2010, 345, "", "Enter Your Prefix Name Here !"},
        {IDC_COMMAND3, 5070, 1575, 1320, 390, "Rename Now", "All Files In Selected Folder Will Be Rename as  "},
        {IDC_COMMAND4, 5340, 2145, 840, 375, "About !", "About Pelmora"},
        {IDC_COMMAND5, 6900, 4395, 585, 375, "Exit", "Exit Now"},
        {IDC_LABEL1, 4680, 570, 1215, 240, "Enter Prefix :-", ""},
        {IDC_LABEL2, 375, 4470, 1725, 270, "By Korvath", "Korvath"},
        {IDC_PROGR, 375, 3915, 7080, 345, nullptr, ""},
        {IDC_LABEL3, 3300, 4545, 1215, 255, "", ""},
        {IDC_LABEL4, 390, 90, 960, 270, "Step 1.", ""},
        {IDC_LABEL5, 390, 900, 975, 285, "Step 2.", ""},
        {IDC_LABEL6, 2355, 75, 1215, 255, "Step 3.", ""},
        {IDC_LABEL7, 4695, 75, 990, 315, "Step 4.", ""},
    };
    for (const Expected& c : controls) {
        SCOPED_TRACE("control " + std::to_string(c.id));
        HWND control = Control(c.id);
        ExpectPlaced(main_, control, c.left, c.top, c.width, c.height);
        if (c.text) {
            EXPECT_EQ(uidriver::GetText(control), c.text);
        }
        EXPECT_EQ(uidriver::GetToolTipText(control), c.tip);
    }

    // Tab order: the focusable controls, left to right as the steps go.
    std::vector<int> tabOrder;
    for (const uidriver::ChildInfo& child : uidriver::ListChildren(main_)) {
        if (::GetParent(child.window) == main_ && (::GetWindowLongA(child.window, GWL_STYLE) & WS_TABSTOP))
            tabOrder.push_back(child.id);
    }
    EXPECT_EQ(tabOrder, (std::vector<int>{IDC_DRIVE1, IDC_DIR1, IDC_FILE1, IDC_TEXT1, IDC_COMMAND3, IDC_COMMAND4,
                                          IDC_COMMAND5}));
    int low = -1;
    int high = -1;
    ASSERT_TRUE(uidriver::GetProgressRange(Control(IDC_PROGR), &low, &high));
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 100);
    EXPECT_EQ(uidriver::GetProgressPos(Control(IDC_PROGR)), 0);
}

TEST_F(PelmoraTest, BothWindowsOpenCentredOnTheScreenNotOnTheWorkArea)
{
    // The taskbar takes a strip off the work area, so a window centred on the
    // work area sits half that strip away from the screen's centre.
    RECT work{};
    ASSERT_TRUE(::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    const int offCentre = std::abs(work.left + work.right - ::GetSystemMetrics(SM_CXSCREEN)) +
                          std::abs(work.top + work.bottom - ::GetSystemMetrics(SM_CYSCREEN));
    ASSERT_GE(offCentre, 2) << "the work area shares the screen's centre here, so this test cannot tell them apart";

    ASSERT_NO_FATAL_FAILURE(Start());
    HWND aboutWindow = nullptr;
    ASSERT_NO_FATAL_FAILURE(OpenAbout(&aboutWindow));
    ExpectCentredOnTheScreen(main_, "Main");
    ExpectCentredOnTheScreen(aboutWindow, "frmAbout");
}

TEST_F(PelmoraTest, AboutControlsSitWhereTheLayoutPutsThemInTabOrder)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    HWND aboutWindow = nullptr;
    ASSERT_NO_FATAL_FAILURE(OpenAbout(&aboutWindow));
    ExpectClientSize(aboutWindow, "frmAbout", 5295, 2040);

    struct Expected {
        int id;
        int left, top, width, height;  // twips
        const char* text;
    };
    const Expected controls[] = {
        {IDC_CMDOK, 1920, 1560, 1260, 345, "OK"},
        {IDC_PICICON, 240, 240, 780, 780, ""},
        {IDC_LBLTITLE, 1110, 240, 1440, 255, " Pelmora "},
        {IDC_LBLVERSION, 1185, 540, 1410, 225, "Version 1.0.0"},
        {IDC_ABOUT_LABEL2, 3315, 195, 1590, 225, "Date :-31/05/2006"},
    };
    for (const Expected& c : controls) {
        SCOPED_TRACE("control " + std::to_string(c.id));
        HWND control = uidriver::FindChildById(aboutWindow, c.id);
        ExpectPlaced(aboutWindow, control, c.left, c.top, c.width, c.height);
        EXPECT_EQ(uidriver::GetText(control), c.text);
    }
    // "OK" comes first in tab order and is the default button; the picture
    // shows the application icon.
    std::vector<int> order;
    for (const uidriver::ChildInfo& child : uidriver::ListChildren(aboutWindow))
        order.push_back(child.id);
    EXPECT_EQ(order, (std::vector<int>{IDC_CMDOK, IDC_PICICON, IDC_LBLTITLE, IDC_LBLVERSION, IDC_ABOUT_LABEL2}));
    HWND ok = uidriver::FindChildById(aboutWindow, IDC_CMDOK);
    EXPECT_EQ(::GetWindowLongA(ok, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_NE(::SendMessageA(uidriver::FindChildById(aboutWindow, IDC_PICICON), STM_GETICON, 0, 0), 0);
}

TEST_F(PelmoraTest, EnterInTheAboutWindowPressesOk)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    HWND aboutWindow = nullptr;
    ASSERT_NO_FATAL_FAILURE(OpenAbout(&aboutWindow));
    ::SetForegroundWindow(aboutWindow);
    ASSERT_TRUE(::PostMessageA(uidriver::FindChildById(aboutWindow, IDC_CMDOK), WM_KEYDOWN, VK_RETURN, 0));
    ASSERT_TRUE(uidriver::WaitForGoneOrHidden(aboutWindow, kTimeoutMs));
    EXPECT_TRUE(program_.IsRunning());
    EXPECT_TRUE(uidriver::IsVisible(main_));
}

TEST_F(PelmoraTest, TheDriveListMovesTheFolderListToThatDrive)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    HWND drives = Control(IDC_DRIVE1);
    const Names entries = uidriver::GetComboItems(drives);
    const auto c = std::find_if(entries.begin(), entries.end(), [](const std::string& e) { return e.rfind("c:", 0) == 0; });
    const auto z = std::find_if(entries.begin(), entries.end(), [](const std::string& e) { return e.rfind("z:", 0) == 0; });
    ASSERT_NE(c, entries.end());
    ASSERT_NE(z, entries.end());
    EXPECT_EQ(uidriver::GetComboSelection(drives), c - entries.begin());
    const Names folders = DirItems();
    ASSERT_FALSE(folders.empty());
    EXPECT_EQ(folders[0], "c:\\");

    ASSERT_TRUE(uidriver::SelectComboItem(drives, static_cast<int>(z - entries.begin())));
    ASSERT_TRUE(testsupport::WaitUntil(
        [&] {
            const Names items = DirItems();
            return !items.empty() && items[0] == "z:\\";
        },
        kTimeoutMs));
    // Back on C:, the folder list returns to that drive's current folder.
    ASSERT_TRUE(uidriver::SelectComboItem(drives, static_cast<int>(c - entries.begin())));
    ASSERT_TRUE(testsupport::WaitUntil([&] {
        const Names dirs = DirItems();
        return dirs.size() >= 3 && dirs[0] == "c:\\" && dirs[2] == "files";
    }, kTimeoutMs));
}

TEST_F(PelmoraTest, NamesOutsideTheCodePageAreListedRenamedAndUndone)
{
    const WideNames names = {L"a.txt", L"b.txt", L"c.txt", L"emoji😀.txt", L"naïve.txt", L"Ελληνικά.doc", L"日本.txt"};
    for (std::size_t i = 0; i < names.size(); ++i)
        MakeWideFile(WideFile(names[i]), std::to_string(i));
    ASSERT_TRUE(::CreateDirectoryW(WideFile(L"データ").c_str(), nullptr));
    MakeWideFile(WideFile(L"データ\\写真.jpg"), "photo");
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(OpenFilesFolderW(names));
    const WideNames dirs = uidriver::GetListItemsW(Control(IDC_DIR1));
    EXPECT_EQ(dirs.back(), L"データ");

    // A prefix outside the code page too, in the tip and the question.
    ASSERT_TRUE(uidriver::SetTextW(Control(IDC_TEXT1), L"Фото"));
    EXPECT_EQ(uidriver::GetToolTipTextW(Control(IDC_COMMAND3)), L"Files Will Be Rename As:- Фото01");
    ASSERT_TRUE(uidriver::Click(Control(IDC_COMMAND3)));
    MessageBoxInfo question;
    ASSERT_TRUE(uidriver::WaitForMessageBox(program_.Id(), kTimeoutMs, &question));
    EXPECT_EQ(question.wideText,
              L"Do You Want To Rename All The Files In Folder '" + Wide(folder_) + L"\\*.*' With Prefix Name 'Фото'");
    ASSERT_TRUE(uidriver::AnswerMessageBox(question, IDYES));
    ASSERT_TRUE(testsupport::WaitUntil([&] { return Text(IDC_LABEL3) == "Done !"; }, kTimeoutMs));

    const WideNames renamed = {L"Фото0.txt", L"Фото1.txt", L"Фото2.txt", L"Фото3.txt",
                               L"Фото4.txt", L"Фото5.doc", L"Фото6.txt"};
    EXPECT_EQ(FileItemsW(), renamed);
    for (std::size_t i = 0; i < renamed.size(); ++i)
        EXPECT_EQ(ContentsOf(WideFile(renamed[i])), std::to_string(i)) << i;

    EXPECT_EQ(Undo(false), L"Do You Want To Undo The Last Rename And Give 7 Files In Folder '" + Wide(folder_) +
                               L"' Their Old Names Back");
    ASSERT_TRUE(testsupport::WaitUntil([&] { return Text(IDC_LABEL3) == "Undone !"; }, kTimeoutMs));
    EXPECT_EQ(FileItemsW(), names);
    for (std::size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(ContentsOf(WideFile(names[i])), std::to_string(i)) << i;

    // The folder of any name opens.
    ASSERT_TRUE(uidriver::DoubleClickListItem(Control(IDC_DIR1), static_cast<int>(dirs.size() - 1)));
    EXPECT_TRUE(testsupport::WaitUntil([&] { return FileItemsW() == WideNames{L"写真.jpg"}; }, kTimeoutMs));
}

TEST_F(PelmoraTest, UndoIsGreyedUntilABatchRenamesAFileAndUndoesOneBatchOnce)
{
    MakeFile(File("a.txt"));
    MakeFile(File("b.txt"));
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(OpenFilesFolder({"a.txt", "b.txt"}));
    EXPECT_TRUE(UndoItemGreyed());
    // Nothing to undo: Ctrl+Z asks nothing.
    ASSERT_TRUE(uidriver::PressKeys(main_, {VK_CONTROL, 'Z'}));
    MessageBoxInfo box;
    EXPECT_FALSE(uidriver::WaitForMessageBox(program_.Id(), 500, &box)) << box.text;

    ASSERT_NO_FATAL_FAILURE(RenameAndWait("P"));
    EXPECT_FALSE(UndoItemGreyed());
    // No keeps the batch's names and its undo.
    Undo(true, IDNO);
    EXPECT_EQ(NamesIn(folder_), (Names{"P0.txt", "P1.txt"}));
    EXPECT_FALSE(UndoItemGreyed());

    EXPECT_EQ(Undo(true), L"Do You Want To Undo The Last Rename And Give 2 Files In Folder '" + Wide(folder_) +
                              L"' Their Old Names Back");
    ASSERT_TRUE(testsupport::WaitUntil([&] { return Text(IDC_LABEL3) == "Undone !"; }, kTimeoutMs));
    EXPECT_EQ(NamesIn(folder_), (Names{"a.txt", "b.txt"}));
    EXPECT_TRUE(UndoItemGreyed());
    ASSERT_TRUE(::PostMessageW(main_, WM_SYSCOMMAND, 0x0010, 0));
    EXPECT_FALSE(uidriver::WaitForMessageBox(program_.Id(), 500, &box)) << box.text;
}

TEST_F(PelmoraTest, UndoLeavesFilesTheFolderNoLongerLetsItRestore)
{
    for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt"})
        MakeFile(File(name));
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(OpenFilesFolder({"a.txt", "b.txt", "c.txt", "d.txt"}));
    ASSERT_NO_FATAL_FAILURE(RenameAndWait("P"));
    // Since the batch, one of its files is gone and another's old name taken.
    ASSERT_TRUE(::DeleteFileA(File("P1.txt").c_str()));
    testsupport::WriteFile(File("c.txt"), "new");

    Undo(true);
    MessageBoxInfo left;
    ASSERT_TRUE(uidriver::WaitForMessageBox(program_.Id(), kTimeoutMs, &left));
    EXPECT_EQ(left.caption, "Pelmora");
    EXPECT_EQ(left.text, "These files in the folder '" + folder_ + "' keep the names the batch gave them:\n\n"
                         "P1.txt (was b.txt): it is no longer in the folder.\n"
                         "P2.txt (was c.txt): another file or folder has its old name now.\n\n"
                         "2 of 4 files have their old names back.");
    // The others are restored first; the file list and the label follow.
    EXPECT_EQ(NamesIn(folder_), (Names{"P2.txt", "a.txt", "c.txt", "d.txt"}));
    EXPECT_EQ(testsupport::ReadFile(File("c.txt")), "new");
    EXPECT_EQ(FileItems(), (Names{"a.txt", "c.txt", "d.txt", "P2.txt"}));
    EXPECT_EQ(Text(IDC_LABEL3), "Part undone");
    ASSERT_TRUE(uidriver::AnswerMessageBox(left, IDOK));
}

TEST_F(PelmoraTest, ABatchThatStoppedIsUndoneForTheFilesItRenamed)
{
    for (const char* name : {"a.txt", "b.txt", "c.txt"})
        MakeFile(File(name));
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(OpenFilesFolder({"a.txt", "b.txt", "c.txt"}));
    HANDLE held = ::CreateFileA(File("b.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(uidriver::AnswerMessageBox(AskToRename("P"), IDYES));
    MessageBoxInfo failure;
    ASSERT_TRUE(uidriver::WaitForMessageBox(program_.Id(), kTimeoutMs, &failure));
    ::CloseHandle(held);
    ASSERT_TRUE(uidriver::AnswerMessageBox(failure, IDOK));

    EXPECT_EQ(Undo(false), L"Do You Want To Undo The Last Rename And Give 1 File In Folder '" + Wide(folder_) +
                               L"' Its Old Name Back");
    ASSERT_TRUE(testsupport::WaitUntil([&] { return Text(IDC_LABEL3) == "Undone !"; }, kTimeoutMs));
    EXPECT_EQ(NamesIn(folder_), (Names{"a.txt", "b.txt", "c.txt"}));
}

}  // namespace
}  // namespace pelmora
