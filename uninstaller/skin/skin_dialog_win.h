// CSkinDialog: the window of one page, a modeless dialog built on dialog
// template 131. The main window creates one per page it shows; pages are
// never freed while the program runs.
//
// Everything a page shows comes from its page file: the window's size,
// place, caption, frame, colour, picture and font, and its controls. The
// page state (records, pools' fill, current object, window settings) is the
// model's; the control objects are the pools'; the background is drawn here.
#pragma once

#include <mutex>
#include <utility>

#include "framework/cstring.h"
#include "framework/dialog_win.h"
#include "uninstaller/pages/page_loader.h"
#include "uninstaller/pages/page_model.h"
#include "uninstaller/removal/removal_system.h"
#include "uninstaller/skin/page_background_win.h"
#include "uninstaller/skin/page_host_win.h"
#include "uninstaller/skin/page_pools_win.h"
#include "uninstaller/skin/progress_throttle.h"
#include "uninstaller/skin/skin_surface_win.h"

class CSkinDialog : public CDialog, public RemovalReporter {
public:
    // Creates the hidden modeless window at once, without a parent: the
    // application's main window becomes its owner.
    CSkinDialog();
    ~CSkinDialog() override;

    // Puts a page into this freshly made window: the page file is `folder`
    // (ending in a backslash) followed by `fileName`. The caller shows the
    // window afterwards.
    void ShowPage(const CString& folder, const CString& fileName, int pageIndex, int pageCount);
    // Empties the page and loads the page file at `path` (a full path) into
    // it; a missing file gives an empty page.
    void LoadPageFile(const CString& path);
    // Sizes and positions the window from the page's settings.
    void PlaceWindow();

    // A colour text for the current control or, with the window current, the
    // window's back colour: `which` 0 is the text colour, 1 the back colour.
    void SetControlColor(const CString& colorText, int which);
    // The page font (bold and italic 255 for yes); height 0: from the points.
    void SetPageFont(const CString& face, int pointSize, int bold, int italic, int height);
    // The background picture (BMP, JPEG or GIF); a missing or undecodable
    // file leaves the page colour alone.
    void SetBackgroundImage(const CString& path);

    // Where the loader's lines go for each control or property a page file
    // holds beyond the tables; none by default.
    void SetLoadReport(PageReport report) { report_ = std::move(report); }

    PageModel& Model() { return model_; }
    const PageModel& Model() const { return model_; }
    // The control objects: the object of a record is
    // Pools().ObjectOf<Class>(record), or Pools().Object(pool, KindIndex).
    PagePools& Pools() { return pools_; }
    const PageBackground& Background() const { return background_; }
    // The main window that makes the page font and takes the page's clicks;
    // null when the application's main window is none.
    PageHost* Host() const { return host_; }

    // The progress page, called by the removal engine on its own thread.
    // They never touch the page's windows: the reports are gathered and the
    // page shows them on its own thread, at most every 16 ms and only what
    // changes the screen (see ProgressThrottle).
    void SetProgressRange(int total) override;
    void SetProgressPos(int position) override;
    void SetStatusText(const CString& text, int line) override;
    // Shows every report still held back, exactly; on the page's thread,
    // once the removal has ended.
    void FlushProgress();
    // Called by the main window when the removal has ended: enables the
    // cancel control with its completion caption and sets the final status;
    // a non-empty `note` follows the status on a line of its own.
    void ShowCompletion(const CString& note = CString());

    // Keyboard filter: Enter never reaches the dialog manager or a control.
    bool PreTranslateMessage(MSG* message) override;

    CString PageFileName;  // the file name given to ShowPage, without folder

    // Progress state: control ids and kind indexes, -1 when the page has none.
    int InfoTextId = -1;
    int InfoTextIndex = -1;
    int StatusTextId = -1;
    int StatusTextIndex = -1;

protected:
    void OnPaint();
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT type);
    void OnClose();
    void OnTimer(UINT_PTR timerId);
    // A click (notification 0) on any of a page's controls, 3000 to 3069.
    void OnControlCommand(UINT controlId);
    void HandleControlCommand(UINT controlId);
    // Escape: what a click on an enabled "IDCANCEL" control does, else nothing.
    void OnCancel() override;

    void BrowseInstallDir();
    void SetLicenseChoice(int accepted);
    void SetScopeChoice(int onlyForMe);
    // Posts the quit request, then destroys the page window.
    void CancelAndQuit();
    // Prepares the page of "uninstall.lcd" for the removal's progress.
    void StartProgressPage();

    DECLARE_MESSAGE_MAP()

private:
    // The removal's thread wakes the page with this message; the timer
    // brings an update that had to wait for the interval.
    static constexpr UINT ProgressWakeMessage = WM_APP + 0x51;
    static constexpr UINT_PTR ProgressTimer = 0x5052;

    HWND ProgressWindow();
    LRESULT OnProgressWake(WPARAM, LPARAM);
    // Takes what the throttle lets through now and shows it; `final` shows
    // everything exactly at once.
    void ShowProgress(bool final);
    void ApplyProgress(const ProgressUpdate& update);
    void ShowStatusLine(int controlId, const CString& text);
    // A status line whose placeholders are filled in already.
    void QueueStatusText(const CString& shown, int line);
    bool ComboListDropped(HWND focus);
    void CheckNamed(const char* idName, bool checked);
    void EnableNamed(const char* idName, bool enable);
    // Wakes the page after a report that left it something new to show.
    void WakeForProgress(bool hasWork);

    PageBackground background_;
    PagePools pools_;
    SkinPageSurface surface_;
    PageModel model_;
    PageHost* host_ = nullptr;  // borrowed: the application's main window
    PageReport report_;
    int commandDepth_ = 0;     // clicks being handled, nested in modal loops
    bool ended_ = false;       // ended by Back or Next: hidden for good
    bool endReported_ = false;

    // Shared with the removal's thread: everything below is read and written
    // under progressLock_ only.
    std::mutex progressLock_;
    ProgressThrottle throttle_;
    bool wakePending_ = false;       // a wake message or the update timer is on its way
    HWND progressWindow_ = nullptr;  // not owned: this page's window, null once it is gone
};
