#include "uninstaller/removal/removal_worker.h"

#include <climits>
#include <string>

#include "uninstaller/common/lenient_integer.h"
#include "uninstaller/removal/tree_guard.h"
#include "uninstaller/removal/uninstall_log.h"

namespace {

constexpr int RemoveAllYes = 255;

CString WithoutTrailingBackslash(const CString& path)
{
    if (!path.IsEmpty() && path.GetAt(path.GetLength() - 1) == '\\')
        return path.Left(path.GetLength() - 1);
    return path;
}

bool EndsWithBackslash(const CString& path)
{
    return !path.IsEmpty() && path.GetAt(path.GetLength() - 1) == '\\';
}

// A path exists when the system's file search finds it. The file search
// finds nothing for an empty path or one that ends in a backslash, and with
// wildcards it would find some other file than the one named, so those never
// exist here, whatever the system would say.
bool Exists(RemovalSystem& system, const CString& path)
{
    if (path.IsEmpty() || EndsWithBackslash(path) || path.Find('*') >= 0 || path.Find('?') >= 0)
        return false;
    return system.PathExists(path);
}

// What a service, registry value or key deletion came to.
RemovalOutcome DeletionOutcome(SystemError error, SystemError goneError)
{
    if (error == system_error::None)
        return RemovalOutcome::Of(RemovalResult::Removed);
    if (error == goneError)
        return RemovalOutcome::Of(RemovalResult::AlreadyGone);
    return RemovalOutcome::Of(RemovalResult::Failed, error);
}

RemovalOutcome RunOutcome(SystemError error, const CString& whatRan)
{
    if (error != system_error::None) {
        RemovalOutcome outcome = RemovalOutcome::Of(RemovalResult::Failed, error);
        outcome.detail = whatRan;
        return outcome;
    }
    return RemovalOutcome::With(RemovalResult::Done, whatRan);
}

}  // namespace

RemovalWorker::RemovalWorker(RemovalSystem& system, const ProductValues& product, RemovalReporter* page,
                             RemovalReport* report)
    : Page(page),
      system_(system),
      product_(product),
      installFolder_(product.InstallFolder),
      report_(report),
      scheduler_(system)
{
}

CString RemovalWorker::RemoveAllFolder(const CString& installFolder)
{
    return WithoutTrailingBackslash(installFolder);
}

void RemovalWorker::ChangeInstallFolder(const CString& folder)
{
    std::lock_guard<std::mutex> lock(installFolderLock_);
    installFolder_ = folder;
}

CString RemovalWorker::InstallFolder()
{
    std::lock_guard<std::mutex> lock(installFolderLock_);
    return installFolder_;
}

int RemovalWorker::RunRemoval()
{
    FileCounter = 0;
    FolderCount = 0;
    FileTotal = 0;
    RemoveAllMarked = 0;

    LogUnreadable = false;
    LogReadError = 0;
    RestartRequired = false;

    ReportStatus("Removing Files...");

    // A log that cannot be read tells nothing of what was installed. Going on
    // would delete the Uninstall key of a product that is still on the
    // machine and leave it behind with no way to remove it, so the run stops
    // here with everything as it was and lets the caller say why.
    std::string contents;
    std::uint32_t error = 0;
    if (!system_.ReadTextFile(product_.UninstallLogPath, &contents, &error)) {
        LogUnreadable = true;
        LogReadError = error;
        RemovalOutcome outcome = RemovalOutcome::Of(RemovalResult::Failed, error);
        outcome.detail = "cannot be read, so nothing was removed";
        Report("Uninstall log", product_.UninstallLogPath, outcome);
        return 0;
    }
    ForEachLogLine(contents, [this](std::string_view line) { HandleRecord(line); });

    RemoveQueuedFolders();

    if (RemoveAllMarked == RemoveAllYes) {
        const CString installFolder = RemoveAllFolder(InstallFolder());
        const RemovalOutcome outcome =
            DeleteTree(system_, installFolder, true, product_.ProductFolder, scheduler_,
                       [this](const CString& path, const RemovalOutcome& item) {
                           if (report_)
                               report_->TreeItem(path, item);
                       });
        Report("REMOVEALL", installFolder, outcome);
    }

    // With an empty product code the path ends in "Uninstall\", which would
    // name the Uninstall key of every product; such a path is never deleted.
    const CString& keyPath = product_.UninstallKeyPath;
    if (!keyPath.IsEmpty() && !EndsWithBackslash(keyPath)) {
        Report("Uninstall key", "HKEY_LOCAL_MACHINE\\" + keyPath,
               DeletionOutcome(system_.DeleteMachineKey(keyPath), system_error::FileNotFound));
    } else {
        Report("Uninstall key", "HKEY_LOCAL_MACHINE\\" + keyPath,
               RemovalOutcome::With(RemovalResult::Skipped, "no product code to name it"));
    }

    RestartRequired = scheduler_.ScheduledCount() > 0;
    if (RestartRequired && report_) {
        report_->Note("Restart needed: " + std::to_string(scheduler_.ScheduledCount()) +
                      " files and folders in use are removed when Windows restarts.");
    }

    ReportStatus(system_.ReadProfileText(product_.LanguageFilePath, "SetupProgress", "10"));
    if (Page)
        Page->SetProgressPos(FileTotal);
    return 0;
}

void RemovalWorker::HandleRecord(std::string_view line)
{
    const LogRecord record = ParseLogLine(line);
    switch (record.kind) {
    case RecordKind::TotalFile:
        FileCounter = 0;
        FileTotal = ReadLeadingInteger(record.value.view());
        if (Page)
            Page->SetProgressRange(FileTotal);
        break;
    case RecordKind::File:
    case RecordKind::Shortcut:
        // Only a full path names a file of the product. A relative one would
        // be taken from kelrun's current folder, which is the system folder
        // when the system starts the uninstaller, and kelrun runs as
        // administrator.
        if (IsFullPath(record.value))
            Report(record.key.view(), record.value, scheduler_.RemoveFile(record.value));
        else
            Report(record.key.view(), record.value, RemovalOutcome::With(RemovalResult::Skipped, "not a full path"));
        // The bar shows the count before this file; a file that is already
        // gone, or named so that it is left alone, counts all the same, as
        // TOTALFILE counted it.
        if (Page)
            Page->SetProgressPos(FileCounter);
        if (FileCounter < INT_MAX)
            ++FileCounter;
        break;
    case RecordKind::Dir:
        // As for files: a relative folder is no folder of the product, and it
        // takes no place in the queue.
        if (!IsFullPath(record.value))
            Report("DIR", record.value, RemovalOutcome::With(RemovalResult::Skipped, "not a full path"));
        else if (FolderCount >= MaxQueuedFolders)
            Report("DIR", record.value, RemovalOutcome::With(RemovalResult::Skipped, "more than 999 folders queued"));
        else
            Folders[static_cast<std::size_t>(FolderCount++)] = record.value;
        break;
    case RecordKind::NtService:
        Report("NTSERVICE", record.value,
               DeletionOutcome(system_.DeleteService(record.value), system_error::ServiceDoesNotExist));
        break;
    case RecordKind::Run3rd:
        Run3rdTarget = record.value;
        break;
    case RecordKind::Run3rdCmd:
        Run3rdCommand = record.value;
        Report("RUN3RDCMD", record.value, RunExternalTarget());
        break;
    case RecordKind::RemoveAll:
        RemoveAllMarked = RemoveAllYes;
        break;
    case RecordKind::RegVal: {
        const RegistryValuePath value = ParseRegistryValuePath(record.value);
        if (value.root == RegistryRoot::None) {
            Report("REGVAL", record.value, RemovalOutcome::With(RemovalResult::Skipped, "no registry root named"));
        } else {
            Report("REGVAL", record.value,
                   DeletionOutcome(system_.DeleteRegistryValue(value.root, value.keyPath, value.valueName),
                                   system_error::FileNotFound));
        }
        break;
    }
    case RecordKind::Ignored:
        break;
    }
}

void RemovalWorker::RemoveQueuedFolders()
{
    // Folders go in log order, and only when empty, so a log that lists each
    // folder after its subfolders removes the whole chain. A folder kept only
    // by files in use follows them at the restart, unless the tree guard
    // would refuse it as a tree: what the guard protects is never scheduled.
    bool haveProtectedFolders = false;
    ProtectedFolders protectedFolders;
    auto guardAllows = [&](const CString& folder) {
        if (!haveProtectedFolders) {
            protectedFolders = WithFinalPaths(system_, system_.GetProtectedFolders());
            haveProtectedFolders = true;
        }
        return IsTreeRemovalAllowed(system_.FullPath(folder), protectedFolders, product_.ProductFolder, &system_);
    };
    for (int i = 0; i < FolderCount; ++i) {
        const CString folder = WithoutTrailingBackslash(Folders[static_cast<std::size_t>(i)]);
        if (!Exists(system_, folder)) {
            Report("DIR", folder, RemovalOutcome::Of(RemovalResult::AlreadyGone));
            continue;
        }
        // Only a run that scheduled something can leave a folder that waits
        // for the restart; the guard is asked only then.
        const bool maySchedule = scheduler_.ScheduledCount() > 0 && guardAllows(folder);
        Report("DIR", folder, scheduler_.RemoveFolder(folder, maySchedule));
    }
}

RemovalOutcome RemovalWorker::RunExternalTarget()
{
    // A web address goes to the shell's default program; the command means
    // nothing for it.
    if (Run3rdTarget.Left(4) == "http")
        return RunOutcome(system_.OpenWebAddress(Run3rdTarget), "opened " + Run3rdTarget);

    // A local target is a file name relative to the product's installation
    // folder, where the installer put the removal programs and libraries.
    // Without an absolute installation folder the name cannot be resolved:
    // joined to nothing it would read "\name", a path from the root of
    // whatever drive is current, which could start an unrelated program.
    const CString installFolder = InstallFolder();
    if (!IsAbsolutePath(installFolder))
        return RemovalOutcome::With(RemovalResult::Skipped, "no installation folder to find " + Run3rdTarget + " in");
    const CString fullPath = WithoutTrailingBackslash(installFolder) + "\\" + Run3rdTarget;
    if (!Exists(system_, fullPath))
        return RemovalOutcome::With(RemovalResult::Skipped, fullPath + " not found");

    // From here on the target is a full path. A second RUN3RDCMD joins it to
    // the folder once more, which names nothing, so a local program or
    // library runs once per RUN3RD.
    Run3rdTarget = fullPath;
    if (fullPath.Find(".dll") >= 0 || fullPath.Find(".DLL") >= 0) {
        return RunOutcome(system_.CallLibraryFunction(fullPath, Run3rdCommand),
                          "called " + Run3rdCommand + " in " + fullPath);
    }
    return RunOutcome(system_.RunProgramAndWait(fullPath, Run3rdCommand), "ran " + fullPath);
}

void RemovalWorker::ReportStatus(const CString& text)
{
    if (Page)
        Page->SetStatusText(text, 0);
}

void RemovalWorker::Report(std::string_view what, const CString& subject, const RemovalOutcome& outcome)
{
    if (report_)
        report_->Line(what, subject, outcome);
}
