// The UI driver: drives the programs' windows from outside, as a user would,
// for end-to-end tests and the demo. It runs in the same Wine prefix as the
// program it drives, in a process of its own.
//
// Everything that waits polls with a time-out: a top-level window can exist
// before its children do, and a program under test must never hang a test.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace uidriver {

// A program started by the driver. Owns its process handle.
class Process {
public:
    Process() = default;
    ~Process();
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // Starts `commandLine` (program path first, quoted where needed) in
    // `folder` (empty: the driver's current folder). False when it cannot start.
    bool Start(const std::string& commandLine, const std::string& folder = "");
    DWORD Id() const { return id_; }
    HANDLE Handle() const { return process_; }
    bool IsRunning() const;
    // Waits for the end and gives the full 32-bit exit code; false on time-out.
    bool WaitForExit(DWORD timeoutMs, DWORD* exitCode);
    // Ends the program if it still runs (tests clean up after themselves).
    void Terminate();

private:
    HANDLE process_ = nullptr;  // owned
    DWORD id_ = 0;
};

// Waits for the end of a process the driver did not start (found by id) and
// gives its full 32-bit exit code; false on time-out or when there is no such
// process.
bool WaitForProcessExit(DWORD processId, DWORD timeoutMs, DWORD* exitCode);

// Joins arguments into one command line that the C runtime splits back into
// the same arguments (quotes where a blank, tab or quote needs them).
std::string BuildCommandLine(const std::vector<std::string>& arguments);

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

std::string GetText(HWND window);
bool SetText(HWND window, const std::string& text);  // WM_SETTEXT: an edit box sends EN_CHANGE
std::string GetClassNameOf(HWND window);
bool IsEnabled(HWND window);
bool IsVisible(HWND window);

// Presses a button without waiting for what the press starts (a modal box,
// for instance): the click is posted. False for a disabled or hidden button,
// which a user could not press either.
bool Click(HWND button);
// Double-clicks an item of a list box (posts the mouse messages).
bool DoubleClickListItem(HWND listBox, int index);

// Progress bars.
int GetProgressPos(HWND progress);
bool GetProgressRange(HWND progress, int* low, int* high);

// List and combo boxes (the standard classes; the texts cross processes).
std::vector<std::string> GetListItems(HWND listBox);
std::vector<std::string> GetComboItems(HWND comboBox);
int GetComboSelection(HWND comboBox);
// Selects an item and tells the owner as a user's choice would (CBN_SELCHANGE).
bool SelectComboItem(HWND comboBox, int index);

// Tool tips: the text the tool tip control of `owner`'s top-level window
// holds for the tool `tool` (a control); empty when there is none.
std::string GetToolTipText(HWND tool);

// Message boxes (dialog class "#32770" with a static of id 65535).
struct MessageBoxInfo {
    HWND window = nullptr;
    std::string caption;
    std::string text;
    std::vector<int> buttons;  // ids: IDOK 1, IDCANCEL 2, IDYES 6, IDNO 7, ...
    bool hasIcon = false;
};
// The first message box shown by the process (0: any process).
bool WaitForMessageBox(DWORD processId, DWORD timeoutMs, MessageBoxInfo* box);
bool ReadMessageBox(HWND window, MessageBoxInfo* box);
// Presses a button of a message box and waits until the box is gone.
bool AnswerMessageBox(const MessageBoxInfo& box, int buttonId, DWORD timeoutMs = 5000);

}  // namespace uidriver
