// The UI driver: menus. Under Wine every menu call on another process's menu
// handle fails (GetSystemMenu of its window gives none), so a menu is read as
// a user reads it: opened on the screen, its lines told apart by their
// pixels.
#pragma once

#include <windows.h>

#include <vector>

namespace uidriver {

// One line of text of an open pop-up menu (separators are no lines).
struct MenuLine {
    int top = 0;  // screen rows of its text
    int bottom = 0;
    bool greyed = false;  // drawn in the grey of items that cannot be chosen
};

// Reads the window's system menu: opens it as Alt+Space does, reads its lines
// top to bottom once nothing covers it and two readings agree, and closes it
// again as Escape does. Another program that comes to the front meanwhile
// closes the menu; it is then opened again. False when no reading succeeds
// within the time.
bool ReadSystemMenu(HWND window, DWORD timeoutMs, std::vector<MenuLine>* lines);

}  // namespace uidriver
