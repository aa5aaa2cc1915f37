// Acting on controls as a user would: clicks, typing, choosing items.
#include "tools/uidriver/input_win.h"

#include <algorithm>

#include "tools/uidriver/window_access_win.h"

namespace uidriver {

using detail::Send;
using detail::SendWithBuffer;

bool SetText(HWND window, const std::string& text)
{
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    LRESULT ok = 0;
    return SendWithBuffer(window, WM_SETTEXT, 0, false, &buffer, &ok) && ok;
}

bool SetTextW(HWND window, const std::wstring& text)
{
    std::vector<char> buffer(reinterpret_cast<const char*>(text.c_str()),
                             reinterpret_cast<const char*>(text.c_str() + text.size() + 1));
    LRESULT ok = 0;
    return SendWithBuffer(window, WM_SETTEXT, 0, true, &buffer, &ok) && ok;
}

bool PressKeys(HWND window, const std::vector<int>& keys)
{
    HWND top = GetAncestor(window, GA_ROOT);
    if (!IsWindow(window))
        return false;
    // Input goes to the window at the front when it is sent: wait until the
    // window is there (another program's test may have brought its own).
    SetForegroundWindow(top);
    for (const DWORD start = GetTickCount(); GetForegroundWindow() != top; Sleep(detail::kPollMs)) {
        if (GetTickCount() - start >= 5000)
            return false;
        SetForegroundWindow(top);
    }
    std::vector<INPUT> inputs;
    for (std::size_t i = 0; i < keys.size() * 2; ++i) {
        const bool up = i >= keys.size();
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = static_cast<WORD>(up ? keys[keys.size() * 2 - 1 - i] : keys[i]);
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    }
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

bool Click(HWND button)
{
    // A user cannot press what is disabled or not shown.
    if (!IsWindow(button) || !IsWindowEnabled(button) || !IsWindowVisible(button))
        return false;
    // Windows may drop a click on a button of a dialog that is not active.
    SetForegroundWindow(GetAncestor(button, GA_ROOT));
    return PostMessageA(button, BM_CLICK, 0, 0) != FALSE;
}

bool PressKey(HWND window, int virtualKey)
{
    if (!IsWindow(window))
        return false;
    const UINT scanCode = MapVirtualKeyA(static_cast<UINT>(virtualKey), MAPVK_VK_TO_VSC);
    const LPARAM down = 1 | (static_cast<LPARAM>(scanCode) << 16);
    const LPARAM up = down | (1L << 30) | (1L << 31);
    return PostMessageA(window, WM_KEYDOWN, static_cast<WPARAM>(virtualKey), down) &&
           PostMessageA(window, WM_KEYUP, static_cast<WPARAM>(virtualKey), up);
}

bool DoubleClickListItem(HWND listBox, int index)
{
    LRESULT count = 0;
    if (!IsWindowEnabled(listBox) || !Send(listBox, LB_GETCOUNT, 0, 0, &count) || index < 0 ||
        index >= count)
        return false;
    // Scroll the item into view and aim at its middle; the item's place comes
    // from plain numbers, as LB_GETITEMRECT would need a pointer in the
    // other process.
    LRESULT top = 0;
    LRESULT height = 0;
    RECT client{};
    GetClientRect(listBox, &client);
    if (!Send(listBox, LB_GETTOPINDEX, 0, 0, &top) ||
        !Send(listBox, LB_GETITEMHEIGHT, 0, 0, &height) || height <= 0)
        return false;
    const LRESULT visibleRows = std::max<LRESULT>(1, (client.bottom - client.top) / height);
    if (index < top || index >= top + visibleRows) {
        Send(listBox, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0, nullptr);
        Send(listBox, LB_GETTOPINDEX, 0, 0, &top);
    }
    const LPARAM point = MAKELPARAM(4, (index - top) * height + height / 2);
    return PostMessageA(listBox, WM_LBUTTONDOWN, MK_LBUTTON, point) &&
           PostMessageA(listBox, WM_LBUTTONUP, 0, point) &&
           PostMessageA(listBox, WM_LBUTTONDBLCLK, MK_LBUTTON, point) &&
           PostMessageA(listBox, WM_LBUTTONUP, 0, point);
}

bool SelectComboItem(HWND comboBox, int index)
{
    LRESULT selected = CB_ERR;
    if (!IsWindowEnabled(comboBox) ||
        !Send(comboBox, CB_SETCURSEL, static_cast<WPARAM>(index), 0, &selected) ||
        selected == CB_ERR || selected != index)
        return false;
    // CB_SETCURSEL tells nobody; a user's choice sends CBN_SELCHANGE. Posted,
    // so that a handler that opens a modal box does not block the driver.
    const WPARAM command = MAKEWPARAM(GetDlgCtrlID(comboBox), CBN_SELCHANGE);
    return PostMessageA(GetParent(comboBox), WM_COMMAND, command,
                        reinterpret_cast<LPARAM>(comboBox)) != FALSE;
}

}  // namespace uidriver
