#include "uninstaller/removal/restart_scheduler.h"

#include "framework/ascii_case.h"

namespace {

bool IsNotFound(SystemError error)
{
    return error == system_error::FileNotFound || error == system_error::PathNotFound;
}

std::string Key(const CString& path)
{
    return ToAsciiUpper(path.view());
}

}  // namespace

RestartScheduler::RestartScheduler(RemovalSystem& system) : system_(system) {}

RemovalOutcome RestartScheduler::RemoveFile(const CString& path)
{
    // DeleteFile refuses a read-only file, so a read-only plain file loses
    // its attributes first (all of them, as the installer's removal always
    // did). A folder or a link named by a FILE record is not deleted here
    // anyway, and keeps what it has.
    std::uint32_t attributes = 0;
    const bool plainFile = system_.GetAttributes(path, &attributes) &&
                           (attributes & (FileAttributeDirectory | FileAttributeReparsePoint)) == 0;
    const bool cleared = plainFile && (attributes & FileAttributeReadOnly) != 0;
    if (cleared)
        system_.SetAttributes(path, 0);

    const SystemError error = system_.RemoveFile(path);
    if (const std::optional<RemovalOutcome> settled = Settled(path, error))
        return *settled;

    // Only a plain file that is still there waits for the restart. A name
    // with wildcards names no one file, a folder is no FILE record's to
    // take, and a link would be followed at the restart.
    const bool wildcards = path.Find('*') >= 0 || path.Find('?') >= 0;
    const RemovalOutcome outcome = (wildcards || !plainFile) ? RemovalOutcome::Of(RemovalResult::Failed, error)
                                                             : Schedule(path, error);
    // A file that stays keeps its attributes. One scheduled for the restart
    // stays without them, or its delete would fail then too.
    if (cleared && outcome.result == RemovalResult::Failed)
        system_.SetAttributes(path, attributes);
    return outcome;
}

RemovalOutcome RestartScheduler::RemoveFolder(const CString& path, bool maySchedule)
{
    const SystemError error = system_.RemoveEmptyFolder(path);
    if (const std::optional<RemovalOutcome> settled = Settled(path, error))
        return *settled;
    // A folder that still holds something nobody scheduled would not go at
    // the restart either: it stays, and the report says why. A link is
    // never scheduled: at the restart it would be followed, and what it
    // leads to removed.
    std::uint32_t attributes = 0;
    const bool link = system_.GetAttributes(path, &attributes) && (attributes & FileAttributeReparsePoint) != 0;
    if (!maySchedule || link || !HoldsOnlyScheduled(path))
        return RemovalOutcome::Of(RemovalResult::Failed, error);
    return Schedule(path, error);
}

std::optional<RemovalOutcome> RestartScheduler::Settled(const CString& path, SystemError error) const
{
    if (error == system_error::None)
        return RemovalOutcome::Of(RemovalResult::Removed);
    if (IsNotFound(error))
        return RemovalOutcome::Of(RemovalResult::AlreadyGone);
    if (IsScheduled(path))
        return RemovalOutcome::Of(RemovalResult::Scheduled, error);
    return std::nullopt;
}

bool RestartScheduler::IsScheduled(const CString& path) const
{
    return scheduled_.count(Key(path)) != 0;
}

RemovalOutcome RestartScheduler::Schedule(const CString& path, SystemError whyNotNow)
{
    const SystemError error = system_.ScheduleRemovalAtRestart(path);
    if (error != system_error::None) {
        RemovalOutcome outcome = RemovalOutcome::Of(RemovalResult::Failed, whyNotNow);
        outcome.scheduleError = error;
        return outcome;
    }
    scheduled_.insert(Key(path));
    return RemovalOutcome::Of(RemovalResult::Scheduled, whyNotNow);
}

bool RestartScheduler::HoldsOnlyScheduled(const CString& folder)
{
    const std::vector<FolderEntry> entries = system_.ListFolder(folder);
    if (entries.empty())
        return false;
    for (const FolderEntry& entry : entries) {
        if (!IsScheduled(folder + "\\" + entry.name))
            return false;
    }
    return true;
}
