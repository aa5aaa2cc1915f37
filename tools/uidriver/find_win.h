// The UI driver: finding top-level windows and the controls inside them.
// Everything that waits polls with a time-out: a top-level window can exist
// before its children do.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace uidriver {

// What a top-level window must match; empty fields match anything.
struct WindowQuery {
    DWORD processId = 0;
    std::string className;     // exact, e.g. "#32770" for message boxes and dialogs
    std::string caption;       // exact unless captionContains
    bool captionContains = false;
    bool visibleOnly = true;
};

HWND FindTopLevel(const WindowQuery& query);
std::vector<HWND> FindAllTopLevel(const WindowQuery& query);
HWND WaitForTopLevel(const WindowQuery& query, DWORD timeoutMs);
// True once the window is gone or hidden.
bool WaitForGoneOrHidden(HWND window, DWORD timeoutMs);

struct ChildInfo {
    HWND window = nullptr;
    int id = 0;
    std::string className;
    std::string text;
    bool visible = false;
    bool enabled = false;
    RECT rect{};  // screen coordinates
};
// The window's descendants in Z order (creation order for dialogs).
std::vector<ChildInfo> ListChildren(HWND parent);
HWND FindChildById(HWND parent, int id);
// The text matches as shown or without its mnemonic ampersands ("Yes" finds "&Yes").
HWND FindChildByText(HWND parent, const std::string& text, const std::string& className = "");
// Polls until the child exists.
HWND WaitForChildById(HWND parent, int id, DWORD timeoutMs);

}  // namespace uidriver
