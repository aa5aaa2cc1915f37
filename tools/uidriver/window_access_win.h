// Inside the driver: how it reaches another process's windows. Messages go
// out with a time-out on a thread of their own, so that a hung program makes
// a read fail instead of hanging the driver.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace uidriver::detail {

// How often the waiting calls look again.
constexpr DWORD kPollMs = 25;
// Long enough for a busy program under Wine, short enough that a hung one
// does not stall a test for long.
constexpr UINT kSendTimeoutMs = 3000;

// A message whose parameters are plain values; false when it was not
// answered in time. `wide`: sent as a W message (a text length then counts
// UTF-16 units).
bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result, bool wide = false);
// A message whose lParam points at `buffer`, which goes in and comes back
// with what the window wrote into it.
bool SendWithBuffer(HWND window, UINT message, WPARAM wParam, bool wide, std::vector<char>* buffer,
                    LRESULT* result);

// The caption the system keeps for a window (no message is sent).
std::string CaptionOf(HWND window);
std::wstring WideCaptionOf(HWND window);
// True while the window has something left to paint.
bool PaintPending(HWND window);
// True when a shown top-level window above `topLevel` overlaps `part` of it:
// what the screen shows there is not `part`.
bool Covered(HWND topLevel, HWND part);
// Window class names compare without regard to case.
bool SameClass(const std::string& a, const std::string& b);
// Every descendant of `parent`, in Z order.
std::vector<HWND> Descendants(HWND parent);
// Wide text to the system code page.
std::string Narrow(const std::wstring& wide);

}  // namespace uidriver::detail
