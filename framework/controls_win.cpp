#include "framework/controls_win.h"

bool CreateControlWindow(CWnd& control, const char* className, const char* text, DWORD style,
                         const RECT& rect, CWnd* parent, UINT id)
{
    // An object is bound to one window at a time; a second window would leave
    // the first one talking to an object that no longer knows it.
    if (control.GetSafeHwnd() || !parent || !parent->GetSafeHwnd())
        return false;
    return control.CreateEx(0, className, text ? text : "", style, rect.left, rect.top, rect.right - rect.left,
                            rect.bottom - rect.top, parent->GetSafeHwnd(),
                            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

namespace {

// The common control classes exist only once the library registered them;
// asking again is cheap.
void RegisterCommonControls(DWORD classes)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, classes};
    ::InitCommonControlsEx(&controls);
}

}  // namespace

bool CProgressCtrl::Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    RegisterCommonControls(ICC_PROGRESS_CLASS);
    return CreateControlWindow(*this, PROGRESS_CLASSA, text, style, rect, parent, id);
}

bool CTreeCtrl::Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    RegisterCommonControls(ICC_TREEVIEW_CLASSES);
    return CreateControlWindow(*this, WC_TREEVIEWA, text, style, rect, parent, id);
}

HTREEITEM CTreeCtrl::InsertItem(const char* text, HTREEITEM parent, HTREEITEM after)
{
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<char*>(text);  // the control copies the text
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

bool AfxInitRichEdit()
{
    // Loaded once and kept for the life of the process: rich edit windows may
    // exist until the very end, and their class goes with the library.
    static const HMODULE library = ::LoadLibraryA("riched32.dll");
    return library != nullptr;
}

bool CRichEditCtrl::Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    if (!AfxInitRichEdit())
        return false;
    return CreateControlWindow(*this, "RICHEDIT", text, style, rect, parent, id);
}
