// Message boxes: reading one whole, answering it.
#include "tools/uidriver/message_box_win.h"

#include <algorithm>
#include <utility>

#include "tools/uidriver/find_win.h"
#include "tools/uidriver/input_win.h"
#include "tools/uidriver/read_win.h"
#include "tools/uidriver/window_access_win.h"

namespace uidriver {
namespace {

using detail::CaptionOf;
using detail::Descendants;
using detail::kPollMs;
using detail::SameClass;
using detail::Send;

// Message boxes give their text static the id 0xFFFF; a template with 32-bit
// ids gives -1. Both read back as 0xFFFF in the low word.
constexpr int kMessageBoxTextId = 0xFFFF;

// A box can be found before it has painted, and a window of another
// program can cover it for a moment: look again, with the box raised,
// until its icon is one of the system's or the time is up.
constexpr DWORD kIconPaintMs = 1500;

bool IsButtonClass(HWND window)
{
    return SameClass(GetClassNameOf(window), "Button");
}

BoxIcon IconShownBy(HWND iconStatic)
{
    const DWORD start = GetTickCount();
    for (;;) {
        const BoxIcon icon = RecognizeBoxIcon(iconStatic);
        if (icon != BoxIcon::kUnknown || !IsWindow(iconStatic) ||
            GetTickCount() - start >= kIconPaintMs)
            return icon;
        SetWindowPos(GetAncestor(iconStatic, GA_ROOT), HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        Sleep(kPollMs);
    }
}

}  // namespace

bool ReadMessageBox(HWND window, MessageBoxInfo* box)
{
    if (!IsWindow(window) || GetClassNameOf(window) != "#32770")
        return false;
    MessageBoxInfo info;
    info.window = window;
    info.caption = CaptionOf(window);
    bool hasText = false;
    HWND iconStatic = nullptr;
    std::vector<std::pair<LONG, int>> buttons;  // left edge, id
    for (HWND child : Descendants(window)) {
        if (GetParent(child) != window)
            continue;
        const std::string className = GetClassNameOf(child);
        const int id = GetDlgCtrlID(child);
        if (SameClass(className, "Static")) {
            const LONG style = GetWindowLongA(child, GWL_STYLE);
            if ((id & 0xFFFF) == kMessageBoxTextId && (style & SS_TYPEMASK) != SS_ICON) {
                info.text = GetText(child);
                hasText = true;
            } else if ((style & SS_TYPEMASK) == SS_ICON && IsWindowVisible(child) && !iconStatic) {
                LRESULT icon = 0;
                if (Send(child, STM_GETICON, 0, 0, &icon) && icon)
                    iconStatic = child;
            }
        } else if (SameClass(className, "Button") && IsWindowVisible(child)) {
            RECT rect{};
            GetWindowRect(child, &rect);
            buttons.emplace_back(rect.left, id);
        }
    }
    // A dialog that is not a message box has no text static of that id, or
    // buttons of its own ids beside or instead of the standard ones.
    const auto isStandard = [](const std::pair<LONG, int>& button) {
        return button.second >= IDOK && button.second <= IDCONTINUE;
    };
    if (!hasText || buttons.empty() || !std::all_of(buttons.begin(), buttons.end(), isStandard))
        return false;
    std::sort(buttons.begin(), buttons.end());
    for (const auto& button : buttons)
        info.buttons.push_back(button.second);
    info.hasIcon = iconStatic != nullptr;
    if (info.hasIcon)
        info.icon = IconShownBy(iconStatic);
    if (box)
        *box = std::move(info);
    return true;
}

bool WaitForMessageBox(DWORD processId, DWORD timeoutMs, MessageBoxInfo* box)
{
    WindowQuery query;
    query.processId = processId;
    query.className = "#32770";
    const DWORD start = GetTickCount();
    for (;;) {
        for (HWND window : FindAllTopLevel(query))
            if (ReadMessageBox(window, box))
                return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(kPollMs);
    }
}

bool AnswerMessageBox(const MessageBoxInfo& box, int buttonId, DWORD timeoutMs)
{
    if (std::find(box.buttons.begin(), box.buttons.end(), buttonId) == box.buttons.end())
        return false;
    HWND button = GetDlgItem(box.window, buttonId);
    if (!button || !IsButtonClass(button) || !Click(button))
        return false;
    return WaitForGoneOrHidden(box.window, timeoutMs);
}

}  // namespace uidriver
