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

std::uint32_t AsPixel(COLORREF color)
{
    return (static_cast<std::uint32_t>(GetRValue(color)) << 16) | (GetGValue(color) << 8) | GetBValue(color);
}

int Brightness(std::uint32_t pixel)
{
    return static_cast<int>(((pixel >> 16) & 0xFF) + ((pixel >> 8) & 0xFF) + (pixel & 0xFF)) / 3;
}

struct Row {
    bool text = false;     // something but the background
    bool chosen = false;   // on the highlight colour
    int darkest = 255;     // the darkest pixel off the background
    int brightest = 0;     // the brightest pixel off the background
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

bool SameLines(const std::vector<MenuLine>& a, const std::vector<MenuLine>& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](const MenuLine& x, const MenuLine& y) {
               return x.top == y.top && x.bottom == y.bottom && x.greyed == y.greyed;
           });
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
        if (row.text) {
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
            continue;
        }
        ++blankRows;
    }
    return lines;
}

}  // namespace

HWND OpenSystemMenu(HWND window, DWORD timeoutMs)
{
    DWORD processId = 0;
    if (!IsWindow(window) || !GetWindowThreadProcessId(window, &processId))
        return nullptr;
    SetForegroundWindow(window);
    // What Alt+Space sends the window.
    if (!PostMessageW(window, WM_SYSCOMMAND, SC_KEYMENU, ' '))
        return nullptr;
    WindowQuery query;
    query.processId = processId;
    query.className = "#32768";  // the class of pop-up menus
    HWND popup = WaitForTopLevel(query, timeoutMs);
    // The pop-up is found before it has painted its items.
    for (DWORD start = GetTickCount(); popup && GetTickCount() - start < timeoutMs; Sleep(detail::kPollMs)) {
        RECT dirty{};
        if (!GetUpdateRect(popup, &dirty, FALSE))
            break;
    }
    return popup;
}

std::vector<MenuLine> ReadMenuLines(HWND popup)
{
    // A menu is found before it has drawn all its items, and Wine draws
    // them in more than one go: the reading counts once two readings a
    // moment apart agree.
    constexpr DWORD kSettleMs = 3000;
    constexpr DWORD kRereadMs = 60;
    std::vector<MenuLine> previous = ReadLinesOnce(popup);
    for (const DWORD start = GetTickCount(); GetTickCount() - start < kSettleMs;) {
        Sleep(kRereadMs);
        std::vector<MenuLine> lines = ReadLinesOnce(popup);
        if (!lines.empty() && SameLines(lines, previous))
            return lines;
        previous = std::move(lines);
    }
    return previous;
}

bool CloseMenu(HWND popup, DWORD timeoutMs)
{
    // Escape closes the pop-up, and a second one leaves the menu mode that
    // the keyboard opened; the menu's loop takes the keys of its thread,
    // whichever of its windows they are for. The thread says when its menu
    // mode has ended: a key pressed before that goes to the menu.
    const DWORD thread = GetWindowThreadProcessId(popup, nullptr);
    HWND owner = GetWindow(popup, GW_OWNER);
    const auto inMenuMode = [thread] {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return thread && GetGUIThreadInfo(thread, &info) && (info.flags & GUI_INMENUMODE);
    };
    int pressed = 0;
    for (const DWORD start = GetTickCount(); inMenuMode(); Sleep(detail::kPollMs)) {
        if (GetTickCount() - start >= timeoutMs)
            return false;
        const bool shown = IsWindow(popup) && IsWindowVisible(popup);
        if (pressed == 0 || (pressed == 1 && !shown)) {
            PressKey(shown ? popup : owner, VK_ESCAPE);
            ++pressed;
        }
    }
    return WaitForGoneOrHidden(popup, timeoutMs);
}

}  // namespace uidriver
