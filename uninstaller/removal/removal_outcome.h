// What became of one thing the removal acted on: a file, a folder, the
// installation tree, a service, a registry value or key, a removal program.
// The engine decides it; the removal report writes it down.
#pragma once

#include "framework/cstring.h"
#include "uninstaller/removal/removal_system.h"

enum class RemovalResult {
    Removed,
    AlreadyGone,
    Failed,     // `error` says why; `scheduleError` when scheduling failed too
    Scheduled,  // removed when Windows restarts; `error` says why not now
    Refused,    // by the tree guard; `detail` says why
    Skipped,    // not acted on; `detail` says why
    Done,       // a program, library or web address: `detail` says what ran
};

struct RemovalOutcome {
    RemovalResult result = RemovalResult::Removed;
    SystemError error = system_error::None;
    SystemError scheduleError = system_error::None;
    CString detail;

    static RemovalOutcome Of(RemovalResult result, SystemError error = system_error::None)
    {
        RemovalOutcome outcome;
        outcome.result = result;
        outcome.error = error;
        return outcome;
    }
    static RemovalOutcome With(RemovalResult result, const CString& detail)
    {
        RemovalOutcome outcome;
        outcome.result = result;
        outcome.detail = detail;
        return outcome;
    }
};
