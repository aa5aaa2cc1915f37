#include "uninstaller/controls/folder_browser_win.h"

#include <vector>

#include "framework/app_win.h"
#include "uninstaller/controls/folder_browse_layout.h"
#include "uninstaller/controls/folder_checks.h"
#include "uninstaller/controls/folder_checks_win.h"

namespace {

// Edit box style: child, visible, tab stop, horizontal auto-scroll.
constexpr DWORD kEditStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;
static_assert(kEditStyle == 0x50010080, "the edit box's style");

// The flags of the browse request: file-system folders only, with a status text.
constexpr UINT kBrowseFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
static_assert(kBrowseFlags == 5, "the browse flags");

// The shell's allocator, released with the object. It frees the item list
// that SHBrowseForFolder hands back.
class ShellAllocator {
public:
    ShellAllocator()
    {
        if (FAILED(::SHGetMalloc(&malloc_)))
            malloc_ = nullptr;
    }
    ~ShellAllocator()
    {
        if (malloc_)
            malloc_->Release();
    }
    ShellAllocator(const ShellAllocator&) = delete;
    ShellAllocator& operator=(const ShellAllocator&) = delete;

    bool IsValid() const { return malloc_ != nullptr; }
    void Free(void* block) { malloc_->Free(block); }

private:
    IMalloc* malloc_ = nullptr;  // owned: one reference
};

// The owner a dialog should have: the top-level window of `parent`, or of
// the main window when there is no parent. A child window cannot own a
// dialog, and the main window keeps a parentless dialog modal to the program.
HWND SafeOwnerOf(CWnd* parent)
{
    CWnd* start = parent ? parent : AfxGetMainWnd();
    HWND window = start ? start->GetSafeHwnd() : nullptr;
    return window ? ::GetAncestor(window, GA_ROOT) : nullptr;
}

CString WindowText(HWND window)
{
    const int length = ::GetWindowTextLengthA(window);
    if (length <= 0)
        return CString();
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    const int got = ::GetWindowTextA(window, buffer.data(), length + 1);
    return CString(buffer.data(), static_cast<std::size_t>(got > 0 ? got : 0));
}

// A child's rectangle in the dialog's client coordinates.
RECT ClientRectOf(HWND dialog, HWND child)
{
    RECT rect{};
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

LayoutBox BoxOf(const RECT& rect)
{
    return {rect.left, rect.top, rect.right, rect.bottom};
}

// The boxes of the dialog's shown controls other than `except`. The dialog is
// not on screen yet when the shell says it is initialised, so IsWindowVisible
// would say no for every child: the controls' own WS_VISIBLE counts.
std::vector<LayoutBox> VisibleControlBoxes(HWND dialog, HWND except)
{
    std::vector<LayoutBox> boxes;
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (child != except && (::GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE))
            boxes.push_back(BoxOf(ClientRectOf(dialog, child)));
    }
    return boxes;
}

}  // namespace

// --- CFolderBrowseWnd -------------------------------------------------------------

BEGIN_MESSAGE_MAP(CFolderBrowseWnd, CWnd)
    ON_BN_CLICKED(IDOK, OnOK)
    ON_EN_CHANGE(kBrowseEditId, OnEditChange)
END_MESSAGE_MAP()

// The shell's dialog is gone by the time the browser goes (the modal loop
// has ended), so there is nothing left to give back here.
CFolderBrowseWnd::~CFolderBrowseWnd() = default;

void CFolderBrowseWnd::OnOK()
{
    if (browser_->AcceptTypedFolder()) {
        ::EndDialog(m_hWnd, IDOK);
        return;
    }
    // Refused, declined or not creatable: the user corrects the text.
    ::SetFocus(browser_->EditBox());
}

void CFolderBrowseWnd::OnEditChange()
{
    const CString text = browser_->ReadEditBox();
    browser_->folder_ = text.Left(kMaxFolderLength);
    browser_->EnableOk(!text.IsEmpty());
}

// --- CFolderBrowser ---------------------------------------------------------------

CFolderBrowser::CFolderBrowser(const char* caption, const char* prompt, const char* initialFolder,
                               CWnd* parent)
    : hasCaption_(caption != nullptr),
      caption_(caption),
      prompt_(prompt),
      hasInitialFolder_(initialFolder != nullptr),
      initialFolder_(initialFolder),
      owner_(SafeOwnerOf(parent)),
      hookWindow_(this)
{
    browseInfo_.hwndOwner = owner_;
    browseInfo_.pidlRoot = nullptr;
    browseInfo_.lpszTitle = prompt_;
    browseInfo_.ulFlags = kBrowseFlags;
    browseInfo_.lpfn = &CFolderBrowser::BrowseCallback;
}

int CFolderBrowser::DoModal()
{
    browseInfo_.lpfn = &CFolderBrowser::BrowseCallback;
    browseInfo_.lParam = reinterpret_cast<LPARAM>(this);
    browseInfo_.pszDisplayName = displayName_;

    ShellAllocator allocator;
    if (!allocator.IsValid())
        return -1;
    accepted_ = 0;
    // The item list of the tree's selection is not the result (the edit
    // box's text is); it only has to be freed.
    LPITEMIDLIST item = ::SHBrowseForFolderA(&browseInfo_);
    if (item)
        allocator.Free(item);
    dialog_ = nullptr;
    return accepted_ ? 1 : -1;
}

int CALLBACK CFolderBrowser::BrowseCallback(HWND dialog, UINT message, LPARAM param, LPARAM data)
{
    auto* self = reinterpret_cast<CFolderBrowser*>(data);
    if (!self)
        return 0;
    if (message == BFFM_INITIALIZED)
        self->OnInitialized(dialog);
    else if (message == BFFM_SELCHANGED && self->dialog_ == dialog)
        self->OnSelectionChanged(reinterpret_cast<LPCITEMIDLIST>(param));
    return 0;
}

void CFolderBrowser::OnInitialized(HWND dialog)
{
    dialog_ = dialog;
    if (hasCaption_)
        ::SetWindowTextA(dialog, caption_);
    hookWindow_.SubclassWindow(dialog);
    ::ShowWindow(::GetDlgItem(dialog, kBrowseStatusTextId), SW_HIDE);

    HWND tree = ::GetDlgItem(dialog, kBrowseTreeId);
    // The status text is hidden by now, so its room counts as free.
    const EditPlacement placement =
        PlaceEditAboveTree(BoxOf(ClientRectOf(dialog, tree)), VisibleControlBoxes(dialog, tree));
    const LayoutBox& treeBox = placement.tree;
    ::MoveWindow(tree, treeBox.left, treeBox.top, treeBox.right - treeBox.left, treeBox.bottom - treeBox.top,
                 TRUE);
    const LayoutBox& edit = placement.edit;

    // The edit box is a child of the dialog and goes with it.
    HWND editBox = ::CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", kEditStyle, edit.left, edit.top,
                                     edit.right - edit.left, edit.bottom - edit.top, dialog,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(kBrowseEditId)),
                                     ::GetModuleHandleA(nullptr), nullptr);
    // Tab order is Z order: put the edit box just before the tree.
    HWND beforeTree = ::GetWindow(tree, GW_HWNDPREV);
    ::SetWindowPos(editBox, beforeTree ? beforeTree : HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::ShowWindow(editBox, SW_SHOW);
    ::SendMessageA(editBox, WM_SETFONT, static_cast<WPARAM>(::SendMessageA(dialog, WM_GETFONT, 0, 0)), TRUE);
    // OK is enabled exactly when the edit box holds text, and it starts empty.
    EnableOk(false);

    if (hasInitialFolder_) {
        if (!initialFolder_.IsEmpty())
            ::SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(initialFolder_.GetString()));
    } else {
        // A current folder too long for the buffer is left unselected.
        char current[MAX_PATH] = {};
        const DWORD length = ::GetCurrentDirectoryA(MAX_PATH, current);
        if (length > 0 && length < MAX_PATH)
            ::SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(current));
    }
}

void CFolderBrowser::OnSelectionChanged(LPCITEMIDLIST item)
{
    // Only a path on a drive ("X:...") can be typed and checked; virtual
    // folders and network places without a drive letter leave the box empty.
    char path[MAX_PATH] = {};
    const bool drivePath = item && ::SHGetPathFromIDListA(item, path) && path[0] != '\0' && path[1] == ':';
    if (!drivePath)
        path[0] = '\0';
    EnableOk(drivePath);
    ::SendMessageA(dialog_, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(path));
    // Raises EN_CHANGE, which sets OK again from the box's text.
    ::SetWindowTextA(EditBox(), path);
}

void CFolderBrowser::EnableOk(bool enable)
{
    ::SendMessageA(dialog_, BFFM_ENABLEOK, 0, enable ? TRUE : FALSE);
}

CString CFolderBrowser::ReadEditBox()
{
    return WindowText(EditBox());
}

bool CFolderBrowser::AcceptTypedFolder()
{
    // The check sees the whole text: an over-long one is refused, not cut
    // down to a shorter folder the user did not type.
    const CString typed = ReadEditBox();
    folder_ = typed.Left(kMaxFolderLength);
    FolderCheckSystemWin system(hookWindow_);
    if (CheckFolder(system, typed) != kFolderAccepted)
        return false;
    accepted_ = 1;
    return true;
}
