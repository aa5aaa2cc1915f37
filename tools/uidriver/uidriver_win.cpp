// The UI driver. Every read of another process's window goes through a
// message with a time-out, so a hung program makes the driver report a
// failure instead of hanging with it.
#include "tools/uidriver/uidriver.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <thread>
#include <utility>

namespace uidriver {
namespace {

constexpr DWORD kPollMs = 25;
// Long enough for a busy program under Wine, short enough that a hung one
// does not stall a test for long.
constexpr UINT kSendTimeoutMs = 3000;

// Message boxes give their text static the id 0xFFFF; a template with 32-bit
// ids gives -1. Both read back as 0xFFFF in the low word.
constexpr int kMessageBoxTextId = 0xFFFF;

// One message sent to another process's window. The send runs on a thread
// of its own: under Wine, SendMessageTimeout to a program that sleeps or
// computes returns only when that program takes messages again, whatever
// the time-out. The driver stops waiting after kSendTimeoutMs and leaves the
// thread behind with the call, which owns everything the message points at,
// so a late answer writes into memory that is still there.
struct SendCall {
    SendCall() : done(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    ~SendCall() { CloseHandle(done); }
    SendCall(const SendCall&) = delete;
    SendCall& operator=(const SendCall&) = delete;

    HWND window = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;  // unless usesBuffer
    bool usesBuffer = false;
    bool wide = false;
    std::vector<char> buffer;  // what lParam points at when usesBuffer
    DWORD_PTR result = 0;
    bool sent = false;
    HANDLE done;  // owned
};

bool Dispatch(std::shared_ptr<SendCall> call, LRESULT* result)
{
    std::thread([call] {
        const LPARAM lParam =
            call->usesBuffer ? reinterpret_cast<LPARAM>(call->buffer.data()) : call->lParam;
        call->sent = call->wide ? SendMessageTimeoutW(call->window, call->message, call->wParam,
                                                      lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                                                      &call->result) != 0
                                : SendMessageTimeoutA(call->window, call->message, call->wParam,
                                                      lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                                                      &call->result) != 0;
        SetEvent(call->done);
    }).detach();
    if (WaitForSingleObject(call->done, kSendTimeoutMs + 500) != WAIT_OBJECT_0 || !call->sent)
        return false;
    if (result)
        *result = static_cast<LRESULT>(call->result);
    return true;
}

// A message whose parameters are plain values.
bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    auto call = std::make_shared<SendCall>();
    call->window = window;
    call->message = message;
    call->wParam = wParam;
    call->lParam = lParam;
    return Dispatch(call, result);
}

// A message whose lParam points at `buffer`, which goes in and comes back
// with what the window wrote into it.
bool SendWithBuffer(HWND window, UINT message, WPARAM wParam, bool wide, std::vector<char>* buffer,
                    LRESULT* result)
{
    auto call = std::make_shared<SendCall>();
    call->window = window;
    call->message = message;
    call->wParam = wParam;
    call->usesBuffer = true;
    call->wide = wide;
    call->buffer = *buffer;
    if (!Dispatch(call, result))
        return false;
    *buffer = call->buffer;
    return true;
}

// GetWindowText on a window of another process reads the caption the system
// keeps and never sends a message, so it cannot block on a hung program.
std::string CaptionOf(HWND window)
{
    std::string text(256, '\0');
    for (;;) {
        const int length = GetWindowTextA(window, &text[0], static_cast<int>(text.size()));
        if (length < static_cast<int>(text.size()) - 1) {
            text.resize(static_cast<std::size_t>(std::max(length, 0)));
            return text;
        }
        text.resize(text.size() * 2);
    }
}

bool SameClass(const std::string& a, const std::string& b)
{
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

bool Matches(HWND window, const WindowQuery& query)
{
    if (query.visibleOnly && !IsWindowVisible(window))
        return false;
    if (query.processId != 0) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != query.processId)
            return false;
    }
    if (!query.className.empty() && !SameClass(GetClassNameOf(window), query.className))
        return false;
    if (!query.caption.empty()) {
        const std::string caption = CaptionOf(window);
        if (query.captionContains ? caption.find(query.caption) == std::string::npos
                                  : caption != query.caption)
            return false;
    }
    return true;
}

struct TopLevelSearch {
    const WindowQuery* query;
    std::vector<HWND> found;
    bool firstOnly;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM context)
{
    auto* search = reinterpret_cast<TopLevelSearch*>(context);
    if (!Matches(window, *search->query))
        return TRUE;
    search->found.push_back(window);
    return search->firstOnly ? FALSE : TRUE;
}

std::vector<HWND> SearchTopLevel(const WindowQuery& query, bool firstOnly)
{
    TopLevelSearch search{&query, {}, firstOnly};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM context)
{
    reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
    return TRUE;
}

std::vector<HWND> Descendants(HWND parent)
{
    std::vector<HWND> children;
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

// "&Yes" is shown as "Yes" with an underlined Y; "&&" is a literal "&".
std::string WithoutMnemonics(const std::string& text)
{
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size())
            ++i;
        else if (text[i] == '&')
            continue;
        plain += text[i];
    }
    return plain;
}

std::string QuoteArgument(const std::string& argument)
{
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos)
        return argument;
    // The C runtime's splitter: backslashes are literal unless they precede a
    // quote, so those before a quote (and before the closing one) are doubled.
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"')
            quoted.append(backslashes * 2 + 1, '\\');
        else
            quoted.append(backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, '\\');
    quoted += '"';
    return quoted;
}

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

std::string Narrow(const std::wstring& wide)
{
    const int size = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(std::max(size, 0)), '\0');
    if (size > 0)
        WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), &text[0], size,
                            nullptr, nullptr);
    return text;
}

// The W messages: the A form of TTM_GETTEXT copies at most 80 bytes under
// Wine, and no form says how long the text is, so a wide buffer of the tool
// tip's own limit is used and converted here.
constexpr int kToolTipChars = 1024;

std::string ToolTipTextIn(HWND toolTip, HWND tool, DWORD processId)
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
        return Narrow(wide);
    }
    return {};
}

bool IsButtonClass(HWND window)
{
    return SameClass(GetClassNameOf(window), "Button");
}

}  // namespace

// ---------------------------------------------------------------- Process

Process::~Process()
{
    if (process_)
        CloseHandle(process_);
}

Process::Process(Process&& other) noexcept
    : process_(std::exchange(other.process_, nullptr)), id_(std::exchange(other.id_, 0))
{
}

Process& Process::operator=(Process&& other) noexcept
{
    if (this != &other) {
        if (process_)
            CloseHandle(process_);
        process_ = std::exchange(other.process_, nullptr);
        id_ = std::exchange(other.id_, 0);
    }
    return *this;
}

bool Process::Start(const std::string& commandLine, const std::string& folder)
{
    if (process_) {
        CloseHandle(process_);
        process_ = nullptr;
        id_ = 0;
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    std::string writable = commandLine;  // CreateProcessA may write into it
    if (!CreateProcessA(nullptr, &writable[0], nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &info))
        return false;
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
    return true;
}

bool Process::IsRunning() const
{
    return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool Process::WaitForExit(DWORD timeoutMs, DWORD* exitCode)
{
    if (!process_ || WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0)
        return false;
    DWORD code = 0;
    if (!GetExitCodeProcess(process_, &code))
        return false;
    if (exitCode)
        *exitCode = code;
    return true;
}

void Process::Terminate()
{
    if (IsRunning()) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 5000);
    }
}

bool WaitForProcessExit(DWORD processId, DWORD timeoutMs, DWORD* exitCode)
{
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId);
    if (!process)
        return false;
    DWORD code = 0;
    const bool ended = WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0 &&
                       GetExitCodeProcess(process, &code);
    CloseHandle(process);
    if (ended && exitCode)
        *exitCode = code;
    return ended;
}

std::string BuildCommandLine(const std::vector<std::string>& arguments)
{
    std::string line;
    for (const std::string& argument : arguments) {
        if (!line.empty())
            line += ' ';
        line += QuoteArgument(argument);
    }
    return line;
}

// ------------------------------------------------------- top-level windows

HWND FindTopLevel(const WindowQuery& query)
{
    const std::vector<HWND> found = SearchTopLevel(query, true);
    return found.empty() ? nullptr : found.front();
}

std::vector<HWND> FindAllTopLevel(const WindowQuery& query)
{
    return SearchTopLevel(query, false);
}

HWND WaitForTopLevel(const WindowQuery& query, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND window = FindTopLevel(query))
            return window;
        if (GetTickCount() - start >= timeoutMs)
            return nullptr;
        Sleep(kPollMs);
    }
}

bool WaitForGoneOrHidden(HWND window, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (!IsWindow(window) || !IsWindowVisible(window))
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(kPollMs);
    }
}

// ---------------------------------------------------------------- children

std::vector<ChildInfo> ListChildren(HWND parent)
{
    std::vector<ChildInfo> children;
    for (HWND window : Descendants(parent)) {
        ChildInfo info;
        info.window = window;
        info.id = GetDlgCtrlID(window);
        info.className = GetClassNameOf(window);
        info.text = GetText(window);
        info.visible = IsWindowVisible(window) != FALSE;
        info.enabled = IsWindowEnabled(window) != FALSE;
        GetWindowRect(window, &info.rect);
        children.push_back(std::move(info));
    }
    return children;
}

HWND FindChildById(HWND parent, int id)
{
    for (HWND window : Descendants(parent))
        if (GetDlgCtrlID(window) == id)
            return window;
    return nullptr;
}

HWND FindChildByText(HWND parent, const std::string& text, const std::string& className)
{
    for (HWND window : Descendants(parent)) {
        if (!className.empty() && !SameClass(GetClassNameOf(window), className))
            continue;
        const std::string shown = GetText(window);
        if (shown == text || WithoutMnemonics(shown) == text)
            return window;
    }
    return nullptr;
}

HWND WaitForChildById(HWND parent, int id, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND child = FindChildById(parent, id))
            return child;
        if (!IsWindow(parent) || GetTickCount() - start >= timeoutMs)
            return nullptr;
        Sleep(kPollMs);
    }
}

// -------------------------------------------------------------- properties

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

bool SetText(HWND window, const std::string& text)
{
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    LRESULT ok = 0;
    return SendWithBuffer(window, WM_SETTEXT, 0, false, &buffer, &ok) && ok;
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

// ------------------------------------------------------------------- input

bool Click(HWND button)
{
    // A user cannot press what is disabled or not shown.
    if (!IsWindow(button) || !IsWindowEnabled(button) || !IsWindowVisible(button))
        return false;
    // Windows may drop a click on a button of a dialog that is not active.
    SetForegroundWindow(GetAncestor(button, GA_ROOT));
    return PostMessageA(button, BM_CLICK, 0, 0) != FALSE;
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
std::vector<std::string> ReadItems(HWND box, UINT countMessage, UINT lengthMessage,
                                   UINT textMessage)
{
    std::vector<std::string> items;
    LRESULT count = 0;
    if (!Send(box, countMessage, 0, 0, &count))
        return items;
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT length = 0;
        if (!Send(box, lengthMessage, static_cast<WPARAM>(i), 0, &length) || length < 0)
            break;
        // The item messages take no buffer size; the system's copy into this
        // process follows the length the box reports, plus the terminator.
        std::vector<char> buffer((static_cast<std::size_t>(length) + 1) * sizeof(WCHAR), '\0');
        LRESULT copied = 0;
        if (!SendWithBuffer(box, textMessage, static_cast<WPARAM>(i), true, &buffer, &copied) ||
            copied < 0)
            break;
        const std::wstring text(reinterpret_cast<const WCHAR*>(buffer.data()),
                                std::min<std::size_t>(copied, length));
        items.push_back(Narrow(text));
    }
    return items;
}

}  // namespace

std::vector<std::string> GetListItems(HWND listBox)
{
    return ReadItems(listBox, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
}

std::vector<std::string> GetComboItems(HWND comboBox)
{
    return ReadItems(comboBox, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

int GetComboSelection(HWND comboBox)
{
    LRESULT selection = CB_ERR;
    return Send(comboBox, CB_GETCURSEL, 0, 0, &selection) ? static_cast<int>(selection) : CB_ERR;
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

// --------------------------------------------------------------- tool tips

std::string GetToolTipText(HWND tool)
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
        std::string text = ToolTipTextIn(toolTip, tool, processId);
        if (!text.empty())
            return text;
    }
    return {};
}

// ----------------------------------------------------------- message boxes

bool ReadMessageBox(HWND window, MessageBoxInfo* box)
{
    if (!IsWindow(window) || GetClassNameOf(window) != "#32770")
        return false;
    MessageBoxInfo info;
    info.window = window;
    info.caption = CaptionOf(window);
    bool hasText = false;
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
            } else if ((style & SS_TYPEMASK) == SS_ICON && IsWindowVisible(child)) {
                LRESULT icon = 0;
                info.hasIcon = info.hasIcon || (Send(child, STM_GETICON, 0, 0, &icon) && icon);
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
