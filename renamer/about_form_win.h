// frmAbout: the small window with the program's title, version, date and icon.
#pragma once

#include "framework/icon_win.h"
#include "renamer/control_ids.h"
#include "renamer/form_win.h"

namespace pelmora {

class frmAbout : public CForm {
public:
    // Creates and shows the window.
    bool Create();

protected:
    int OnCreate(CREATESTRUCTA* create);
    void OnCmdOKClick();
    // Enter in the window presses "OK", the default button.
    LRESULT OnGetDefId(WPARAM, LPARAM) { return MAKELRESULT(IDC_CMDOK, DC_HASDEFID); }

    DECLARE_MESSAGE_MAP()

private:
    CWnd picIcon;
    CWnd lblTitle;
    CWnd lblVersion;
    CWnd Label2;
    CWnd cmdOK;
    CIcon bigIcon_;
    CIcon smallIcon_;
    CIcon pictureIcon_;
};

}  // namespace pelmora
