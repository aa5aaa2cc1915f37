// What a page does with input: the keys it keeps from the dialog manager,
// the clicks it handles itself (folder browse, licence and scope choices,
// cancel) and the clicks it hands to the main window.
#include "uninstaller/skin/skin_dialog_win.h"

#include <commctrl.h>

#include "uninstaller/common/product_values.h"
#include "uninstaller/controls/folder_browser_win.h"

bool CSkinDialog::PreTranslateMessage(MSG* message)
{
    if (message->message == WM_KEYDOWN && message->wParam == VK_RETURN) {
        // Enter would press the page's default button, or end the dialog
        // (and so hide the page) when it has none: on a page it does
        // nothing, from whichever control has the focus.
        return true;
    }
    if (message->message == WM_KEYDOWN && message->wParam == VK_ESCAPE && !ComboListDropped(message->hwnd)) {
        // Escape is taken here rather than by the control with the focus: a
        // multi-line text box answers it with WM_CLOSE to the page, which
        // would end the program in the middle of the removal.
        OnCancel();
        return true;
    }
    return CDialog::PreTranslateMessage(message);
}

bool CSkinDialog::ComboListDropped(HWND focus)
{
    // Escape closes an open combo box list first, as everywhere else. The
    // key reaches the combo box's edit or the box itself.
    for (HWND window = focus; window && window != m_hWnd; window = ::GetParent(window)) {
        char className[16] = {};
        ::GetClassNameA(window, className, sizeof className);
        if (lstrcmpiA(className, "ComboBox") == 0)
            return ::SendMessageA(window, CB_GETDROPPEDSTATE, 0, 0) != 0;
    }
    return false;
}

void CSkinDialog::OnControlCommand(UINT controlId)
{
    // A click may come while another click's handling waits in a modal
    // loop (the folder browse dialog). The host learns that the page ended
    // only when the outermost one is over, since it may then destroy it.
    ++commandDepth_;
    HandleControlCommand(controlId);
    if (--commandDepth_ == 0 && ended_ && !endReported_) {
        endReported_ = true;
        if (PageHost* host = FindPageHost())
            host->OnPageEnded(this);
    }
}

void CSkinDialog::HandleControlCommand(UINT controlId)
{
    const int record = model_.FindRecordIndex(static_cast<int>(controlId));
    if (record < 0)
        return;
    // Copies: the main window may load other pages before this returns.
    const CString idName = model_.Control(record).IdName;
    const int clickAction = model_.GetClickAction(record);
    if (idName == "IDC_BROWSE") {
        BrowseInstallDir();
    } else if (idName == "IDC_NOTACCEPTLICENSE") {
        SetLicenseChoice(0);
    } else if (idName == "IDC_ACCEPTLICENSE") {
        SetLicenseChoice(1);
    } else if (idName == "IDC_ANYONE") {
        SetScopeChoice(0);
    } else if (idName == "IDC_ONLYFORME") {
        SetScopeChoice(1);
    } else if (idName == "IDCANCEL") {
        CancelAndQuit();
    } else {
        PageHost* host = FindPageHost();
        const bool opened = host && host->OnPageCommand(static_cast<int>(controlId), record, clickAction, idName,
                                                         this, PageFileName);
        // Back and Next end this page only once another one is up: a click
        // must never leave the user facing no window.
        if (opened && (idName == "IDC_BACK" || idName == "IDC_NEXT")) {
            OnOK();
            ended_ = true;
        }
    }
}

void CSkinDialog::OnCancel()
{
    // The dialog manager's Escape. Ending the dialog would hide the page and
    // leave the program running with nothing to show: Escape ends the
    // program only where the page offers that itself.
    const int cancelId = model_.FindControlId("IDCANCEL");
    if (cancelId == -1)
        return;
    HWND cancel = GetDlgItem(cancelId);
    if (cancel && ::IsWindowEnabled(cancel))
        OnControlCommand(static_cast<UINT>(cancelId));
}

void CSkinDialog::OnClose()
{
    CancelAndQuit();
}

void CSkinDialog::CancelAndQuit()
{
    // The host decides what the end means: before the removal has started
    // it is the user's cancel.
    if (PageHost* host = FindPageHost())
        host->QuitFromPage();
    else
        ::PostQuitMessage(0);
    {
        std::lock_guard<std::mutex> lock(progressLock_);
        progressWindow_ = nullptr;
    }
    DestroyWindow();
}

void CSkinDialog::BrowseInstallDir()
{
    CFolderBrowser browser("Lumetra Parvane", "Choose destination directory...", "", nullptr);
    if (browser.DoModal() != 1)
        return;
    const CString folder = browser.GetFolder();
    TheProduct().InstallFolder = folder;
    // A removal that is running takes the new folder for what it has still
    // to do; it never reads the process's value itself.
    if (PageHost* host = FindPageHost())
        host->OnInstallFolderChanged(folder);
    const int folderId = model_.FindControlId("IDC_INSTALLDIR");
    if (folderId != -1)
        ::SetDlgItemTextA(m_hWnd, folderId, folder);
    Invalidate();
}

void CSkinDialog::CheckNamed(const char* idName, bool checked)
{
    const int id = model_.FindControlId(idName);
    if (id != -1)
        ::CheckDlgButton(m_hWnd, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void CSkinDialog::EnableNamed(const char* idName, bool enable)
{
    const int id = model_.FindControlId(idName);
    if (id == -1)
        return;
    if (HWND control = GetDlgItem(id))
        ::EnableWindow(control, enable ? TRUE : FALSE);
}

void CSkinDialog::SetLicenseChoice(int accepted)
{
    if (accepted != 0 && accepted != 1)
        return;
    CheckNamed("IDC_NOTACCEPTLICENSE", accepted == 0);
    CheckNamed("IDC_ACCEPTLICENSE", accepted == 1);
    EnableNamed("IDC_NEXT", accepted == 1);
}

void CSkinDialog::SetScopeChoice(int onlyForMe)
{
    if (onlyForMe != 0 && onlyForMe != 1)
        return;
    CheckNamed("IDC_ANYONE", onlyForMe == 0);
    CheckNamed("IDC_ONLYFORME", onlyForMe == 1);
}
