// CWnd: one C++ object per window, bound to its HWND once, with a message
// table per class.
//
// A class lists the messages it handles between BEGIN_MESSAGE_MAP and
// END_MESSAGE_MAP; each entry unpacks the message's arguments and calls a
// typed handler (OnCreate, OnTimer, ...). A message that a class does not list
// is looked up in its base class's table, and finally goes to Default(), the
// window's original procedure.
//
// Notifications that a child control sends to its parent (WM_COMMAND,
// WM_NOTIFY, WM_CTLCOLOR*, WM_DRAWITEM) are first offered back to the child's
// own object as "reflected" messages, so that a control class can colour,
// draw or handle itself.
#pragma once

#include <windows.h>

#include <cstddef>

#include "framework/cstring.h"

class CWnd;

// Reflected notifications arrive at the child with this offset added.
constexpr UINT WM_REFLECT_BASE = 0xBC00;

using MessageHandler = LRESULT (*)(CWnd& window, WPARAM wParam, LPARAM lParam);

struct MessageEntry {
    UINT message;
    UINT code;     // notification code for WM_COMMAND/WM_NOTIFY entries
    UINT idFirst;  // control id range for WM_COMMAND/WM_NOTIFY entries
    UINT idLast;
    bool matchesCommand;  // true: code and id range must match as well
    MessageHandler handler;
};

struct MessageMap {
    const MessageMap* (*base)();
    const MessageEntry* entries;
    std::size_t count;
};

class CWnd {
public:
    CWnd() = default;
    // Destroys the window if it still exists.
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;  // owned: destroyed with the object unless already gone

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }  // NOLINT: as the framework's windows

    // The object bound to a window, or null for windows without one.
    static CWnd* FromHandle(HWND window);

    // Registers (once) a window class of ours whose procedure is the framework's.
    static const char* RegisterWindowClass(const char* name, UINT style, HICON icon,
                                           HCURSOR cursor, HBRUSH background);

    // Creates a window of a class of ours (registered above) or of a system
    // class ("BUTTON", "STATIC", ...). A system-class window is subclassed so that
    // its messages reach this object too.
    bool CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style,
                  int x, int y, int width, int height, HWND parent, HMENU menuOrId);

    // The same for a window made with the W functions: its texts are UTF-16
    // (any name, whatever the code page), and its messages come to the object
    // and go on to the original procedure as W messages.
    static const wchar_t* RegisterWindowClass(const wchar_t* name, UINT style, HICON icon,
                                              HCURSOR cursor, HBRUSH background);
    bool CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style,
                  int x, int y, int width, int height, HWND parent, HMENU menuOrId);
    // Binds an existing window to this object and subclasses it.
    bool SubclassWindow(HWND window);
    bool DestroyWindow();

    // Runs the window's original procedure for the message being handled.
    LRESULT Default();

    // Keyboard pre-translation from the message loop; true consumes the message.
    virtual bool PreTranslateMessage(MSG* message);

    // --- thin helpers over the Win32 calls ------------------------------------
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
    bool PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::PostMessageA(m_hWnd, message, wParam, lParam) != FALSE;
    }
    void SetWindowText(const char* text) { ::SetWindowTextA(m_hWnd, text); }
    CString GetWindowText() const;
    bool ShowWindow(int command) { return ::ShowWindow(m_hWnd, command) != FALSE; }
    bool EnableWindow(bool enable = true) { return ::EnableWindow(m_hWnd, enable) != FALSE; }
    bool IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd) != FALSE; }
    void Invalidate(bool erase = true) { ::InvalidateRect(m_hWnd, nullptr, erase); }
    UINT_PTR SetTimer(UINT_PTR id, UINT milliseconds) { return ::SetTimer(m_hWnd, id, milliseconds, nullptr); }
    bool KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id) != FALSE; }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    void SetFont(HFONT font, bool redraw = true) { SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw); }
    bool ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0);
    bool ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags = 0);
    int MessageBox(const char* text, const char* caption = nullptr, UINT type = MB_OK);

protected:
    static const MessageMap* GetThisMessageMap();
    virtual const MessageMap* GetMessageMap() const { return GetThisMessageMap(); }

    // The procedure that does everything no table entry handles.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Offers a notification from a child back to the child's object.
    // True when the child handled it; *result is then the answer.
    bool ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Called after the window is gone (WM_NCDESTROY); m_hWnd is null by then.
    virtual void PostNcDestroy() {}

    // Binds this object to a window: used by the creation hooks. `wide`: the
    // window takes W messages.
    void Attach(HWND window, bool subclass, bool wide = false);

    static LRESULT CALLBACK StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    bool Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    void Detach();

    WNDPROC superProc_ = nullptr;       // the class's own procedure for subclassed windows
    bool wide_ = false;                 // W messages: made with the W functions
    const MSG* currentMessage_ = nullptr;  // the message Default() passes on
};

// --- message tables -------------------------------------------------------------
//
//   BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
//       ON_WM_CREATE()
//       ON_WM_TIMER()
//   END_MESSAGE_MAP()
//
// and DECLARE_MESSAGE_MAP() inside the class.

#define DECLARE_MESSAGE_MAP()                                                 \
protected:                                                                    \
    static const MessageMap* GetThisMessageMap();                             \
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                \
    const MessageMap* theClass::GetThisMessageMap()                           \
    {                                                                         \
        using ThisClass = theClass;                                           \
        using TheBaseClass = baseClass;                                       \
        static const MessageEntry entries[] = {

#define END_MESSAGE_MAP()                                                     \
            {0, 0, 0, 0, false, nullptr}                                      \
        };                                                                    \
        static const MessageMap map = {&TheBaseClass::GetThisMessageMap,      \
                                       entries,                               \
                                       sizeof(entries) / sizeof(entries[0]) - 1}; \
        return &map;                                                          \
    }

#define FW_SELF static_cast<ThisClass&>(window)

#define ON_MESSAGE(message, memberFn)                                         \
    {message, 0, 0, 0, false, [](CWnd& window, WPARAM w, LPARAM l) -> LRESULT { \
         return FW_SELF.memberFn(w, l); }},

#define ON_WM_CREATE()                                                        \
    {WM_CREATE, 0, 0, 0, false, [](CWnd& window, WPARAM, LPARAM l) -> LRESULT { \
         return FW_SELF.OnCreate(reinterpret_cast<CREATESTRUCTA*>(l)); }},

#define ON_WM_DESTROY()                                                       \
    {WM_DESTROY, 0, 0, 0, false, [](CWnd& window, WPARAM, LPARAM) -> LRESULT { \
         FW_SELF.OnDestroy(); return 0; }},

#define ON_WM_CLOSE()                                                         \
    {WM_CLOSE, 0, 0, 0, false, [](CWnd& window, WPARAM, LPARAM) -> LRESULT {  \
         FW_SELF.OnClose(); return 0; }},

#define ON_WM_TIMER()                                                         \
    {WM_TIMER, 0, 0, 0, false, [](CWnd& window, WPARAM w, LPARAM) -> LRESULT { \
         FW_SELF.OnTimer(static_cast<UINT_PTR>(w)); return 0; }},

#define ON_WM_PAINT()                                                         \
    {WM_PAINT, 0, 0, 0, false, [](CWnd& window, WPARAM, LPARAM) -> LRESULT {  \
         FW_SELF.OnPaint(); return 0; }},

// HBRUSH OnCtlColor(HDC dc, HWND control, UINT type), for every WM_CTLCOLOR* message.
#define FW_CTLCOLOR_ENTRY(message, type)                                      \
    {message, 0, 0, 0, false, [](CWnd& window, WPARAM w, LPARAM l) -> LRESULT { \
         return reinterpret_cast<LRESULT>(FW_SELF.OnCtlColor(                 \
             reinterpret_cast<HDC>(w), reinterpret_cast<HWND>(l), type)); }},
#define ON_WM_CTLCOLOR()                                                      \
    FW_CTLCOLOR_ENTRY(WM_CTLCOLORMSGBOX, CTLCOLOR_MSGBOX)                     \
    FW_CTLCOLOR_ENTRY(WM_CTLCOLOREDIT, CTLCOLOR_EDIT)                         \
    FW_CTLCOLOR_ENTRY(WM_CTLCOLORLISTBOX, CTLCOLOR_LISTBOX)                   \
    FW_CTLCOLOR_ENTRY(WM_CTLCOLORBTN, CTLCOLOR_BTN)                           \
    FW_CTLCOLOR_ENTRY(WM_CTLCOLORDLG, CTLCOLOR_DLG)                           \
    FW_CTLCOLOR_ENTRY(WM_CTLCOLORSCROLLBAR, CTLCOLOR_SCROLLBAR)               \
    FW_CTLCOLOR_ENTRY(WM_CTLCOLORSTATIC, CTLCOLOR_STATIC)

// HBRUSH CtlColor(HDC dc, UINT type) on the control itself; returning null
// lets the parent decide.
#define FW_CTLCOLOR_REFLECT_ENTRY(message, type)                              \
    {WM_REFLECT_BASE + message, 0, 0, 0, false, [](CWnd& window, WPARAM w, LPARAM) -> LRESULT { \
         return reinterpret_cast<LRESULT>(FW_SELF.CtlColor(reinterpret_cast<HDC>(w), type)); }},
#define ON_WM_CTLCOLOR_REFLECT()                                              \
    FW_CTLCOLOR_REFLECT_ENTRY(WM_CTLCOLOREDIT, CTLCOLOR_EDIT)                 \
    FW_CTLCOLOR_REFLECT_ENTRY(WM_CTLCOLORLISTBOX, CTLCOLOR_LISTBOX)           \
    FW_CTLCOLOR_REFLECT_ENTRY(WM_CTLCOLORBTN, CTLCOLOR_BTN)                   \
    FW_CTLCOLOR_REFLECT_ENTRY(WM_CTLCOLORSCROLLBAR, CTLCOLOR_SCROLLBAR)       \
    FW_CTLCOLOR_REFLECT_ENTRY(WM_CTLCOLORSTATIC, CTLCOLOR_STATIC)

// void DrawItem(DRAWITEMSTRUCT*) on an owner-drawn control (reflected).
#define ON_WM_DRAWITEM_REFLECT()                                              \
    {WM_REFLECT_BASE + WM_DRAWITEM, 0, 0, 0, false, [](CWnd& window, WPARAM, LPARAM l) -> LRESULT { \
         FW_SELF.DrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(l)); return TRUE; }},

// void OnXxx() for a WM_COMMAND with the given notification code from one id.
#define ON_CONTROL(notifyCode, id, memberFn)                                  \
    {WM_COMMAND, static_cast<UINT>(notifyCode), static_cast<UINT>(id), static_cast<UINT>(id), true, \
     [](CWnd& window, WPARAM, LPARAM) -> LRESULT { FW_SELF.memberFn(); return 0; }},
#define ON_COMMAND(id, memberFn) ON_CONTROL(0, id, memberFn)
#define ON_BN_CLICKED(id, memberFn) ON_CONTROL(BN_CLICKED, id, memberFn)
#define ON_EN_CHANGE(id, memberFn) ON_CONTROL(EN_CHANGE, id, memberFn)

// void OnXxx(UINT id) for clicks (notification 0) from a range of ids.
#define ON_COMMAND_RANGE(firstId, lastId, memberFn)                           \
    {WM_COMMAND, 0, static_cast<UINT>(firstId), static_cast<UINT>(lastId), true, \
     [](CWnd& window, WPARAM w, LPARAM) -> LRESULT {                          \
         FW_SELF.memberFn(LOWORD(w)); return 0; }},
