// RemovalWorker: one run of the removal engine. It reads the uninstall log,
// acts on each record, then removes the queued folders, the installation
// folder tree when a REMOVEALL record asked for it, and the product's
// Uninstall key. Nothing it does ever stops the run.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "framework/cstring.h"
#include "uninstaller/common/product_values.h"
#include "uninstaller/removal/removal_system.h"

class RemovalWorker {
public:
    static constexpr int MaxQueuedFolders = 999;

    // `page` is where progress and status go; null when there is no page.
    RemovalWorker(RemovalSystem& system, const ProductValues& product, RemovalReporter* page);

    // The whole run; returns 0. When the log cannot be read the run changes
    // nothing at all and sets LogUnreadable.
    int RunRemoval();
    // Parses one log line and acts on it.
    void HandleRecord(std::string_view line);

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

private:
    void RunExternalTarget();
    void ClearReadOnly(const CString& path);
    void ReportStatus(const CString& text);

    RemovalSystem& system_;
    const ProductValues& product_;  // InstallFolder is read when the tree removal comes
};
