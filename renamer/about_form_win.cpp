#include "renamer/about_form_win.h"

#include "renamer/resource.h"

namespace pelmora {

BEGIN_MESSAGE_MAP(frmAbout, CForm)
    ON_WM_CREATE()
    ON_MESSAGE(DM_GETDEFID, OnGetDefId)
    // "OK" is the default button (Enter) and the cancel button (Escape, close box).
    ON_COMMAND(IDOK, OnCmdOKClick)
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
        font_.CreatePointFont("Arial", 8.25);
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
    // Created in tab order: "OK" takes the focus first.
    const bool created =
        CreateControl(cmdOK, "BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 1920, 1560, 1260, 345, IDOK,
                      font_) &&
        CreateControl(picIcon, "STATIC", nullptr, SS_ICON | SS_CENTERIMAGE, 0, 240, 240, 780, 780, 1001,
                      nullptr) &&
        CreateControl(lblTitle, "STATIC", " Pelmora ", SS_LEFT, 0, 1110, 240, 1440, 255, 1002, font_) &&
        CreateControl(lblVersion, "STATIC", "Version 1.0.0", SS_LEFT, 0, 1185, 540, 1410, 225, 1003, font_) &&
        CreateControl(Label2, "STATIC", "Date :-31/05/2006", SS_LEFT, 0, 3315, 195, 1590, 225, 1004, font_);
    if (!created)
        return -1;
    picIcon.SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(pictureIcon_.Get()));
    return 0;
}

void frmAbout::OnCmdOKClick()
{
    DestroyWindow();
}

}  // namespace pelmora
