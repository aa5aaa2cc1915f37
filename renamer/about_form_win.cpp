#include "renamer/about_form_win.h"

#include "renamer/resource.h"

namespace pelmora {

namespace {

const FormFont kRegular{"Arial", 8.25, false, false};
const FormFont kClassFont{};

}  // namespace

BEGIN_MESSAGE_MAP(frmAbout, CForm)
    ON_WM_CREATE()
    ON_MESSAGE(DM_GETDEFID, OnGetDefId)
    // "OK" is the default button (Enter) and the cancel button: the dialog
    // keyboard handling turns Escape into IDCANCEL.
    ON_BN_CLICKED(IDC_CMDOK, OnCmdOKClick)
    ON_COMMAND(IDCANCEL, OnCmdOKClick)
END_MESSAGE_MAP()

bool frmAbout::Create()
{
    // The window class keeps the first icons it was registered with, so the
    // icons are made once and live as long as this object.
    if (!bigIcon_) {
        bigIcon_ = LoadIconResource(IDI_PELMORA, ::GetSystemMetrics(SM_CXICON));
        smallIcon_ = LoadIconResource(IDI_PELMORA, ::GetSystemMetrics(SM_CXSMICON));
        pictureIcon_ = LoadIconResource(IDI_PELMORA, 48);
    }
    if (!CreateForm("PelmoraAbout", "About Pelmora", 5295, 2040, ::GetSysColorBrush(COLOR_BTNFACE),
                    bigIcon_.Get(), smallIcon_.Get()))
        return false;
    Show();
    ::SetFocus(cmdOK);
    return true;
}

int frmAbout::OnCreate(CREATESTRUCTA*)
{
    const ControlRow design[] = {
        // control, id, class, text, {left, top, width, height} in twips, tab index, font, style,
        // extended style, tool tip
        {&picIcon, IDC_PICICON, "STATIC", nullptr, {240, 240, 780, 780}, 1, kClassFont, SS_ICON | SS_CENTERIMAGE,
         0, nullptr},
        {&lblTitle, IDC_LBLTITLE, "STATIC", " Pelmora ", {1110, 240, 1440, 255}, 2, kRegular, SS_LEFT, 0, nullptr},
        {&lblVersion, IDC_LBLVERSION, "STATIC", "Version 1.0.0", {1185, 540, 1410, 225}, 3, kRegular, SS_LEFT, 0,
         nullptr},
        {&Label2, IDC_ABOUT_LABEL2, "STATIC", "Date :-31/05/2006", {3315, 195, 1590, 225}, 5, kRegular, SS_LEFT, 0,
         nullptr},
        {&cmdOK, IDC_CMDOK, "BUTTON", "OK", {1920, 1560, 1260, 345}, 0, kRegular, WS_TABSTOP | BS_DEFPUSHBUTTON, 0,
         nullptr},
    };
    if (!CreateControls(design))
        return -1;
    picIcon.SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(pictureIcon_.Get()));
    return 0;
}

void frmAbout::OnCmdOKClick()
{
    DestroyWindow();
}

}  // namespace pelmora
