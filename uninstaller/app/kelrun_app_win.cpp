// kelrun's application object: start-up reads the command line and the
// product's Uninstall entry, then creates the hidden main window, which runs
// the uninstall flow.
#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <cstdlib>
#include <memory>

#include "framework/app_win.h"
#include "uninstaller/app/command_line.h"
#include "uninstaller/app/main_frame_win.h"
#include "uninstaller/common/resource.h"
#include "uninstaller/removal/product_lookup_win.h"
#include "uninstaller/removal/removal_report.h"
#include "uninstaller/removal/removal_report_win.h"
#include "uninstaller/removal/removal_system_win.h"

namespace {

CString CommandLineArgument(int index)
{
    // The C runtime's splitter: blanks separate, double quotes group.
    return index < __argc ? CString(__argv[index]) : CString();
}

}  // namespace

class CKelrunApp : public CWinApp {
public:
    bool InitInstance() override;
    int ExitInstance() override;

private:
    bool socketsStarted_ = false;
    bool oleStarted_ = false;
    std::unique_ptr<CMainFrame> frame_;
    // The run's report, from the moment the command line is understood.
    std::unique_ptr<Win32ReportFile> reportFile_;
    std::unique_ptr<RemovalReport> report_;
};

CKelrunApp theApp;

bool CKelrunApp::InitInstance()
{
    // A record on an empty removable or network drive would otherwise make
    // the system ask for a disk ("There is no disk in the drive") and the
    // run, unattended ones too, wait for an answer. The lookup fails
    // instead, as for any missing file. Programs and libraries that the
    // removal starts inherit the mode.
    ::SetErrorMode(::GetErrorMode() | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);

    const CString switchArgument = CommandLineArgument(1);
    const int runMode = ParseRunSwitch(switchArgument);

    WSADATA sockets{};
    socketsStarted_ = ::WSAStartup(MAKEWORD(1, 1), &sockets) == 0;
    if (!socketsStarted_) {
        if (runMode != RunModeSilentUninstall)
            AfxMessageBox(IDP_SOCKETS_INIT_FAILED, MB_OK);
        SetExitCode(ExitStartupFailed);
        return false;
    }
    // Hosted controls and pictures need OLE; the page controls need the
    // common control classes.
    oleStarted_ = SUCCEEDED(::OleInitialize(nullptr));
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&controls);

    if (runMode == RunModeNone) {
        AfxMessageBox(UsageMessage(), MB_OK);
        SetExitCode(ExitBadCommandLine);
        return false;
    }

    ProductValues& product = TheProduct();
    product.RunMode = runMode;
    product.ProductCode = CommandLineArgument(2);
    LookUpProduct(product);

    reportFile_ = std::make_unique<Win32ReportFile>(RemovalReportPath(product.ProductCode));
    report_ = std::make_unique<RemovalReport>(*reportFile_, &SystemErrorText);
    report_->Header(LocalReportTime(), product);

    frame_ = std::make_unique<CMainFrame>();
    frame_->SetReport(report_.get());
    m_pMainWnd = frame_.get();
    if (!frame_->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE)) {
        SetExitCode(frame_->Declined() ? ExitUserDeclined : ExitStartupFailed);
        return false;
    }
    // The frame is never shown: the user sees the page, if there is one.
    return true;
}

int CKelrunApp::ExitInstance()
{
    // However the run is ended after a removal that left files for the
    // restart (the final box, the page's own close, a quit during the run),
    // its success is one that a restart completes.
    if (GetExitCode() == ExitRemovalRan && frame_ && frame_->RestartRequired())
        SetExitCode(ExitRestartRequired);
    if (report_)
        report_->ExitCode(GetExitCode());
    m_pMainWnd = nullptr;
    frame_.reset();
    if (oleStarted_)
        ::OleUninitialize();
    if (socketsStarted_)
        ::WSACleanup();
    return CWinApp::ExitInstance();
}
