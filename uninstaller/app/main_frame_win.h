// CMainFrame: kelrun's main window. It stays hidden for the whole life of
// the process: it owns the message boxes, receives the timer that starts the
// removal, takes the commands that pages forward, and builds the page font.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/frame_win.h"
#include "framework/gdi_win.h"
#include "uninstaller/app/page_list.h"
#include "uninstaller/skin/page_host_win.h"
#include "uninstaller/skin/progress_relay.h"

class RemovalReport;
class RemovalWorker;

// 255 while no page window exists (the uninstall page file is missing), else 0.
// The removal engine reports nothing while it is 255.
extern int NoPage;

class CMainFrame : public CFrameWnd, public PageHost {
public:
    CMainFrame();
    ~CMainFrame() override;

    // A click on a page control whose id name the page does not handle itself.
    // Returns true when it opened another page, so that the page may end.
    bool OnPageCommand(int controlId, int recordIndex, int clickAction, const CString& idName,
                       CSkinDialog* page, const CString& pageFileName) override;
    const CFont* GetPageFont() const override { return &PageFont; }
    // Remakes PageFont, which every page and control borrows.
    void CreatePageFont(const CString& faceName, int height, int bold, int italic, int pointSize) override;
    // Hands a browsed installation folder to the removal that is running.
    void OnInstallFolderChanged(const CString& folder) override;
    // Before the removal has started, a page that ends the program cancels
    // the run: nothing is removed and the exit code is 1602.
    void QuitFromPage() override;
    // A page ended by Back or Next is destroyed, with what it holds, soon
    // after; the removal reports to the pages still up.
    void OnPageEnded(CSkinDialog* page) override;

    // True when the user answered No to the confirmation question.
    bool Declined() const { return declined_; }
    // True once a removal has scheduled files in use for the next restart.
    bool RestartRequired() const { return restartRequired_; }
    // Where the run's steps are written down; null for nowhere. Borrowed.
    void SetReport(RemovalReport* report) { report_ = report; }

    // What the end of the run adds after its completion text: the sentence
    // that a restart completes the removal, or empty. The final box shows it
    // on a line of its own; a page shows it after its completion status.
    CString CompletionNote;

    CSkinDialog* CurrentPage = nullptr;  // borrowed from pages_
    WizardPageList WizardPageNames;
    int WizardPageIndex = -1;
    int WizardPageCount = 0;
    CFont PageFont;
    int PageFontItalic = 0;
    int PageFontBold = 0;
    int PageFontSize = 0;

protected:
    int OnCreate(CREATESTRUCTA* create);
    void OnTimer(UINT_PTR timerId);
    void OnPaint();
    LRESULT OnReleaseEndedPages(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()

private:
    void StartUninstall();
    void FinishRun();
    // Tells why the log cannot be used (no box in silent mode) and ends the
    // program with 1605 for a missing log, 1603 for one that cannot be read.
    void EndForLogProblem(std::uint32_t error);
    // Writes down why the log cannot be used, before the removal starts.
    void ReportLogProblem(std::uint32_t error, const char* what);
    CSkinDialog* OpenPage(const CString& fileName, int pageIndex, int pageCount);
    bool OpenWizardPage(bool makeCurrent);
    // Gives the completion state to every uninstall page that is up.
    void ShowCompletionPages();
    bool IsUninstallPage(const CSkinDialog& page) const;

    // A font that replaced the page font of earlier pages, with the page
    // whose loading made it; null when no page was being loaded.
    struct RetiredFont {
        const CSkinDialog* madeFor;
        CFont font;
    };

    std::vector<std::unique_ptr<CSkinDialog>> pages_;       // the pages up (shown or about to be)
    std::vector<std::unique_ptr<CSkinDialog>> endedPages_;  // ended, destroyed at the next release message
    // Page fonts that earlier pages' controls still hold: a page's controls
    // keep the handle they were given, so it stays valid while that page
    // lives. One for each page up at most.
    std::vector<RetiredFont> retiredFonts_;
    const CSkinDialog* loadingPage_ = nullptr;   // borrowed: the page whose file is being loaded
    const CSkinDialog* pageFontMadeFor_ = nullptr;  // borrowed: the page PageFont was made for
    // Hands the removal's reports to the uninstall pages up.
    ProgressRelay relay_;
    bool removalPending_ = false;  // from the start timer's arming until it fires
    RemovalWorker* runningWorker_ = nullptr;  // borrowed, while a removal runs
    bool runEnded_ = false;
    bool declined_ = false;
    bool restartRequired_ = false;
    RemovalReport* report_ = nullptr;  // borrowed from the application
};
