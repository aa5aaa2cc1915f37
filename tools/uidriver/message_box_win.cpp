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
using detail::Covered;
using detail::PaintPending;
using detail::WideCaptionOf;
using detail::Descendants;
using detail::kPollMs;
using detail::SameClass;
using detail::Send;

// Message boxes give their text static the id 0xFFFF; a template with 32-bit
// ids gives -1. Both read back as 0xFFFF in the low word.
constexpr int kMessageBoxTextId = 0xFFFF;
// How long a box found with an empty text is given to receive its text
// before it is taken as a box without one.
constexpr DWORD kEmptyTextGraceMs = 1000;

// A box can be found before it has painted, and until it has, the screen
// still shows what was there before: often the icon of the box before it,
// at the same place. Message boxes open in the middle of the screen, so
// the box of another program can also lie on top of this one, showing its
// own icon where this one's is. So the icon is read only while the box has
// nothing left to paint and no window above it covers the icon, and taken
// when several readings a moment apart agree. An icon that is none of the
// system's must hold longer before it counts.
constexpr DWORD kIconSettleMs = 5000;
constexpr DWORD kIconRereadMs = 60;
constexpr int kReadingsForAnIcon = 3;
constexpr int kReadingsForUnknown = 6;

bool IsButtonClass(HWND window)
{
    return SameClass(GetClassNameOf(window), "Button");
}

bool ReadyToRead(HWND box, HWND iconStatic)
{
    return !PaintPending(box) && !PaintPending(iconStatic) && !Covered(box, iconStatic);
}

BoxIcon IconShownBy(HWND iconStatic)
{
    HWND box = GetAncestor(iconStatic, GA_ROOT);
    const DWORD start = GetTickCount();
    BoxIcon previous = BoxIcon::kUnknown;
    int agreeing = 0;
    for (;;) {
        const bool timeUp = GetTickCount() - start >= kIconSettleMs;
        if (!IsWindow(iconStatic))
            return BoxIcon::kNone;
        if (!timeUp && !ReadyToRead(box, iconStatic)) {
            agreeing = 0;
            Sleep(kPollMs);
            continue;
        }
        const BoxIcon icon = RecognizeBoxIcon(iconStatic);
        // A window that came on top during the reading makes it void.
        if (!timeUp && !ReadyToRead(box, iconStatic))
            continue;
        agreeing = icon == previous ? agreeing + 1 : 1;
        previous = icon;
        const int needed = icon == BoxIcon::kUnknown ? kReadingsForUnknown : kReadingsForAnIcon;
        if (agreeing >= needed || timeUp)
            return icon;
        Sleep(kIconRereadMs);
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
    info.wideCaption = WideCaptionOf(window);
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
                info.wideText = GetTextW(child);
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
    // A box can be found between its creation and the setting of its text.
    // A box whose text stays empty is taken once it has stayed so for a while.
    HWND emptyBox = nullptr;
    DWORD emptySince = 0;
    for (;;) {
        for (HWND window : FindAllTopLevel(query)) {
            MessageBoxInfo info;
            if (!ReadMessageBox(window, &info))
                continue;
            if (info.text.empty()) {
                if (window != emptyBox) {
                    emptyBox = window;
                    emptySince = GetTickCount();
                }
                if (GetTickCount() - emptySince < kEmptyTextGraceMs)
                    continue;
            }
            if (box)
                *box = std::move(info);
            return true;
        }
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
