#include "renamer/main_form_win.h"

#include <commctrl.h>

#include "renamer/control_ids.h"
#include "renamer/batch_check.h"
#include "renamer/batch_texts.h"
#include "renamer/folder_scan_win.h"
#include "renamer/name_rule.h"
#include "renamer/resource.h"

namespace pelmora {

namespace {

const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);

const char kRenameTipBeforeTyping[] = "All Files In Selected Folder Will Be Rename as  ";

// The drive whose current folder the lists show until the user picks one.
constexpr char kStartDrive = 'C';

// A rename onto the very name the file has (after the file system drops
// trailing dots and blanks) leaves nothing to do.
bool RenameFile(const CString& from, const CString& to)
{
    if (StoredName(to.view()) == from.view())
        return true;
    return ::MoveFileA(from, to) != FALSE;
}

}  // namespace

BEGIN_MESSAGE_MAP(Main, CForm)
    ON_WM_CREATE()
    ON_WM_CTLCOLOR()
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
    if (!CreateControls())
        return -1;
    AddToolTips();

    // Load: the drive list starts on C:, and the lists follow its current folder.
    Drive1.Fill();
    if (Drive1.SetDrive(kStartDrive))
        OnDrive1Change();
    return 0;
}

bool Main::CreateControls()
{
    listFont_.CreatePointFont("Arial", 8.25);
    bold9_.CreatePointFont("Arial", 9, FW_BOLD);
    bold975_.CreatePointFont("Arial", 9.75, FW_BOLD);
    boldItalic975_.CreatePointFont("Arial", 9.75, FW_BOLD, true);
    boldItalic1125_.CreatePointFont("Arial", 11.25, FW_BOLD, true);
    bold12_.CreatePointFont("Arial", 12, FW_BOLD);

    // Children are made in tab order, which is also the order Tab visits them.
    // A drop-down combo box is as tall as its open list; the closed box takes
    // its height from the font.
    const DWORD listStyle = WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    const bool lists =
        CreateControl(Drive1, "COMBOBOX", nullptr, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, 405, 450,
                      1830, 3000, IDC_DRIVE1, listFont_) &&
        CreateControl(Dir1, "LISTBOX", nullptr, listStyle | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS,
                      WS_EX_CLIENTEDGE, 405, 1275, 1830, 2340, IDC_DIR1, listFont_) &&
        CreateControl(File1, "LISTBOX", nullptr, listStyle, WS_EX_CLIENTEDGE, 2370, 435, 2070, 3210,
                      IDC_FILE1, listFont_) &&
        CreateControl(Text1, "EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 4680, 975, 2010, 345,
                      IDC_TEXT1, listFont_);
    const bool buttons =
        lists &&
        CreateControl(Command3, "BUTTON", "Rename Now", WS_TABSTOP | BS_OWNERDRAW, 0, 5070, 1575, 1320, 390,
                      IDC_COMMAND3, bold9_) &&
        CreateControl(Command4, "BUTTON", "About !", WS_TABSTOP | BS_PUSHBUTTON, 0, 5340, 2145, 840, 375,
                      IDC_COMMAND4, bold975_) &&
        CreateControl(Command5, "BUTTON", "Exit", WS_TABSTOP | BS_PUSHBUTTON, 0, 6900, 4395, 585, 375,
                      IDC_COMMAND5, boldItalic975_);
    // Label2 takes mouse messages (SS_NOTIFY) so that its tool tip shows.
    const bool labels =
        buttons &&
        CreateControl(Label1, "STATIC", "Enter Prefix :-", SS_LEFT, 0, 4680, 570, 1215, 240, IDC_LABEL1,
                      bold9_) &&
        CreateControl(Label2, "STATIC", "By Korvath", SS_LEFT | SS_NOTIFY, 0, 375, 4470, 1725, 270,
                      IDC_LABEL2, boldItalic1125_) &&
        CreateControl(Progr, PROGRESS_CLASSA, nullptr, 0, WS_EX_STATICEDGE, 375, 3915, 7080, 345, IDC_PROGR, nullptr) &&
        CreateControl(Label3, "STATIC", "", SS_LEFT, 0, 3300, 4545, 1215, 255, IDC_LABEL3, bold975_) &&
        CreateControl(Label4, "STATIC", "Step 1.", SS_LEFT, 0, 390, 90, 960, 270, IDC_LABEL4, bold12_) &&
        CreateControl(Label5, "STATIC", "Step 2.", SS_LEFT, 0, 390, 900, 975, 285, IDC_LABEL5, bold12_) &&
        CreateControl(Label6, "STATIC", "Step 3.", SS_LEFT, 0, 2355, 75, 1215, 255, IDC_LABEL6, bold12_) &&
        CreateControl(Label7, "STATIC", "Step 4.", SS_LEFT, 0, 4695, 75, 990, 315, IDC_LABEL7, bold12_);
    if (!labels)
        return false;

    Dir1.Init();
    Command3.SetFaceColor(kWhite);
    Progr.SendMessage(PBM_SETRANGE32, 0, 100);
    Progr.SendMessage(PBM_SETPOS, 0);
    return true;
}

void Main::AddToolTips()
{
    if (!toolTips_.Create(m_hWnd))
        return;  // the window works without its tips
    toolTips_.AddTool(Drive1, "Select Drive Name Here!");
    toolTips_.AddTool(Dir1, "Double Click On The Folder You Want To Rename");
    toolTips_.AddTool(File1, "Hidden And System Files will Not Be Rename");
    toolTips_.AddTool(Text1, "Enter Your Prefix Name Here !");
    toolTips_.AddTool(Command3, kRenameTipBeforeTyping);
    toolTips_.AddTool(Command4, "About Pelmora");
    toolTips_.AddTool(Command5, "Exit Now");
    toolTips_.AddTool(Label2, "Korvath");
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

void Main::OnDrive1Change()
{
    const char drive = Drive1.GetDrive();
    // A drive without a readable medium leaves the folder and file lists on
    // the folder they show: the drive list alone shows the new choice.
    if (drive && Dir1.SetPath(CurrentFolderOfDrive(drive)))
        OnDir1Change();
}

void Main::OnDir1DblClick()
{
    const int line = static_cast<int>(Dir1.SendMessage(LB_GETCURSEL));
    const CString folder = Dir1.PathOfLine(line);
    if (!folder.IsEmpty() && Dir1.SetPath(folder))
        OnDir1Change();
}

void Main::OnDir1Change()
{
    File1.SetPath(Dir1.GetPath());
}

void Main::OnText1Change()
{
    toolTips_.UpdateTipText(Command3, RenameTip(Text1.GetWindowText()));
}

void Main::OnCommand3Click()
{
    const CString folder = File1.GetPath();
    const CString prefix = Text1.GetWindowText();
    answer = MessageBox(ConfirmationQuestion(folder, prefix), "Confirmation", MB_YESNO);
    if (answer != IDYES)
        return;

    Command5.EnableWindow(false);
    RunBatch(folder, prefix);
    Command5.EnableWindow(true);
    // The list shows the names on disk again, so a second batch works on them.
    File1.Refresh();
}

void Main::RunBatch(const CString& folder, const CString& prefix)
{
    // The check runs over what the folder holds now, hidden and system files
    // and subfolders included, since they take names too.
    FolderContents contents;
    if (!ReadFolder(folder, &contents)) {
        MessageBox(UnreadableFolderText(folder, SystemErrorText(::GetLastError())), nullptr,
                   MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    const std::vector<RenameStep> plan = PlanBatch(folder, File1.GetNames(), prefix);
    const BatchCheck check = CheckBatch(plan, contents.entries, &FoldNameCase);
    if (!check.ok()) {
        MessageBox(DescribeProblem(check, plan, folder), nullptr, MB_OK | MB_ICONEXCLAMATION);
        return;
    }

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
            Label3.SetWindowText(kBatchStoppedText);
            MessageBox(RenameFailureText(SystemErrorText(error), oldPath, newPath), nullptr, MB_OK | MB_ICONSTOP);
            return;
        }
        percent = step.percent;
        // The bar and the label change at most a hundred times, however many
        // files there are: painting them per file would cost more than renaming.
        if (percent != shown) {
            shown = percent;
            ShowPercent(percent);
        }
    }
    Label3.SetWindowText(kBatchDoneText);
}

void Main::ShowPercent(int value)
{
    Progr.SendMessage(PBM_SETPOS, static_cast<WPARAM>(value));
    Label3.SetWindowText(PercentText(value));
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
    MessageBox("Thanks! For Using Korvath Product", "Thanks !", MB_OK | MB_RTLREADING);
    // Closing the last form ends the program.
    about_.DestroyWindow();
    DestroyWindow();
}

}  // namespace pelmora
