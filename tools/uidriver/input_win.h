// The UI driver: acting on controls as a user would.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

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
bool SetTextW(HWND window, const std::wstring& text);  // the same in UTF-16
// Presses keys together as the keyboard would, real input to the window's
// top-level window brought to the front: {VK_CONTROL, 'Z'} is Ctrl+Z, which
// a program sees in its key state as well (a posted key message would not
// change that). The keys go down in order and come up in reverse.
bool PressKeys(HWND window, const std::vector<int>& keys);
// Selects an item and tells the owner as a user's choice would (CBN_SELCHANGE).
bool SelectComboItem(HWND comboBox, int index);

}  // namespace uidriver
