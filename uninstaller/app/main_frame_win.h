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
    // Gives the completion state to every page that shows the run.
    void ShowCompletionPages();

    std::vector<std::unique_ptr<CSkinDialog>> pages_;  // every page opened, kept until the end
    // Page fonts that earlier pages' controls still hold: a hidden page's
    // controls keep the handle they were given, so it stays valid until the
    // end. A few a run at most: one for each page opened.
    std::vector<CFont> retiredFonts_;
    RemovalWorker* runningWorker_ = nullptr;  // borrowed, while a removal runs
    bool runEnded_ = false;
    bool declined_ = false;
    bool restartRequired_ = false;
    RemovalReport* report_ = nullptr;  // borrowed from the application
};
