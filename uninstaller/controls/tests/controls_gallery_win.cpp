// Shows every styled page control in one window, set up as a page sets them
// up, so that a person can look at them (tests/show-controls.sh takes a
// screenshot). An optional argument closes the window after that many
// seconds.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <array>
#include <cstdlib>

#include "framework/app_win.h"
#include "framework/gdi_win.h"
#include "uninstaller/controls/color_button_win.h"
#include "uninstaller/controls/color_check_button_win.h"
#include "uninstaller/controls/color_static_win.h"
#include "uninstaller/controls/control_support_win.h"
#include "uninstaller/controls/etched_frame_win.h"
#include "uninstaller/controls/page_controls_win.h"
#include "uninstaller/controls/picture_static_win.h"
#include "uninstaller/controls/tests/control_test_support_win.h"

namespace {

using controltest::Rect;
using controltest::TestPicture;

constexpr UINT_PTR CloseTimer = 1;

class GalleryWindow : public CWnd {
public:
    bool Create(int closeAfterSeconds);

protected:
    void OnTimer(UINT_PTR id);
    void OnDestroy() { ::PostQuitMessage(0); }

    DECLARE_MESSAGE_MAP()

private:
    UINT NextId() { return nextId_++; }
    void AddTexts();
    void AddButtons();
    void AddPictures();
    void AddPlainControls();
    void ClientEdge(CWnd& control) { control.ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED); }

    UINT nextId_ = 3000;
    CFont pageFont_;
    std::array<CColorStatic, 12> texts_;
    std::array<CColorButton, 3> buttons_;
    std::array<CColorCheckButton, 3> checks_;
    std::array<CPictureStatic, 3> pictures_;
    std::array<CPictureStatic, 9> icons_;
    std::array<CColorStatic, 8> iconLabels_;
    CEtchedFrame frame_;
    CPageComboBox combo_;
    CPageEdit edit_;
    CPageProgressCtrl progress_;
    CPageRichEditCtrl rich_;
    CPageTreeCtrl tree_;
};

BEGIN_MESSAGE_MAP(GalleryWindow, CWnd)
    ON_WM_TIMER()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

bool GalleryWindow::Create(int closeAfterSeconds)
{
    const char* className =
        RegisterWindowClass("KelrunControlGallery", 0, nullptr, nullptr, ::GetSysColorBrush(COLOR_BTNFACE));
    if (!CreateEx(0, className, "kelrun page controls", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 0, 0, 760,
                  560, nullptr, nullptr))
        return false;

    // The page font as the main window makes it: status-bar font, 9 pt bold.
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
    LOGFONTA font = metrics.lfStatusFont;
    font.lfHeight = -12;
    font.lfWeight = FW_BOLD;
    lstrcpyA(font.lfFaceName, "Tahoma");
    pageFont_.CreateFontIndirect(font);

    AddTexts();
    AddButtons();
    AddPictures();
    AddPlainControls();
    if (closeAfterSeconds > 0)
        SetTimer(CloseTimer, static_cast<UINT>(closeAfterSeconds) * 1000);
    ShowWindow(SW_SHOW);
    return true;
}

void GalleryWindow::AddTexts()
{
    const DWORD plain = 0x50000000;
    const DWORD bordered = 0x50800000;
    CColorStatic& title = texts_[0];
    title.Create("Styled page controls", plain, Rect(12, 10, 300, 20), this, NextId());
    title.UsePageFont(&pageFont_);

    CColorStatic& wrapped = texts_[1];
    wrapped.Create("Red text in Times New Roman 11 pt on white, wrapped at word boundaries and left aligned.",
                   plain, Rect(12, 36, 220, 56), this, NextId());
    wrapped.SetTextFont("Times New Roman", 11, 0, 0);
    wrapped.SetBackColor("255,255,255");
    wrapped.SetTextColor(RGB(200, 0, 0));
    wrapped.SetAlignment("Left");

    CColorStatic& centred = texts_[2];
    centred.Create("Centred, bold italic on yellow", plain, Rect(12, 98, 220, 22), this, NextId());
    centred.SetTextFont("Tahoma", 9, 255, 255);
    centred.SetBackColor("255,240,120");
    centred.SetAlignment("Center");

    CColorStatic& right = texts_[3];
    right.Create("Right aligned, no fill", plain, Rect(12, 126, 220, 18), this, NextId());
    right.SetTextFont("Tahoma", 9, 0, 0);
    right.SetBackColor(FormatColorText(SystemButtonFace()));
    right.SetAlignment("Right");

    CColorStatic& link = texts_[4];
    link.Create("www.example.com (link)", plain, Rect(12, 150, 220, 18), this, NextId());
    link.SetTextFont("Tahoma", 9, 0, 0);
    link.SetLinkStyle(255);

    CColorStatic& linkOff = texts_[5];
    linkOff.Create("link on, then off: blue, no underline", plain, Rect(12, 172, 220, 18), this, NextId());
    linkOff.SetTextFont("Tahoma", 9, 0, 0);
    linkOff.SetLinkStyle(255);
    linkOff.SetLinkStyle(0);

    CColorStatic& rectangle = texts_[6];
    rectangle.Create("", plain, Rect(12, 196, 60, 30), this, NextId());
    rectangle.SetBackColor("255,255,255");
    CColorStatic& coloured = texts_[7];
    coloured.Create("", plain, Rect(80, 196, 60, 30), this, NextId());
    coloured.SetBackColor("40,120,200");

    CColorStatic& hotSpot = texts_[8];
    hotSpot.Create("", bordered, Rect(148, 196, 84, 30), this, NextId());

    CColorStatic& animation = texts_[9];
    animation.Create("Animation Box 1", bordered, Rect(12, 234, 220, 24), this, NextId());
    animation.SetFont(pageFont_);
    animation.SetAlignment("Center");

    CColorStatic& listView = texts_[10];
    listView.Create("ListView1", plain, Rect(12, 266, 220, 40), this, NextId());
    listView.SetBackColor("255,255,255");
    ClientEdge(listView);

    CColorStatic& big = texts_[11];
    big.Create("Arial 16 pt bold", plain, Rect(12, 312, 220, 30), this, NextId());
    big.SetTextFont("Arial", 16, 255, 0);
    big.SetTextColor(RGB(0, 110, 60));
}

void GalleryWindow::AddButtons()
{
    CColorButton& next = buttons_[0];
    next.Create("Next >", 0x50010000, Rect(12, 352, 90, 25), this, NextId());
    next.SetFont(pageFont_);
    CColorButton& styled = buttons_[1];
    styled.Create("Cancel", 0x50010000, Rect(110, 352, 90, 25), this, NextId());
    styled.SetTextFont("Times New Roman", 10, 0, 255);
    styled.SetBackColor("200,220,255");

    CColorButton& group = buttons_[2];
    group.Create("GroupBox 1", 0x50000007, Rect(12, 384, 220, 120), this, NextId());
    group.SetFont(pageFont_);
    group.SetBackColor("230,230,250");

    const struct {
        const char* text;
        DWORD style;
        UINT buttonStyle;
        const char* color;
    } checks[] = {
        {"I accept the agreement", 0x5001000B, BS_RADIOBUTTON, "230,230,250"},
        {"I do not accept", 0x5001000B, BS_RADIOBUTTON, "230,230,250"},
        {"Remove my settings too", 0x50000000, BS_CHECKBOX, "255,250,200"},
    };
    for (std::size_t i = 0; i < checks_.size(); ++i) {
        CColorCheckButton& check = checks_[i];
        check.Create(checks[i].text, checks[i].style, Rect(24, 406 + static_cast<int>(i) * 26, 190, 20), this,
                     NextId());
        check.SetButtonStyle(checks[i].buttonStyle, true);
        check.SetFont(pageFont_);
        check.SetBackColor(checks[i].color);
        check.SetSecondColor("255,255,255");
    }
    checks_[0].SetCheck(BST_CHECKED);
    checks_[2].SetCheck(BST_CHECKED);
}

void GalleryWindow::AddPictures()
{
    const char* files[] = {"halves64x48.bmp", "halves40x30.jpg", "transparent33x21.gif"};
    int x = 250;
    for (std::size_t i = 0; i < pictures_.size(); ++i) {
        CPictureStatic& picture = pictures_[i];
        picture.LoadPicture(TestPicture(files[i]).c_str());
        picture.Create("", 0x5000020E, Rect(x, 12, picture.GetPixelWidth(), picture.GetPixelHeight()), this,
                       NextId());
        picture.SetBackColor("0,200,0");
        x += picture.GetPixelWidth() + 12;
    }

    const char* names[] = {"EXCLAMATION", "INFO", "ERROR", "TYPICAL", "MINIMAL", "CUSTOM", "SETUP", "FOLDER"};
    frame_.Create("", 0x50000000, Rect(244, 74, 500, 84), this, NextId());
    for (int i = 0; i < 8; ++i) {
        CPictureStatic& icon = icons_[static_cast<std::size_t>(i)];
        icon.Create("", 0x50000203, Rect(264 + i * 60, 86, 32, 32), this, NextId());
        icon.SetBackColor(FormatColorText(SystemButtonFace()));
        icon.SetIconIndex(i);
        CColorStatic& label = iconLabels_[static_cast<std::size_t>(i)];
        label.Create(names[i], 0x50000000, Rect(246 + i * 60, 124, 68, 28), this, NextId());
        label.SetTextFont("Tahoma", 7, 0, 0);
        label.SetAlignment("Center");
    }
    CPictureStatic& onWhite = icons_[8];
    onWhite.Create("", 0x50000203, Rect(470, 214, 32, 32), this, NextId());
    onWhite.SetBackColor("255,255,255");
    onWhite.SetIconIndex(6);
}

void GalleryWindow::AddPlainControls()
{
    combo_.Create("", 0x50000803, Rect(250, 214, 200, 120), this, NextId());
    combo_.SetFont(pageFont_);
    combo_.AddString("C:\\Program Files\\Sample");
    combo_.AddString("D:\\Apps");
    combo_.SendMessage(CB_SETCURSEL, 0);

    edit_.Create("C:\\Program Files\\Sample", 0x50010004, Rect(250, 246, 200, 40), this, NextId());
    edit_.SetFont(pageFont_);
    ClientEdge(edit_);

    progress_.Create("", 0x50000000, Rect(250, 296, 490, 18), this, NextId());
    progress_.SetRange32(0, 100);
    progress_.SetPos(60);

    tree_.Create("", 0x50000002, Rect(250, 324, 200, 180), this, NextId());
    tree_.SetFont(pageFont_);
    ClientEdge(tree_);
    const HTREEITEM root = tree_.InsertItem("C:\\");
    tree_.InsertItem("Program Files", root);
    tree_.InsertItem("Windows", root);
    tree_.SendMessage(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));

    rich_.Create("A rich text box: the licence agreement goes here.\r\nSecond line.", 0x50201004,
                 Rect(464, 324, 276, 180), this, NextId());
    ClientEdge(rich_);
}

void GalleryWindow::OnTimer(UINT_PTR id)
{
    if (id == CloseTimer)
        DestroyWindow();
}

class GalleryApp : public CWinApp {
public:
    bool InitInstance() override
    {
        ::OleInitialize(nullptr);
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS};
        ::InitCommonControlsEx(&controls);
        const int seconds = __argc > 1 ? std::atoi(__argv[1]) : 0;
        if (!window_.Create(seconds))
            return false;
        m_pMainWnd = &window_;
        return true;
    }
    int ExitInstance() override
    {
        ::OleUninitialize();
        return CWinApp::ExitInstance();
    }

private:
    GalleryWindow window_;
};

GalleryApp galleryApp;

}  // namespace
