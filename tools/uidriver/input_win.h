// The UI driver: acting on controls as a user would.
#pragma once

#include <windows.h>

#include <string>

namespace uidriver {

// Presses a button without waiting for what the press starts (a modal box,
// for instance): the click is posted. False for a disabled or hidden button,
// which a user could not press either.
bool Click(HWND button);
// Double-clicks an item of a list box (posts the mouse messages).
bool DoubleClickListItem(HWND listBox, int index);
// Presses and releases a key on a window as the keyboard would: the key
// messages are posted, so they pass the program's message loop and its
// keyboard filters like a real key press.
bool PressKey(HWND window, int virtualKey);
bool SetText(HWND window, const std::string& text);  // WM_SETTEXT: an edit box sends EN_CHANGE
// Selects an item and tells the owner as a user's choice would (CBN_SELCHANGE).
bool SelectComboItem(HWND comboBox, int index);

}  // namespace uidriver
