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

// Opens the window's system menu as Alt+Space does; the menu's pop-up window,
// or null when none shows within the time.
HWND OpenSystemMenu(HWND window, DWORD timeoutMs);
// The lines of an open pop-up menu, top to bottom.
std::vector<MenuLine> ReadMenuLines(HWND popup);
// Closes the open menu as Escape does and waits until the program has left
// its menu mode.
bool CloseMenu(HWND popup, DWORD timeoutMs);

}  // namespace uidriver
