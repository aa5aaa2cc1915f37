// What the driver's test target shows, shared by the target and the test.
#pragma once

#include <string>

constexpr char kTargetClass[] = "UidriverTarget";
constexpr char kTargetCaption[] = "Driver Target";

constexpr int kIdAsk = 101;
constexpr int kIdStep = 102;
constexpr int kIdNever = 103;  // disabled
constexpr int kIdHang = 104;
constexpr int kIdEdit = 105;
constexpr int kIdList = 106;
constexpr int kIdCombo = 107;
constexpr int kIdProgress = 108;
constexpr int kIdStatus = 109;
constexpr int kIdDialog = 110;  // opens a dialog that is not a message box
constexpr int kIdApply = 201;   // the dialog's button
// Each shows an OK box with one of the system icons, or none.
constexpr int kIdBoxInformation = 111;
constexpr int kIdBoxExclamation = 112;
constexpr int kIdBoxError = 113;
constexpr int kIdBoxPlain = 114;
constexpr int kIdBoxOther = 115;  // the application icon: none of the four
constexpr char kNoticeCaption[] = "Driver Notice";

constexpr char kDialogCaption[] = "Driver Settings";

constexpr char kInitialEditText[] = "initial text";
constexpr char kQuestionCaption[] = "Driver Question";
constexpr char kQuestionText[] = "Proceed with the test?\r\nSecond line.";

constexpr int kListItemCount = 30;  // more than the box shows, so it must scroll
inline std::string ListItemText(int index)
{
    return "item " + std::to_string(index);
}
constexpr const char* kComboItems[] = {"red", "green with blanks", "blue"};

constexpr int kProgressLow = 10;
constexpr int kProgressHigh = 200;
constexpr int kProgressStart = 42;

constexpr unsigned kHangMs = 10000;

// Longer than the 80 bytes that the ANSI tool tip message copies.
constexpr char kAskTip[] =
    "Asks a yes-or-no question in a message box; the answer appears in the status line "
    "below the list and the progress bar.";
constexpr char kStepTip[] = "Advances the progress bar by one";
constexpr char kEditTip[] = "Type here";
