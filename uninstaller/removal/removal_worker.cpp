#include "uninstaller/removal/removal_worker.h"

#include <climits>
#include <string>

#include "uninstaller/common/lenient_integer.h"
#include "uninstaller/removal/tree_guard.h"
#include "uninstaller/removal/uninstall_log.h"

namespace {

constexpr std::uint32_t ReadOnlyAttribute = 0x1;
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

}  // namespace

RemovalWorker::RemovalWorker(RemovalSystem& system, const ProductValues& product, RemovalReporter* page)
    : Page(page), system_(system), product_(product)
{
}

int RemovalWorker::RunRemoval()
{
    FileCounter = 0;
    FolderCount = 0;
    FileTotal = 0;
    RemoveAllMarked = 0;

    LogUnreadable = false;
    LogReadError = 0;

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
        return 0;
    }
    ForEachLogLine(contents, [this](std::string_view line) { HandleRecord(line); });

    // Folders go in log order, and only when empty, so a log that lists each
    // folder after its subfolders removes the whole chain.
    for (int i = 0; i < FolderCount; ++i) {
        const CString folder = WithoutTrailingBackslash(Folders[static_cast<std::size_t>(i)]);
        if (Exists(system_, folder))
            system_.RemoveEmptyFolder(folder);
    }

    if (RemoveAllMarked == RemoveAllYes) {
        const CString installFolder = WithoutTrailingBackslash(product_.InstallFolder);
        if (Exists(system_, installFolder))
            DeleteTree(system_, installFolder, true, product_.ProductFolder);
    }

    // With an empty product code the path ends in "Uninstall\", which would
    // name the Uninstall key of every product; such a path is never deleted.
    const CString& keyPath = product_.UninstallKeyPath;
    if (!keyPath.IsEmpty() && !EndsWithBackslash(keyPath))
        system_.DeleteMachineKey(keyPath);

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
        if (IsFullPath(record.value)) {
            ClearReadOnly(record.value);
            system_.RemoveFile(record.value);
        }
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
        if (IsFullPath(record.value) && FolderCount < MaxQueuedFolders)
            Folders[static_cast<std::size_t>(FolderCount++)] = record.value;
        break;
    case RecordKind::NtService:
        system_.DeleteService(record.value);
        break;
    case RecordKind::Run3rd:
        Run3rdTarget = record.value;
        break;
    case RecordKind::Run3rdCmd:
        Run3rdCommand = record.value;
        RunExternalTarget();
        break;
    case RecordKind::RemoveAll:
        RemoveAllMarked = RemoveAllYes;
        break;
    case RecordKind::RegVal: {
        const RegistryValuePath value = ParseRegistryValuePath(record.value);
        if (value.root != RegistryRoot::None)
            system_.DeleteRegistryValue(value.root, value.keyPath, value.valueName);
        break;
    }
    case RecordKind::Ignored:
        break;
    }
}

void RemovalWorker::RunExternalTarget()
{
    // A web address goes to the shell's default program; the command means
    // nothing for it.
    if (Run3rdTarget.Left(4) == "http") {
        system_.OpenWebAddress(Run3rdTarget);
        return;
    }

    // A local target is a file name relative to the product's installation
    // folder, where the installer put the removal programs and libraries.
    // Without an absolute installation folder the name cannot be resolved:
    // joined to nothing it would read "\name", a path from the root of
    // whatever drive is current, which could start an unrelated program.
    const CString& installFolder = product_.InstallFolder;
    if (!IsAbsolutePath(installFolder))
        return;
    const CString fullPath = WithoutTrailingBackslash(installFolder) + "\\" + Run3rdTarget;
    if (!Exists(system_, fullPath))
        return;

    // From here on the target is a full path. A second RUN3RDCMD joins it to
    // the folder once more, which names nothing, so a local program or
    // library runs once per RUN3RD.
    Run3rdTarget = fullPath;
    if (fullPath.Find(".dll") >= 0 || fullPath.Find(".DLL") >= 0)
        system_.CallLibraryFunction(fullPath, Run3rdCommand);
    else
        system_.RunProgramAndWait(fullPath, Run3rdCommand);
}

void RemovalWorker::ClearReadOnly(const CString& path)
{
    // DeleteFile refuses a read-only file. All attributes go, not just the
    // read-only one; a file that is not read-only keeps what it has.
    std::uint32_t attributes = 0;
    if (system_.GetAttributes(path, &attributes) && (attributes & ReadOnlyAttribute) != 0)
        system_.SetAttributes(path, 0);
}

void RemovalWorker::ReportStatus(const CString& text)
{
    if (Page)
        Page->SetStatusText(text, 0);
}
