// The framework's control classes: thin CWnd classes over the system's
// control windows. Each Create makes a window of the system class and binds
// it to the object (subclassed, so the object's message table sees its
// messages and the parent reflects notifications back to it).
//
// Every class takes the same arguments as the others: the window text, the
// full style (WS_CHILD and WS_VISIBLE included), the rectangle in the
// parent's client coordinates, the parent and the control id.
#pragma once

#include <windows.h>
// commctrl.h needs the definitions of windows.h first.
#include <commctrl.h>

#include "framework/wnd_win.h"

// Makes a control window of `className` for `control`. Shared by the classes
// below; the parent must exist.
bool CreateControlWindow(CWnd& control, const char* className, const char* text, DWORD style,
                         const RECT& rect, CWnd* parent, UINT id);

class CStatic : public CWnd {
public:
    bool Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id)
    {
        return CreateControlWindow(*this, "STATIC", text, style, rect, parent, id);
    }
    // The image of an SS_ICON or SS_BITMAP static; the caller keeps owning it.
    // Returns the image shown before.
    HANDLE SetImage(UINT type, HANDLE image)
    {
        return reinterpret_cast<HANDLE>(SendMessage(STM_SETIMAGE, type, reinterpret_cast<LPARAM>(image)));
    }
    HICON SetIcon(HICON icon) { return reinterpret_cast<HICON>(SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(icon))); }
    HICON GetIcon() const { return reinterpret_cast<HICON>(SendMessage(STM_GETICON)); }
};

class CButton : public CWnd {
public:
    bool Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id)
    {
        return CreateControlWindow(*this, "BUTTON", text, style, rect, parent, id);
    }
    void SetButtonStyle(UINT style, bool redraw = true) { SendMessage(BM_SETSTYLE, style, redraw ? TRUE : FALSE); }
    void SetCheck(int state) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(state)); }
};

class CComboBox : public CWnd {
public:
    bool Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id)
    {
        return CreateControlWindow(*this, "COMBOBOX", text, style, rect, parent, id);
    }
    // Index -1 asks for the selection field's height.
    int GetItemHeight(int index) const { return static_cast<int>(SendMessage(CB_GETITEMHEIGHT, static_cast<WPARAM>(index))); }
    int AddString(const char* text) { return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text))); }
};

class CEdit : public CWnd {
public:
    bool Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id)
    {
        return CreateControlWindow(*this, "EDIT", text, style, rect, parent, id);
    }
};

class CProgressCtrl : public CWnd {
public:
    bool Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id);
    void SetRange32(int lower, int upper) { SendMessage(PBM_SETRANGE32, static_cast<WPARAM>(lower), upper); }
    int SetPos(int position) { return static_cast<int>(SendMessage(PBM_SETPOS, static_cast<WPARAM>(position))); }
    int GetPos() const { return static_cast<int>(SendMessage(PBM_GETPOS)); }
};

// The rich edit control of the first generation ("RICHEDIT" of riched32.dll).
class CRichEditCtrl : public CWnd {
public:
    // Fails, making no window, when the rich edit library cannot be loaded.
    bool Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id);
};

// Loads the rich edit library once for the process; false when it is missing.
bool AfxInitRichEdit();

class CTreeCtrl : public CWnd {
public:
    bool Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id);
    HTREEITEM InsertItem(const char* text, HTREEITEM parent = TVI_ROOT, HTREEITEM after = TVI_LAST);
};
