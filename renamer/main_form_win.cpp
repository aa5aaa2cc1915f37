#include "renamer/main_form_win.h"

#include <commctrl.h>

#include "renamer/batch_check.h"
#include "renamer/batch_texts.h"
#include "renamer/control_ids.h"
#include "renamer/folder_scan_win.h"
#include "renamer/name_rule.h"
#include "renamer/resource.h"
#include "renamer/undo_plan.h"

namespace pelmora {

namespace {

const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);

// The drive whose current folder the lists show until the user picks one.
constexpr char kStartDrive = 'C';

// The fonts of the window: all Arial, the lists and the prefix box in the
// regular 8.25 points.
const FormFont kRegular{"Arial", 8.25, false, false};
const FormFont kBold9{"Arial", 9, true, false};
const FormFont kBold975{"Arial", 9.75, true, false};
const FormFont kBoldItalic975{"Arial", 9.75, true, true};
const FormFont kBoldItalic1125{"Arial", 11.25, true, true};
const FormFont kBold12{"Arial", 12, true, false};
const FormFont kClassFont{};

// The styles of the kinds of control. A drop-down combo box is as tall as
// its open list; the closed box takes its height from the font.
constexpr DWORD kListStyle = WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
constexpr DWORD kDriveList = WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
constexpr DWORD kFolderList = kListStyle | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
constexpr DWORD kFileList = kListStyle;
constexpr DWORD kTextBox = WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kFaceColorButton = WS_TABSTOP | BS_OWNERDRAW;
constexpr DWORD kButton = WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kLabel = SS_LEFT;
// A label with a tool tip must take mouse messages to show it.
constexpr DWORD kLabelWithTip = SS_LEFT | SS_NOTIFY;

// A rename onto the very name the file has (after the file system drops
// trailing dots and blanks) leaves nothing to do.
bool RenameFile(const CString& from, const CString& to)
{
    if (StoredName(to.view()) == from.view())
        return true;
    return ::MoveFileW(Widen(from.view()).c_str(), Widen(to.view()).c_str()) != FALSE;
}

}  // namespace

BEGIN_MESSAGE_MAP(Main, CForm)
    ON_WM_CREATE()
    ON_WM_CTLCOLOR()
    ON_MESSAGE(WM_SYSCOMMAND, OnSysCommand)
    ON_CONTROL(CBN_SELCHANGE, IDC_DRIVE1, OnDrive1Change)
    ON_CONTROL(LBN_DBLCLK, IDC_DIR1, OnDir1DblClick)
    ON_EN_CHANGE(IDC_TEXT1, OnText1Change)
    ON_BN_CLICKED(IDC_COMMAND3, OnCommand3Click)
    ON_BN_CLICKED(IDC_COMMAND4, OnCommand4Click)
    ON_BN_CLICKED(IDC_COMMAND5, OnCommand5Click)
END_MESSAGE_MAP()

bool Main::Create()
{
    bigIcon_ = LoadIconResource(IDI_PELMORA, ::GetSystemMetrics(SM_CXICON));
    smallIcon_ = LoadIconResource(IDI_PELMORA, ::GetSystemMetrics(SM_CXSMICON));
    background_.CreateSolidBrush(kBlack);
    if (!CreateForm("PelmoraMain", "Pelmora 1.0", 7695, 4935, background_, bigIcon_.Get(), smallIcon_.Get()))
        return false;
    Show();
    return true;
}

int Main::OnCreate(CREATESTRUCTA*)
{
    if (!CreateChildren())
        return -1;
    lastBatch_.AddMenuItem(m_hWnd);

    // Load: the drive list starts on C:, and the lists follow its current folder.
    Drive1.Fill();
    if (Drive1.SetDrive(kStartDrive))
        OnDrive1Change();
    return 0;
}

bool Main::CreateChildren()
{
    // Steps 1 to 3 down the left, step 4 and the buttons on the right, the
    // progress bar across the bottom with the credit, the progress text and
    // "Exit" under it.
    const ControlRow design[] = {
        // control, id, class, text, {left, top, width, height} in twips, tab index, font, style,
        // extended style, tool tip
        {&Drive1, IDC_DRIVE1, "COMBOBOX", nullptr, {405, 450, 1830, 3000}, 0, kRegular, kDriveList, 0,
         "Select Drive Name Here!"},
        {&Dir1, IDC_DIR1, "LISTBOX", nullptr, {405, 1275, 1830, 2340}, 1, kRegular, kFolderList,
         WS_EX_CLIENTEDGE, "Double Click On The Folder You Want To Rename"},
        {&File1, IDC_FILE1, "LISTBOX", nullptr, {2370, 435, 2070, 3210}, 2, kRegular, kFileList, WS_EX_CLIENTEDGE,
         "Hidden And System Files will Not Be Rename"},
        {&Text1, IDC_TEXT1, "EDIT", "", {4680, 975, 2010, 345}, 3, kRegular, kTextBox, WS_EX_CLIENTEDGE,
         "Enter Your Prefix Name Here !"},
        {&Command3, IDC_COMMAND3, "BUTTON", "Rename Now", {5070, 1575, 1320, 390}, 4, kBold9, kFaceColorButton, 0,
         "All Files In Selected Folder Will Be Rename as  "},
        {&Command4, IDC_COMMAND4, "BUTTON", "About !", {5340, 2145, 840, 375}, 5, kBold975, kButton, 0,
         "About Pelmora"},
        {&Command5, IDC_COMMAND5, "BUTTON", "Exit", {6900, 4395, 585, 375}, 6, kBoldItalic975, kButton, 0,
         "Exit Now"},
        {&Label1, IDC_LABEL1, "STATIC", "Enter Prefix :-", {4680, 570, 1215, 240}, 7, kBold9, kLabel, 0, nullptr},
        {&Label2, IDC_LABEL2, "STATIC", "By Korvath", {375, 4470, 1725, 270}, 8, kBoldItalic1125, kLabelWithTip,
         0, "Korvath"},
        {&Label3, IDC_LABEL3, "STATIC", "", {3300, 4545, 1215, 255}, 10, kBold975, kLabel, 0, nullptr},
        {&Label4, IDC_LABEL4, "STATIC", "Step 1.", {390, 90, 960, 270}, 11, kBold12, kLabel, 0, nullptr},
        {&Label5, IDC_LABEL5, "STATIC", "Step 2.", {390, 900, 975, 285}, 12, kBold12, kLabel, 0, nullptr},
        {&Label6, IDC_LABEL6, "STATIC", "Step 3.", {2355, 75, 1215, 255}, 13, kBold12, kLabel, 0, nullptr},
        {&Label7, IDC_LABEL7, "STATIC", "Step 4.", {4695, 75, 990, 315}, 14, kBold12, kLabel, 0, nullptr},
        {&Progr, IDC_PROGR, PROGRESS_CLASSA, nullptr, {375, 3915, 7080, 345}, 9, kClassFont, 0, WS_EX_STATICEDGE,
         nullptr},
    };
    if (!CreateControls(design))
        return false;

    Dir1.Init();
    Command3.SetFaceColor(kWhite);
    Progr.SendMessage(PBM_SETRANGE32, 0, 100);
    Progr.SendMessage(PBM_SETPOS, 0);
    return true;
}

HBRUSH Main::OnCtlColor(HDC dc, HWND control, UINT type)
{
    if (type != CTLCOLOR_STATIC)
        return reinterpret_cast<HBRUSH>(Default());
    ::SetTextColor(dc, kWhite);
    ::SetBkColor(dc, kBlack);
    // The step headings are transparent: the form's black shows through.
    const bool heading = control == Label4.GetSafeHwnd() || control == Label5.GetSafeHwnd() ||
                         control == Label6.GetSafeHwnd() || control == Label7.GetSafeHwnd();
    ::SetBkMode(dc, heading ? TRANSPARENT : OPAQUE);
    return background_;
}

CString Main::GetExtName(const CString& path) const
{
    return pelmora::GetExtName(path);
}

bool Main::PreTranslateMessage(MSG* message)
{
    // Ctrl+Z undoes the last batch wherever the focus is in the window. While
    // there is no batch to undo, the key does what it always does: the
    // prefix box takes back its last typing.
    const bool ctrlZ = message->message == WM_KEYDOWN && message->wParam == 'Z' && ::GetKeyState(VK_CONTROL) < 0 &&
                       ::GetKeyState(VK_SHIFT) >= 0 && ::GetKeyState(VK_MENU) >= 0;
    if (ctrlZ && lastBatch_.CanUndo()) {
        OnUndoLastRename();
        return true;
    }
    return CForm::PreTranslateMessage(message);
}

LRESULT Main::OnSysCommand(WPARAM command, LPARAM)
{
    if ((command & 0xFFF0) != kUndoLastRename)
        return Default();
    OnUndoLastRename();
    return 0;
}

void Main::OnDrive1Change()
{
    const char drive = Drive1.GetDrive();
    // A drive without a readable medium leaves the folder and file lists on
    // the folder they show: the drive list alone shows the new choice.
    FolderContents contents;
    if (drive && Dir1.SetPath(CurrentFolderOfDrive(drive), &contents))
        OnDir1Change(contents);
}

void Main::OnDir1DblClick()
{
    const int line = static_cast<int>(Dir1.SendMessage(LB_GETCURSEL));
    const CString folder = Dir1.PathOfLine(line);
    FolderContents contents;
    if (!folder.IsEmpty() && Dir1.SetPath(folder, &contents))
        OnDir1Change(contents);
}

// The file list takes the files the folder list has just read: a folder of
// many files is read once, not twice.
void Main::OnDir1Change(FolderContents& contents)
{
    File1.Show(Dir1.GetPath(), std::move(contents.files));
}

void Main::OnText1Change()
{
    SetToolTip(Command3, RenameTip(WindowText(Text1)));
}

void Main::OnCommand3Click()
{
    const CString folder = File1.GetPath();
    const CString prefix = WindowText(Text1);
    answer = Box(ConfirmationQuestion(folder, prefix), "Confirmation", MB_YESNO);
    if (answer != IDYES)
        return;
    RunBatch(folder, prefix);
}

// After every batch, whatever its end, the list shows the names on disk
// again, so that a second batch works on them.
void Main::RunBatch(const CString& folder, const CString& prefix)
{
    // The check runs over what the folder holds now, hidden and system files
    // and subfolders included, since they take names too. A refused batch has
    // not started: "Exit" stays enabled.
    FolderContents contents;
    if (!ReadFolder(folder, &contents)) {
        Box(UnreadableFolderText(folder, SystemErrorText(::GetLastError())), nullptr, MB_OK | MB_ICONEXCLAMATION);
        File1.Refresh();
        return;
    }
    const std::vector<RenameStep> plan = PlanBatch(folder, File1.GetNames(), prefix);
    const BatchCheck check = CheckBatch(plan, contents.entries);
    if (!check.ok()) {
        Box(DescribeProblem(check, plan, folder), nullptr, MB_OK | MB_ICONEXCLAMATION);
        File1.Refresh();
        return;
    }

    Command5.EnableWindow(false);
    // From the first rename on, only this batch can be undone.
    lastBatch_.Begin(folder);
    int shown = -1;
    for (const RenameStep& step : plan) {
        oldPath = step.oldPath;
        extName = GetExtName(oldPath);
        newPath = step.newPath;
        if (!RenameFile(oldPath, newPath)) {
            // Something the check could not foresee (a file in use, a file
            // that another program took away): stop here, keep what is done.
            const DWORD error = ::GetLastError();
            Command5.EnableWindow(true);
            lastBatch_.End();
            SetText(Label3, kBatchStoppedText);
            Box(RenameFailureText(SystemErrorText(error), oldPath, newPath), nullptr, MB_OK | MB_ICONSTOP);
            File1.Refresh();
            return;
        }
        lastBatch_.Add(step);
        percent = step.percent;
        // The bar and the label change at most a hundred times, however many
        // files there are: painting them per file would cost more than renaming.
        if (percent != shown) {
            shown = percent;
            ShowPercent(percent);
        }
    }
    // "Done !" comes last: when it shows, the batch is over in every respect.
    Command5.EnableWindow(true);
    lastBatch_.End();
    File1.Refresh();
    SetText(Label3, kBatchDoneText);
}

void Main::ShowPercent(int value)
{
    Progr.SendMessage(PBM_SETPOS, static_cast<WPARAM>(value));
    SetText(Label3, PercentText(value));
    // The batch does not return to the message loop until it ends; paint now
    // so that the user sees it advance.
    ::UpdateWindow(Progr);
    ::UpdateWindow(Label3);
}

void Main::OnCommand4Click()
{
    // One About window at most, and it never blocks this one.
    if (about_.GetSafeHwnd())
        about_.Show();
    else
        about_.Create();
}

void Main::OnCommand5Click()
{
    Box("Thanks! For Using Korvath Product", "Thanks !", MB_OK | MB_RTLREADING);
    // Closing the last form ends the program.
    about_.DestroyWindow();
    DestroyWindow();
}

// Renames back what the last batch renamed, as far as the folder as it is
// now allows, and says what was left.
void Main::OnUndoLastRename()
{
    if (!lastBatch_.CanUndo())
        return;
    if (Box(UndoQuestion(lastBatch_.Record()), "Confirmation", MB_YESNO) != IDYES)
        return;
    const CString folder = lastBatch_.Record().folder;
    const UndoOutcome outcome = lastBatch_.Undo();
    if (!outcome.folderRead) {
        Box(UnreadableFolderText(folder, SystemErrorText(outcome.readError)), nullptr, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    File1.Refresh();
    SetText(Label3, UndoResultText(outcome.restored, outcome.record.renames.size()));
    if (!outcome.left.empty())
        Box(LeftFilesText(outcome.record, outcome.left), nullptr, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace pelmora
