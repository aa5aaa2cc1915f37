// Menus read from the screen: a pop-up menu draws its items on the menu
// colour (the item under the cursor on the highlight colour), the items that
// can be chosen in the menu text colour and the greyed ones in grey;
// separators are lines across the menu.
#include "tools/uidriver/menu_win.h"

#include <algorithm>
#include <cstdint>

#include "tools/uidriver/find_win.h"
#include "tools/uidriver/input_win.h"
#include "tools/uidriver/screen_win.h"
#include "tools/uidriver/window_access_win.h"

namespace uidriver {
namespace {

using detail::Canvas;
using detail::kPollMs;

// A menu is found before it has drawn all its items, and Wine draws them in
// more than one go: a reading counts once two readings this far apart agree.
constexpr DWORD kRereadMs = 60;
// The time a key or a menu is given to take effect before the next try.
constexpr DWORD kStepMs = 1000;

std::uint32_t AsPixel(COLORREF color)
{
    return (static_cast<std::uint32_t>(GetRValue(color)) << 16) | (GetGValue(color) << 8) | GetBValue(color);
}

int Brightness(std::uint32_t pixel)
{
    return static_cast<int>(((pixel >> 16) & 0xFF) + ((pixel >> 8) & 0xFF) + (pixel & 0xFF)) / 3;
}

struct Row {
    bool text = false;    // marks on the background, too few for a separator
    bool chosen = false;  // on the highlight colour
    int darkest = 255;    // the darkest mark
    int brightest = 0;    // the brightest mark
};

Row ReadRow(const Canvas& picture, int y)
{
    const std::uint32_t menu = AsPixel(GetSysColor(COLOR_MENU));
    const std::uint32_t highlight = AsPixel(GetSysColor(COLOR_HIGHLIGHT));
    Row row;
    int highlighted = 0;
    int marks = 0;
    // The frame takes a few pixels at each side.
    const int margin = 4;
    for (int x = margin; x < picture.Width() - margin; ++x) {
        const std::uint32_t pixel = picture.Color(y * picture.Width() + x);
        if (pixel == highlight) {
            ++highlighted;
            continue;
        }
        if (pixel == menu)
            continue;
        ++marks;
        row.darkest = std::min(row.darkest, Brightness(pixel));
        row.brightest = std::max(row.brightest, Brightness(pixel));
    }
    const int width = picture.Width() - 2 * margin;
    row.chosen = highlighted > width / 2;
    // A separator is a line across the menu; text leaves most of a row free.
    row.text = marks > 0 && marks < width / 2;
    return row;
}

std::vector<MenuLine> ReadLinesOnce(HWND popup)
{
    std::vector<MenuLine> lines;
    RECT box{};
    if (!IsWindowVisible(popup) || !GetWindowRect(popup, &box))
        return lines;
    Canvas picture(box.right - box.left, box.bottom - box.top);
    if (!picture.IsValid() || !picture.CopyFromScreen(box.left, box.top))
        return lines;
    // The underline of an item's access key lies a row or two below its
    // text: rows of marks that close belong to one line.
    constexpr int kMostRowsWithinALine = 2;
    int blankRows = kMostRowsWithinALine + 1;
    bool anyChosenText = false;
    int darkest = 255;
    for (int y = 0; y < picture.Height(); ++y) {
        const Row row = ReadRow(picture, y);
        if (!row.text) {
            ++blankRows;
            continue;
        }
        if (blankRows > kMostRowsWithinALine) {
            lines.push_back(MenuLine{box.top + y, box.top + y, false});
            anyChosenText = false;
            darkest = 255;
        }
        blankRows = 0;
        lines.back().bottom = box.top + y;
        // Text that can be chosen is black, or white on the highlight.
        darkest = std::min(darkest, row.darkest);
        anyChosenText = anyChosenText || (row.chosen && row.brightest >= 240);
        lines.back().greyed = darkest > 64 && !anyChosenText;
    }
    return lines;
}

bool SameLines(const std::vector<MenuLine>& a, const std::vector<MenuLine>& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](const MenuLine& x, const MenuLine& y) {
               return x.top == y.top && x.bottom == y.bottom && x.greyed == y.greyed;
           });
}

bool ReadyToRead(HWND popup)
{
    return IsWindowVisible(popup) && !detail::PaintPending(popup) && !detail::Covered(popup, popup);
}

// The lines of the open pop-up once two readings agree; false when the menu
// closes or stays covered meanwhile.
bool ReadSettledLines(HWND popup, std::vector<MenuLine>* lines)
{
    std::vector<MenuLine> previous;
    for (const DWORD start = GetTickCount(); GetTickCount() - start < kStepMs; Sleep(kRereadMs)) {
        if (!ReadyToRead(popup))
            continue;
        std::vector<MenuLine> now = ReadLinesOnce(popup);
        // A window that came on top during the reading makes it void.
        if (!ReadyToRead(popup))
            continue;
        if (!now.empty() && SameLines(now, previous)) {
            *lines = std::move(now);
            return true;
        }
        previous = std::move(now);
    }
    return false;
}

bool InMenuMode(DWORD thread)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return thread && GetGUIThreadInfo(thread, &info) && (info.flags & GUI_INMENUMODE);
}

// Presses Escape until the thread has left its menu mode: the first closes
// the pop-up, a second leaves the menu mode that the keyboard opened. The
// menu's loop takes the keys of its thread, whichever of its windows they are
// for; a key pressed after the menu mode ended would go to the window.
bool CloseMenu(HWND window, HWND popup, DWORD thread, DWORD timeoutMs)
{
    DWORD pressedAt = 0;
    bool pressed = false;
    for (const DWORD start = GetTickCount(); InMenuMode(thread); Sleep(kPollMs)) {
        const DWORD now = GetTickCount();
        if (now - start >= timeoutMs)
            return false;
        if (!pressed || now - pressedAt >= kStepMs / 4) {
            PressKey(IsWindowVisible(popup) ? popup : window, VK_ESCAPE);
            pressed = true;
            pressedAt = now;
        }
    }
    return true;
}

}  // namespace

bool ReadSystemMenu(HWND window, DWORD timeoutMs, std::vector<MenuLine>* lines)
{
    DWORD processId = 0;
    const DWORD thread = GetWindowThreadProcessId(window, &processId);
    if (!IsWindow(window) || !thread)
        return false;
    WindowQuery query;
    query.processId = processId;
    query.className = "#32768";  // the class of pop-up menus
    for (const DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs;) {
        SetForegroundWindow(window);
        // What Alt+Space sends the window.
        if (!PostMessageW(window, WM_SYSCOMMAND, SC_KEYMENU, ' '))
            return false;
        HWND popup = WaitForTopLevel(query, kStepMs);
        const bool read = popup && ReadSettledLines(popup, lines);
        if (!CloseMenu(window, popup, thread, timeoutMs))
            return false;
        if (read)
            return true;
    }
    return false;
}

}  // namespace uidriver
