// Main: the renamer's window. Step 1 a drive, step 2 a folder, step 3 the
// folder's files, step 4 a prefix and "Rename Now"; a progress bar and a
// percentage label follow the batch.
#pragma once

#include "framework/gdi_win.h"
#include "framework/icon_win.h"
#include "renamer/about_form_win.h"
#include "renamer/drive_list_win.h"
#include "renamer/face_color_button_win.h"
#include "renamer/file_list_win.h"
#include "renamer/folder_list_win.h"
#include "renamer/form_win.h"
#include "renamer/last_batch_win.h"
#include "renamer/wide_win.h"

namespace pelmora {

class Main : public CForm {
public:
    // Creates and shows the window.
    bool Create();

    // The extension of a path's file name (see the rename rules).
    CString GetExtName(const CString& path) const;

    // Ctrl+Z anywhere in the window undoes the last batch.
    bool PreTranslateMessage(MSG* message) override;

protected:
    int OnCreate(CREATESTRUCTA* create);
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT type);
    LRESULT OnSysCommand(WPARAM command, LPARAM);

    void OnDrive1Change();
    void OnDir1DblClick();
    void OnDir1Change(FolderContents& contents);
    void OnText1Change();
    void OnCommand3Click();
    void OnCommand4Click();
    void OnCommand5Click();
    void OnUndoLastRename();

    DECLARE_MESSAGE_MAP()

private:
    bool CreateChildren();
    void RunBatch(const CString& folder, const CString& prefix);
    void ShowPercent(int value);
    int Box(const CString& text, const char* caption, UINT type) { return ShowMessageBox(m_hWnd, text, caption, type); }

    // The values a batch keeps from step to step.
    int answer = 0;
    CString oldPath;
    CString newPath;
    int percent = 0;
    CString extName;

    CDriveList Drive1;
    CFolderList Dir1;
    CFileList File1;
    CWnd Text1;
    CFaceColorButton Command3;
    CWnd Command4;
    CWnd Command5;
    CWnd Label1;
    CWnd Label2;
    CWnd Label3;
    CWnd Label4;
    CWnd Label5;
    CWnd Label6;
    CWnd Label7;
    CWnd Progr;

    CBrush background_;
    CIcon bigIcon_;
    CIcon smallIcon_;

    frmAbout about_;
    CLastBatch lastBatch_;
};

}  // namespace pelmora
