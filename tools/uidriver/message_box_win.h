// The UI driver: message boxes (dialog class "#32770" with a static of id
// 65535 for the text and buttons of the standard ids only).
#pragma once

#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

namespace uidriver {

// The system icons a message box can show.
enum class BoxIcon {
    kNone,         // no icon
    kInformation,  // MB_ICONINFORMATION, MB_ICONASTERISK
    kExclamation,  // MB_ICONEXCLAMATION, MB_ICONWARNING
    kQuestion,     // MB_ICONQUESTION
    kError,        // MB_ICONERROR, MB_ICONHAND, MB_ICONSTOP
    kUnknown,      // an icon, but none of the system's
};
// "none", "information", "exclamation", "question", "error" or "unknown".
const char* BoxIconName(BoxIcon icon);
// The name, so that a failed test says which icon it saw.
inline std::ostream& operator<<(std::ostream& out, BoxIcon icon)
{
    return out << BoxIconName(icon);
}

struct MessageBoxInfo {
    HWND window = nullptr;
    std::string caption;
    std::string text;
    std::wstring wideCaption;  // the same in UTF-16, as the box shows them
    std::wstring wideText;
    std::vector<int> buttons;  // ids: IDOK 1, IDCANCEL 2, IDYES 6, IDNO 7, ...
    bool hasIcon = false;
    BoxIcon icon = BoxIcon::kNone;
};
// The first message box shown by the process (0: any process).
bool WaitForMessageBox(DWORD processId, DWORD timeoutMs, MessageBoxInfo* box);
bool ReadMessageBox(HWND window, MessageBoxInfo* box);
// Presses a button of a message box and waits until the box is gone.
bool AnswerMessageBox(const MessageBoxInfo& box, int buttonId, DWORD timeoutMs = 5000);

// Which system icon the icon static of a message box shows, told from the
// pixels at its place on the screen: the icon handle belongs to the other
// process and cannot be read from here. kUnknown while another window
// covers it.
BoxIcon RecognizeBoxIcon(HWND iconStatic);

}  // namespace uidriver
