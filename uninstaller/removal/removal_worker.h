// RemovalWorker: one run of the removal engine. It reads the uninstall log,
// acts on each record, then removes the queued folders, the installation
// folder tree when a REMOVEALL record asked for it, and the product's
// Uninstall key. Nothing it does ever stops the run. A file in use is
// removed when Windows next starts, and so are the folders it keeps.
#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <string_view>

#include "framework/cstring.h"
#include "uninstaller/common/product_values.h"
#include "uninstaller/removal/removal_report.h"
#include "uninstaller/removal/removal_system.h"
#include "uninstaller/removal/restart_scheduler.h"

class RemovalWorker {
public:
    static constexpr int MaxQueuedFolders = 999;

    // `page` is where progress and status go; null when there is no page.
    // `report` hears of every step with its result; null for none.
    RemovalWorker(RemovalSystem& system, const ProductValues& product, RemovalReporter* page,
                  RemovalReport* report = nullptr);

    // The folder a REMOVEALL record removes as a tree: the installation
    // folder without one trailing backslash.
    static CString RemoveAllFolder(const CString& installFolder);

    // The whole run; returns 0. When the log cannot be read the run changes
    // nothing at all and sets LogUnreadable.
    int RunRemoval();
    // Parses one log line and acts on it.
    void HandleRecord(std::string_view line);

    // A new installation folder for the steps still to come (a page's folder
    // browse). Safe from any thread while the run goes on.
    void ChangeInstallFolder(const CString& folder);

    // The run's state, in the order the engine keeps it.
    CString Run3rdCommand;
    CString Run3rdTarget;
    int RemoveAllMarked = 0;  // 255 once a REMOVEALL record was read
    std::array<CString, MaxQueuedFolders + 1> Folders;
    int FolderCount = 0;
    int FileTotal = 0;
    int FileCounter = 0;
    RemovalReporter* Page;  // borrowed; null when there is no page

    // Set when the log could not be read: nothing was removed, not even the
    // Uninstall key. LogReadError is the system's error code then.
    bool LogUnreadable = false;
    std::uint32_t LogReadError = 0;

    // Set when something in use was scheduled for removal at the next
    // restart: the removal is complete only after it.
    bool RestartRequired = false;

private:
    RemovalOutcome RunExternalTarget();
    void RemoveQueuedFolders();
    void ReportStatus(const CString& text);
    void Report(std::string_view what, const CString& subject, const RemovalOutcome& outcome);
    CString InstallFolder();

    RemovalSystem& system_;
    // The worker's own copy, taken on the thread that made it: the process's
    // values may change while the run goes on (the installation folder, by a
    // page's browse), and a string read while another thread writes it is
    // no string at all.
    const ProductValues product_;
    // Read when a step needs it, so that a browse before the tree removal
    // still counts; under installFolderLock_.
    CString installFolder_;
    std::mutex installFolderLock_;
    RemovalReport* report_;         // borrowed; null when nothing is reported
    RestartScheduler scheduler_;
};
