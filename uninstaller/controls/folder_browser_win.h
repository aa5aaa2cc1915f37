// The folder browse dialog: the shell's folder browser with an edit box
// above the folder tree, in which the user may type any folder, and an OK
// that checks the typed folder, offers to create it when it is missing and
// keeps the dialog open until the folder is acceptable. The chosen folder is
// the edit box's text, not the tree's selection.
//
//   CFolderBrowser browser("Lumetra Parvane", "Choose destination directory...", "");
//   if (browser.DoModal() == 1)
//       use(browser.GetFolder());
#pragma once

#include <windows.h>

#include <shlobj.h>

#include "framework/cstring.h"
#include "framework/wnd_win.h"

class CFolderBrowser;

// Control ids inside the shell's browse dialog, and the one the edit box gets.
constexpr int kBrowseTreeId = 14145;
constexpr int kBrowseStatusTextId = 14147;
constexpr int kBrowseEditId = 14148;

// Takes over the shell's dialog window while it is open: OK runs the folder
// checks instead of the shell's own handling, and the edit box's changes
// keep the browser's folder and the OK button up to date.
class CFolderBrowseWnd : public CWnd {
public:
    explicit CFolderBrowseWnd(CFolderBrowser* browser) : browser_(browser) {}
    ~CFolderBrowseWnd() override;

protected:
    void OnOK();
    void OnEditChange();

    DECLARE_MESSAGE_MAP()

private:
    CFolderBrowser* browser_;  // not owned: the browser this object belongs to
};

class CFolderBrowser {
public:
    // `caption` null keeps the shell's caption. `initialFolder` is selected
    // when the dialog opens: null selects the current folder, "" nothing.
    // The owner is `parent`'s top-level window, or the main window when there
    // is no parent.
    CFolderBrowser(const char* caption, const char* prompt, const char* initialFolder,
                   CWnd* parent = nullptr);
    virtual ~CFolderBrowser() = default;
    CFolderBrowser(const CFolderBrowser&) = delete;
    CFolderBrowser& operator=(const CFolderBrowser&) = delete;

    // Shows the dialog: 1 when a folder was accepted, -1 otherwise (Cancel,
    // closed, or the shell's allocator not available).
    virtual int DoModal();

    // The chosen folder: the edit box's text when OK was accepted.
    CString GetFolder() const { return folder_; }

private:
    friend class CFolderBrowseWnd;

    static int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM param, LPARAM data);
    void OnInitialized(HWND dialog);
    void OnSelectionChanged(LPCITEMIDLIST item);

    HWND EditBox() const { return ::GetDlgItem(dialog_, kBrowseEditId); }
    void EnableOk(bool enable);
    // The edit box's whole text; the folder member keeps at most its first
    // kMaxFolderLength characters.
    CString ReadEditBox();
    // OK from the hook window: true when the typed folder was accepted.
    bool AcceptTypedFolder();

    bool hasCaption_;
    CString caption_;
    CString prompt_;
    bool hasInitialFolder_;
    CString initialFolder_;
    CString folder_;             // mirrors the edit box; the result
    char displayName_[MAX_PATH] = {};  // the shell writes the selection's name here
    BROWSEINFOA browseInfo_{};   // points into prompt_ and this object
    HWND dialog_ = nullptr;      // not owned: the shell's dialog while it is open
    HWND owner_ = nullptr;       // not owned
    int accepted_ = 0;
    CFolderBrowseWnd hookWindow_;
};
