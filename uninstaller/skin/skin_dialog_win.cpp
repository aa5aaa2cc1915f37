#include "uninstaller/skin/skin_dialog_win.h"

#include <commctrl.h>

#include "uninstaller/common/placeholders.h"
#include "uninstaller/common/resource.h"

BEGIN_MESSAGE_MAP(CSkinDialog, CDialog)
    ON_WM_CLOSE()
END_MESSAGE_MAP()

CSkinDialog::CSkinDialog()
{
    Create(IDD_SKIN_PAGE);
}

void CSkinDialog::ShowPage(const CString& folder, const CString& fileName, int pageIndex, int pageCount)
{
    PageIndex = pageIndex;
    PageCount = pageCount;
    PageFileName = fileName;
    PagePath = folder + fileName;
}

HWND CSkinDialog::ProgressWindow() const
{
    // The progress bar is found by its kind index once pages hold controls.
    return nullptr;
}

void CSkinDialog::SetProgressRange(int total)
{
    if (HWND progress = ProgressWindow()) {
        // The progress bar's bounds are 16-bit: the high bound is total modulo 65536.
        ::SendMessageA(progress, PBM_SETRANGE, 0, MAKELPARAM(0, static_cast<WORD>(total)));
    }
}

void CSkinDialog::SetProgressPos(int position)
{
    if (HWND progress = ProgressWindow())
        ::SendMessageA(progress, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

void CSkinDialog::SetStatusText(const CString& text, int line)
{
    const CString shown = SubstituteText(text);
    const int id = line == 0 ? InfoTextId : StatusTextId;
    if (id != -1)
        ::SetDlgItemTextA(m_hWnd, id, shown);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CSkinDialog::ShowCompletion()
{
    // The completion texts go to the page's cancel control; a page without
    // one has nothing to change.
}

void CSkinDialog::OnClose()
{
    CancelAndQuit();
}

void CSkinDialog::CancelAndQuit()
{
    ::PostQuitMessage(0);
    DestroyWindow();
}
