// How the driver reaches into another process's windows. Every read goes
// through a message with a time-out, so a hung program makes the driver
// report a failure instead of hanging with it.
#include "tools/uidriver/window_access_win.h"

#include <algorithm>
#include <memory>

namespace uidriver::detail {
namespace {

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

// The thread's body. It holds a reference of its own to the call, so the
// call outlives a driver that stopped waiting for it.
DWORD WINAPI SendOnItsOwnThread(LPVOID parameter)
{
    const std::unique_ptr<std::shared_ptr<SendCall>> reference(
        static_cast<std::shared_ptr<SendCall>*>(parameter));
    SendCall& call = **reference;
    const LPARAM lParam =
        call.usesBuffer ? reinterpret_cast<LPARAM>(call.buffer.data()) : call.lParam;
    call.sent = call.wide ? SendMessageTimeoutW(call.window, call.message, call.wParam, lParam,
                                                SMTO_ABORTIFHUNG, kSendTimeoutMs, &call.result) != 0
                          : SendMessageTimeoutA(call.window, call.message, call.wParam, lParam,
                                                SMTO_ABORTIFHUNG, kSendTimeoutMs, &call.result) != 0;
    SetEvent(call.done);
    return 0;
}

// A plain system thread, not a detached std::thread: the MinGW thread
// library can start a thread that is detached at once with its state
// already gone, and the thread then crashes on a null pointer.
bool Dispatch(const std::shared_ptr<SendCall>& call, LRESULT* result)
{
    auto* reference = new std::shared_ptr<SendCall>(call);
    HANDLE thread = CreateThread(nullptr, 0, SendOnItsOwnThread, reference, 0, nullptr);
    if (!thread) {
        delete reference;
        return false;
    }
    CloseHandle(thread);  // it runs on by itself
    if (WaitForSingleObject(call->done, kSendTimeoutMs + 500) != WAIT_OBJECT_0 || !call->sent)
        return false;
    if (result)
        *result = static_cast<LRESULT>(call->result);
    return true;
}

}  // namespace

// A message whose parameters are plain values.
bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result, bool wide)
{
    auto call = std::make_shared<SendCall>();
    call->window = window;
    call->message = message;
    call->wParam = wParam;
    call->lParam = lParam;
    call->wide = wide;
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
template <typename Text, typename Get>
Text CaptionWith(HWND window, Get getWindowText)
{
    Text text(256, '\0');
    for (;;) {
        const int length = getWindowText(window, &text[0], static_cast<int>(text.size()));
        if (length < static_cast<int>(text.size()) - 1) {
            text.resize(static_cast<std::size_t>(std::max(length, 0)));
            return text;
        }
        text.resize(text.size() * 2);
    }
}

std::string CaptionOf(HWND window)
{
    return CaptionWith<std::string>(window, GetWindowTextA);
}

std::wstring WideCaptionOf(HWND window)
{
    return CaptionWith<std::wstring>(window, GetWindowTextW);
}

bool PaintPending(HWND window)
{
    RECT dirty{};
    return GetUpdateRect(window, &dirty, FALSE) != FALSE;
}

bool Covered(HWND topLevel, HWND part)
{
    RECT partRect{};
    GetWindowRect(part, &partRect);
    for (HWND above = GetWindow(topLevel, GW_HWNDPREV); above; above = GetWindow(above, GW_HWNDPREV)) {
        RECT aboveRect{};
        RECT overlap{};
        if (IsWindowVisible(above) && GetWindowRect(above, &aboveRect) &&
            IntersectRect(&overlap, &aboveRect, &partRect))
            return true;
    }
    return false;
}

bool SameClass(const std::string& a, const std::string& b)
{
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

namespace {

BOOL CALLBACK CollectChild(HWND window, LPARAM context)
{
    reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> Descendants(HWND parent)
{
    std::vector<HWND> children;
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

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

}  // namespace uidriver::detail
