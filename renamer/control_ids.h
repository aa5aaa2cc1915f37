// Window ids of the controls of Pelmora's two windows, each window's in its
// tab order. The end-to-end tests find the controls by these ids.
#pragma once

namespace pelmora {

// Main.
enum ControlId {
    IDC_DRIVE1 = 101,
    IDC_DIR1,
    IDC_FILE1,
    IDC_TEXT1,
    IDC_COMMAND3,
    IDC_COMMAND4,
    IDC_COMMAND5,
    IDC_LABEL1,
    IDC_LABEL2,
    IDC_PROGR,
    IDC_LABEL3,
    IDC_LABEL4,
    IDC_LABEL5,
    IDC_LABEL6,
    IDC_LABEL7,
};

// frmAbout.
enum AboutControlId {
    IDC_CMDOK = 201,
    IDC_PICICON,
    IDC_LBLTITLE,
    IDC_LBLVERSION,
    IDC_ABOUT_LABEL2,
};

}  // namespace pelmora
