// Removes files and folders now, or, when something holds them, when Windows
// next starts. Keeps what one run scheduled, so a folder whose remaining
// contents are all scheduled can follow them, and nothing is scheduled twice.
#pragma once

#include <optional>
#include <set>
#include <string>

#include "framework/cstring.h"
#include "uninstaller/removal/removal_outcome.h"
#include "uninstaller/removal/removal_system.h"

class RestartScheduler {
public:
    explicit RestartScheduler(RemovalSystem& system);

    // Clears a read-only plain file's attributes and deletes it. When the
    // delete fails while the file is still there (in use, or access denied),
    // the file is scheduled; when it is not scheduled either, its attributes
    // are put back. Folders and links keep their attributes and are never
    // scheduled here.
    RemovalOutcome RemoveFile(const CString& path);

    // Removes an empty folder. When that fails and everything the folder
    // still holds is scheduled, the folder is scheduled after it, provided
    // `maySchedule` (the caller's guard allows it) and it is no link.
    RemovalOutcome RemoveFolder(const CString& path, bool maySchedule);

    bool IsScheduled(const CString& path) const;
    int ScheduledCount() const { return static_cast<int>(scheduled_.size()); }

private:
    // The outcome a remove call's error already decides: removed, already
    // gone, or scheduled earlier in this run. None when the name is still
    // there and nothing holds it for the restart yet.
    std::optional<RemovalOutcome> Settled(const CString& path, SystemError error) const;
    RemovalOutcome Schedule(const CString& path, SystemError whyNotNow);
    bool HoldsOnlyScheduled(const CString& folder);

    RemovalSystem& system_;
    std::set<std::string> scheduled_;  // upper-cased paths
};
