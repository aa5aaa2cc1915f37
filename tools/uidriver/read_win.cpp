// Reading what windows show: texts, states, progress, list items, tool tips.
#include "tools/uidriver/read_win.h"

#include <commctrl.h>

#include <algorithm>

#include "tools/uidriver/find_win.h"
#include "tools/uidriver/window_access_win.h"

namespace uidriver {
namespace {

using detail::Narrow;
using detail::Send;
using detail::SendWithBuffer;

// Memory in another process, for the tool tip messages whose structures hold
// pointers and which the system does not carry across processes.
class RemoteBlock {
public:
    RemoteBlock(DWORD processId, SIZE_T size)
        : process_(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                               processId)),
          size_(size)
    {
        if (process_)
            address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE,
                                      PAGE_READWRITE);
    }
    ~RemoteBlock()
    {
        if (address_)
            VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_)
            CloseHandle(process_);
    }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;

    bool IsValid() const { return address_ != nullptr; }
    // For a message that did not come back in time: the program may still
    // write into the block later, so it stays allocated.
    void Abandon() { address_ = nullptr; }
    char* Address() const { return static_cast<char*>(address_); }
    bool Write(SIZE_T offset, const void* data, SIZE_T size) const
    {
        return offset + size <= size_ &&
               WriteProcessMemory(process_, Address() + offset, data, size, nullptr);
    }
    bool Read(SIZE_T offset, void* data, SIZE_T size) const
    {
        return offset + size <= size_ &&
               ReadProcessMemory(process_, Address() + offset, data, size, nullptr);
    }

private:
    HANDLE process_;       // owned
    void* address_ = nullptr;  // owned, in the other process
    SIZE_T size_;
};

// The W messages: the A form of TTM_GETTEXT copies at most 80 bytes under
// Wine, and no form says how long the text is, so a wide buffer of the tool
// tip's own limit is used and converted here.
constexpr int kToolTipChars = 1024;

std::wstring ToolTipTextIn(HWND toolTip, HWND tool, DWORD processId)
{
    LRESULT count = 0;
    if (!Send(toolTip, TTM_GETTOOLCOUNT, 0, 0, &count) || count <= 0)
        return {};
    const SIZE_T textOffset = (sizeof(TTTOOLINFOW) + 15) & ~SIZE_T{15};
    const SIZE_T textBytes = kToolTipChars * sizeof(WCHAR);
    RemoteBlock block(processId, textOffset + textBytes);
    if (!block.IsValid())
        return {};
    auto* remoteText = reinterpret_cast<LPWSTR>(block.Address() + textOffset);
    const auto remoteInfo = reinterpret_cast<LPARAM>(block.Address());

    for (LRESULT index = 0; index < count; ++index) {
        TTTOOLINFOW info{};
        info.cbSize = sizeof(info);
        info.lpszText = remoteText;
        LRESULT found = 0;
        if (!block.Write(0, &info, sizeof(info)))
            return {};
        if (!Send(toolTip, TTM_ENUMTOOLSW, static_cast<WPARAM>(index), remoteInfo, &found)) {
            block.Abandon();
            return {};
        }
        if (!found || !block.Read(0, &info, sizeof(info)))
            continue;
        // A tool is either the control itself (TTF_IDISHWND) or a rectangle
        // of the control's client area.
        const bool isTool = (info.uFlags & TTF_IDISHWND) ? reinterpret_cast<HWND>(info.uId) == tool
                                                         : info.hwnd == tool;
        if (!isTool)
            continue;
        const WCHAR empty = 0;
        info.lpszText = remoteText;
        if (!block.Write(0, &info, sizeof(info)) || !block.Write(textOffset, &empty, sizeof(empty)))
            return {};
        if (!Send(toolTip, TTM_GETTEXTW, kToolTipChars, remoteInfo, nullptr)) {
            block.Abandon();
            return {};
        }
        std::wstring wide(kToolTipChars, L'\0');
        if (!block.Read(textOffset, &wide[0], textBytes))
            return {};
        wide.resize(wcsnlen(wide.c_str(), kToolTipChars));
        return wide;
    }
    return {};
}

}  // namespace

std::string GetText(HWND window)
{
    LRESULT length = 0;
    if (!Send(window, WM_GETTEXTLENGTH, 0, 0, &length) || length <= 0)
        return {};
    // The text may grow between the two messages; the copy is cut to the
    // buffer then, never written past it.
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    LRESULT copied = 0;
    if (!SendWithBuffer(window, WM_GETTEXT, buffer.size(), false, &buffer, &copied) || copied <= 0)
        return {};
    return std::string(buffer.data(), std::min<std::size_t>(copied, buffer.size() - 1));
}

std::wstring GetTextW(HWND window)
{
    LRESULT length = 0;
    if (!Send(window, WM_GETTEXTLENGTH, 0, 0, &length, true) || length <= 0)
        return {};
    std::vector<char> buffer((static_cast<std::size_t>(length) + 1) * sizeof(WCHAR), '\0');
    LRESULT copied = 0;
    if (!SendWithBuffer(window, WM_GETTEXT, static_cast<WPARAM>(length) + 1, true, &buffer, &copied) ||
        copied <= 0)
        return {};
    return std::wstring(reinterpret_cast<const WCHAR*>(buffer.data()), std::min<std::size_t>(copied, length));
}

std::string GetClassNameOf(HWND window)
{
    char name[256] = {};
    const int length = GetClassNameA(window, name, sizeof(name));
    return std::string(name, static_cast<std::size_t>(std::max(length, 0)));
}

bool IsEnabled(HWND window)
{
    return IsWindowEnabled(window) != FALSE;
}

bool IsVisible(HWND window)
{
    return IsWindowVisible(window) != FALSE;
}

// ---------------------------------------------------------- progress bars

int GetProgressPos(HWND progress)
{
    LRESULT pos = 0;
    return Send(progress, PBM_GETPOS, 0, 0, &pos) ? static_cast<int>(pos) : -1;
}

bool GetProgressRange(HWND progress, int* low, int* high)
{
    LRESULT lowValue = 0;
    LRESULT highValue = 0;
    if (!Send(progress, PBM_GETRANGE, TRUE, 0, &lowValue) ||
        !Send(progress, PBM_GETRANGE, FALSE, 0, &highValue))
        return false;
    if (low)
        *low = static_cast<int>(lowValue);
    if (high)
        *high = static_cast<int>(highValue);
    return true;
}

// ---------------------------------------------------- list and combo boxes

namespace {

// The item texts are read with the W messages: Wine hands the A form of
// LB_GETTEXT and CB_GETLBTEXT across processes as wide text, unconverted.
std::vector<std::wstring> ReadItems(HWND box, UINT countMessage, UINT lengthMessage,
                                    UINT textMessage)
{
    std::vector<std::wstring> items;
    LRESULT count = 0;
    if (!Send(box, countMessage, 0, 0, &count))
        return items;
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT length = 0;
        if (!Send(box, lengthMessage, static_cast<WPARAM>(i), 0, &length, true) || length < 0)
            break;
        // The item messages take no buffer size; the system's copy into this
        // process follows the length the box reports, plus the terminator.
        std::vector<char> buffer((static_cast<std::size_t>(length) + 1) * sizeof(WCHAR), '\0');
        LRESULT copied = 0;
        if (!SendWithBuffer(box, textMessage, static_cast<WPARAM>(i), true, &buffer, &copied) ||
            copied < 0)
            break;
        items.emplace_back(reinterpret_cast<const WCHAR*>(buffer.data()),
                           std::min<std::size_t>(copied, length));
    }
    return items;
}

std::vector<std::string> Narrowed(const std::vector<std::wstring>& items)
{
    std::vector<std::string> narrow;
    for (const std::wstring& item : items)
        narrow.push_back(Narrow(item));
    return narrow;
}

}  // namespace

std::vector<std::string> GetListItems(HWND listBox)
{
    return Narrowed(GetListItemsW(listBox));
}

std::vector<std::string> GetComboItems(HWND comboBox)
{
    return Narrowed(GetComboItemsW(comboBox));
}

std::vector<std::wstring> GetListItemsW(HWND listBox)
{
    return ReadItems(listBox, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
}

std::vector<std::wstring> GetComboItemsW(HWND comboBox)
{
    return ReadItems(comboBox, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

int GetComboSelection(HWND comboBox)
{
    LRESULT selection = CB_ERR;
    return Send(comboBox, CB_GETCURSEL, 0, 0, &selection) ? static_cast<int>(selection) : CB_ERR;
}

// --------------------------------------------------------------- tool tips

std::string GetToolTipText(HWND tool)
{
    return Narrow(GetToolTipTextW(tool));
}

std::wstring GetToolTipTextW(HWND tool)
{
    DWORD processId = 0;
    if (!IsWindow(tool) || !GetWindowThreadProcessId(tool, &processId))
        return {};
    // A tool tip control is a hidden top-level pop-up of the process that
    // made it; any of them may hold a tool for this control.
    WindowQuery query;
    query.processId = processId;
    query.className = TOOLTIPS_CLASSA;
    query.visibleOnly = false;
    for (HWND toolTip : FindAllTopLevel(query)) {
        std::wstring text = ToolTipTextIn(toolTip, tool, processId);
        if (!text.empty())
            return text;
    }
    return {};
}

}  // namespace uidriver
