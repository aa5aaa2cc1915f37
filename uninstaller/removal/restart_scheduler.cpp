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
    // DeleteFile refuses a read-only file. All attributes go, not just the
    // read-only one; a file that is not read-only keeps what it has.
    std::uint32_t attributes = 0;
    if (system_.GetAttributes(path, &attributes) && (attributes & FileAttributeReadOnly) != 0)
        system_.SetAttributes(path, 0);

    const SystemError error = system_.RemoveFile(path);
    if (const std::optional<RemovalOutcome> settled = Settled(path, error))
        return *settled;

    // Only a plain file that is still there waits for the restart. A name
    // with wildcards names no one file, a folder is no FILE record's to
    // take, and a link would be followed at the restart.
    const bool wildcards = path.Find('*') >= 0 || path.Find('?') >= 0;
    if (wildcards || !system_.GetAttributes(path, &attributes))
        return RemovalOutcome::Of(RemovalResult::Failed, error);
    if ((attributes & (FileAttributeDirectory | FileAttributeReparsePoint)) != 0)
        return RemovalOutcome::Of(RemovalResult::Failed, error);
    return Schedule(path, error);
}

RemovalOutcome RestartScheduler::RemoveFolder(const CString& path, bool maySchedule)
{
    const SystemError error = system_.RemoveEmptyFolder(path);
    if (const std::optional<RemovalOutcome> settled = Settled(path, error))
        return *settled;
    // A folder that still holds something nobody scheduled would not go at
    // the restart either: it stays, and the report says why.
    if (!maySchedule || !HoldsOnlyScheduled(path))
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
