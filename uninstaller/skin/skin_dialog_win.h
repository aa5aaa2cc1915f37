// CSkinDialog: the window of one page, a modeless dialog built on dialog
// template 131. The main window creates one per page it shows; pages are
// never freed while the program runs.
//
// What a page draws and holds comes from its page file; the page loader
// and the styled controls fill the window. Until a page has controls, the
// progress operations find nothing to update and do nothing.
#pragma once

#include "framework/cstring.h"
#include "framework/dialog_win.h"
#include "uninstaller/removal/removal_system.h"

class CSkinDialog : public CDialog, public RemovalReporter {
public:
    // Creates the hidden modeless window at once (owner: the main window).
    CSkinDialog();

    // Puts a page into this freshly made window: the page file is `folder`
    // followed by `fileName`.
    void ShowPage(const CString& folder, const CString& fileName, int pageIndex, int pageCount);

    // The progress page, called by the removal engine on its own thread;
    // they touch the page only through window messages.
    void SetProgressRange(int total) override;
    void SetProgressPos(int position) override;
    void SetStatusText(const CString& text, int line) override;
    // Called by the main window when the removal has ended.
    void ShowCompletion();

    int PageIndex = 0;
    int PageCount = 0;
    CString PageFileName;
    CString PagePath;

    // Progress state: kind indexes and control ids, -1 when the page has none.
    int ProgressIndex = -1;
    int InfoTextId = -1;
    int InfoTextIndex = -1;
    int StatusTextId = -1;
    int StatusTextIndex = -1;

protected:
    void OnClose();
    // Posts the quit request, then destroys the page window.
    void CancelAndQuit();

    DECLARE_MESSAGE_MAP()

private:
    HWND ProgressWindow() const;
};
