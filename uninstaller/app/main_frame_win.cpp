#include "uninstaller/app/main_frame_win.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>

#include "framework/app_win.h"
#include "uninstaller/app/command_line.h"
#include "uninstaller/app/page_list.h"
#include "uninstaller/removal/removal_report.h"
#include "uninstaller/removal/removal_system_win.h"
#include "uninstaller/removal/removal_worker.h"
#include "uninstaller/removal/worker_win.h"
#include "uninstaller/skin/skin_dialog_win.h"

int NoPage = 255;

namespace {

constexpr UINT_PTR kStartTimer = 1;
constexpr UINT kStartDelayMs = 500;
const char kUninstallPageFile[] = "uninstall.lcd";
// Posted when a page has ended: it is destroyed once its handling is over.
constexpr UINT kReleaseEndedPagesMessage = WM_APP + 0x52;

}  // namespace

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_TIMER()
    ON_WM_PAINT()
    ON_MESSAGE(kReleaseEndedPagesMessage, OnReleaseEndedPages)
END_MESSAGE_MAP()

CMainFrame::CMainFrame() = default;

CMainFrame::~CMainFrame()
{
    // Pages first: they are owned by this window.
    endedPages_.clear();
    pages_.clear();
}

int CMainFrame::OnCreate(CREATESTRUCTA*)
{
    if (Default() == -1)
        return -1;

    const ProductValues& product = TheProduct();
    if (product.RunMode == RunModeUninstall) {
        const CString languageText = ReadProfileText(product.LanguageFilePath, "SetupProgress", "14");
        const CString question =
            ConfirmationQuestion(languageText, product.ProductDisplayName, product.ProductCode);
        // A Yes/No box has no other way out; anything but Yes removes nothing.
        if (MessageBox(question, "Lumetra Parvane", MB_YESNO | MB_ICONINFORMATION) != IDYES) {
            declined_ = true;
            if (report_)
                report_->Note("The confirmation was answered No: nothing was removed.");
            return -1;
        }
    }
    WizardPageIndex = -1;
    // The page list for Back and Next: this program has one page.
    WizardPageNames[0] = kUninstallPageFile;
    WizardPageCount = 1;
    StartUninstall();
    return 0;
}

void CMainFrame::StartUninstall()
{
    const ProductValues& product = TheProduct();
    if (!FileSearchFinds(product.UninstallLogPath)) {
        ReportLogProblem(ERROR_FILE_NOT_FOUND, "not found, so nothing was removed");
        EndForLogProblem(ERROR_FILE_NOT_FOUND);
        return;
    }
    // A log that is there but cannot be read (a folder of that name, a file
    // locked by another program, no access) is not an empty log: removing
    // nothing and then the Uninstall key would orphan the product. It is
    // read here once, exactly as the worker will read it, before anything
    // is shown or changed.
    std::string contents;
    std::uint32_t error = 0;
    if (!ReadWholeFile(product.UninstallLogPath, &contents, &error)) {
        ReportLogProblem(error, "cannot be read, so nothing was removed");
        EndForLogProblem(error);
        return;
    }
    if (FileSearchFinds(product.ThemeFolder + kUninstallPageFile)) {
        NoPage = 0;
        CurrentPage = OpenPage(kUninstallPageFile, 0, 0);
    } else {
        NoPage = 255;
    }
    SetTimer(kStartTimer, kStartDelayMs);
    removalPending_ = true;
}

void CMainFrame::OnTimer(UINT_PTR timerId)
{
    if (timerId == kStartTimer) {
        // Once only: a second run cannot start.
        KillTimer(kStartTimer);
        removalPending_ = false;
        Win32RemovalSystem system;
        const ProductValues& product = TheProduct();
        // The reports reach every uninstall page up, those opened during
        // the run included.
        RemovalReporter* pages = NoPage == 255 ? nullptr : &relay_;
        RemovalWorker worker(system, product, pages, report_);
        runningWorker_ = &worker;
        const WorkerOutcome outcome = WaitForWorker(worker);
        runningWorker_ = nullptr;
        runEnded_ = true;
        // The pages show the reports they held back, exactly: the final
        // range, position and status.
        for (const auto& page : pages_) {
            if (IsUninstallPage(*page))
                page->FlushProgress();
        }
        restartRequired_ = worker.RestartRequired;
        if (restartRequired_) {
            CompletionNote = RestartSentence(ReadProfileText(product.LanguageFilePath, "RestartToComplete", "1"),
                                             product.ProductDisplayName, product.ProductCode);
        }
        if (worker.LogUnreadable) {
            // The log became unreadable after the check: the worker changed
            // nothing, and the run must not end as a success.
            EndForLogProblem(worker.LogReadError);
        } else if (outcome.quitRequested) {
            // The user ended the program while the removal ran (a page's
            // Finish or close): the run is over now, so end as asked.
            ::PostQuitMessage(outcome.quitCode);
        } else {
            FinishRun();
        }
    }
    Default();
}

void CMainFrame::ReportLogProblem(std::uint32_t error, const char* what)
{
    if (!report_)
        return;
    RemovalOutcome outcome = RemovalOutcome::Of(RemovalResult::Failed, error);
    outcome.detail = what;
    report_->Line("Uninstall log", TheProduct().UninstallLogPath, outcome);
}

void CMainFrame::EndForLogProblem(std::uint32_t error)
{
    // A log that vanished is missing information, whenever it vanished; any
    // other failure is a log that cannot be read.
    const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    const ProductValues& product = TheProduct();
    // An unattended uninstall must never wait on a box nobody sees.
    if (product.RunMode != RunModeSilentUninstall) {
        if (missing) {
            MessageBox(LogNotFoundMessage(), "Parvane", MB_ICONINFORMATION);
        } else {
            MessageBox(UnreadableLogMessage(product.UninstallLogPath, SystemErrorText(error), error), "Parvane",
                       MB_ICONERROR);
        }
    }
    ::PostQuitMessage(missing ? ExitProductNotFound : ExitStartupFailed);
}

void CMainFrame::FinishRun()
{
    // Deployment tools read 3010 as "done, but a restart completes it".
    const int exitCode = restartRequired_ ? ExitRestartRequired : ExitRemovalRan;
    if (TheProduct().RunMode == RunModeSilentUninstall) {
        ::PostQuitMessage(exitCode);
    } else if (NoPage == 255) {
        AfxMessageBox(UninstalledMessage(CompletionNote), MB_OK);
        ::PostQuitMessage(exitCode);
    } else {
        // The page stays up until the user ends the program from it.
        ShowCompletionPages();
    }
}

void CMainFrame::ShowCompletionPages()
{
    // A click whose action opens a page without ending its own may have put
    // several uninstall pages up: each one the user sees offers the way out.
    for (const auto& page : pages_) {
        if (IsUninstallPage(*page))
            page->ShowCompletion(CompletionNote);
    }
}

bool CMainFrame::IsUninstallPage(const CSkinDialog& page) const
{
    return page.PageFileName == kUninstallPageFile;
}

void CMainFrame::QuitFromPage()
{
    if (!removalPending_) {
        // After the run, or during it (the run then ends first): 0, which
        // the end turns into 3010 when a restart completes the removal.
        ::PostQuitMessage(ExitRemovalRan);
        return;
    }
    // Nothing has been removed yet, and nothing will be: the run is the
    // user's cancel, as a No to the question is.
    KillTimer(kStartTimer);
    removalPending_ = false;
    if (report_)
        report_->Note("The page was closed before the removal started: the user cancelled, nothing was removed.");
    ::PostQuitMessage(ExitUserDeclined);
}

void CMainFrame::OnPageEnded(CSkinDialog* page)
{
    // Once detached, the removal never reaches the page again.
    relay_.Detach(page);
    for (auto it = pages_.begin(); it != pages_.end(); ++it) {
        if (it->get() == page) {
            endedPages_.push_back(std::move(*it));
            pages_.erase(it);
            break;
        }
    }
    // A Back leaves the current page as it was: the page that took its
    // place on the screen becomes current.
    if (CurrentPage == page)
        CurrentPage = pages_.empty() ? nullptr : pages_.back().get();
    PostMessage(kReleaseEndedPagesMessage);
}

LRESULT CMainFrame::OnReleaseEndedPages(WPARAM, LPARAM)
{
    // The pages' windows and controls go, and with them the fonts made for
    // them that no other page holds.
    for (const auto& page : endedPages_) {
        const CSkinDialog* ended = page.get();
        retiredFonts_.erase(std::remove_if(retiredFonts_.begin(), retiredFonts_.end(),
                                           [ended](const RetiredFont& retired) { return retired.madeFor == ended; }),
                            retiredFonts_.end());
        if (pageFontMadeFor_ == ended)
            pageFontMadeFor_ = nullptr;
    }
    endedPages_.clear();
    return 0;
}

void CMainFrame::OnInstallFolderChanged(const CString& folder)
{
    if (runningWorker_)
        runningWorker_->ChangeInstallFolder(folder);
}

void CMainFrame::OnPaint()
{
    // Never visible: painting only validates.
    CPaintDC dc(m_hWnd);
}

CSkinDialog* CMainFrame::OpenPage(const CString& fileName, int pageIndex, int pageCount)
{
    pages_.push_back(std::make_unique<CSkinDialog>());
    CSkinDialog* page = pages_.back().get();
    loadingPage_ = page;
    page->ShowPage(TheProduct().ThemeFolder, fileName, pageIndex, pageCount);
    loadingPage_ = nullptr;
    // An uninstall page opened while the removal runs shows where it stands.
    if (IsUninstallPage(*page) && !runEnded_)
        relay_.Attach(page);
    page->ShowWindow(SW_SHOWDEFAULT);
    return page;
}

// The uninstall flow opens its one page by name; the page list names that
// page at index 0. Back and Next keep the index within the list (a Next from
// the start goes to the first entry) and open a page only where the list
// names one whose file is there; otherwise they do nothing, so the page the
// user sees stays up.
bool CMainFrame::OpenWizardPage(bool makeCurrent)
{
    const WizardMove move = MoveInPageList(WizardPageIndex, WizardPageNames, [](const CString& name) {
        return FileSearchFinds(TheProduct().ThemeFolder + name);
    });
    WizardPageIndex = move.index;
    if (!move.open)
        return false;
    const CString name = WizardPageNames[static_cast<std::size_t>(WizardPageIndex)];
    CSkinDialog* page = OpenPage(name, WizardPageIndex, WizardPageCount);
    if (makeCurrent)
        CurrentPage = page;
    // An uninstall page opened after the run shows how it ended, or the user
    // would face a page whose cancel control stays disabled.
    if (runEnded_ && !runningWorker_ && name == kUninstallPageFile && NoPage != 255)
        page->ShowCompletion(CompletionNote);
    return true;
}

bool CMainFrame::OnPageCommand(int, int, int clickAction, const CString& idName, CSkinDialog*,
                               const CString&)
{
    if (idName == "IDYES" || idName == "IDNO")
        return false;
    if (idName == "IDC_BACK" || clickAction == 2) {
        --WizardPageIndex;
        return OpenWizardPage(false);
    }
    if (idName == "IDC_FINISH") {
        if (NoPage == 255 && !removalPending_)
            AfxMessageBox(UninstalledMessage(CompletionNote), MB_OK);
        QuitFromPage();
        return false;
    }
    if (idName == "IDC_NEXT" || clickAction == 1)
        return OpenWizardPage(true);
    return false;
}

void CMainFrame::CreatePageFont(const CString& faceName, int height, int bold, int italic, int pointSize)
{
    // The controls of the pages made before keep the font they were given,
    // for as long as their page lives.
    if (PageFont)
        retiredFonts_.push_back(RetiredFont{pageFontMadeFor_, std::move(PageFont)});
    pageFontMadeFor_ = loadingPage_;
    MakePageFont(PageFont, faceName, height, bold, italic, pointSize);
    PageFontItalic = italic;
    PageFontBold = bold;
    PageFontSize = pointSize;
}
