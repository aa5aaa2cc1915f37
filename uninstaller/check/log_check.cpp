#include "uninstaller/check/log_check.h"

#include <vector>

#include "framework/ascii_case.h"
#include "uninstaller/common/lenient_integer.h"
#include "uninstaller/removal/removal_worker.h"
#include "uninstaller/removal/tree_guard.h"
#include "uninstaller/removal/uninstall_log.h"

namespace {

struct NumberedRecord {
    int line;
    LogRecord record;
};

constexpr CheckedFile Log = CheckedFile::Log;

bool IsBlank(std::string_view text)
{
    return text.find_first_not_of(" \t\r") == std::string_view::npos;
}

// The record kind a key would name if it were written in upper case and
// without blanks, as a writer may have meant it.
RecordKind MeantKind(const CString& key)
{
    const std::string_view text = key.view();
    const std::size_t first = text.find_first_not_of(" \t");
    const std::size_t last = text.find_last_not_of(" \t");
    if (first == std::string_view::npos)
        return RecordKind::Ignored;
    return ParseLogLine(ToAsciiUpper(text.substr(first, last - first + 1)) + "=").kind;
}

void CheckLine(const NumberedRecord& numbered, std::string_view line, Findings& findings)
{
    const LogRecord& record = numbered.record;
    if (record.kind != RecordKind::Ignored)
        return;
    if (line.find('\0') != std::string_view::npos)
        findings.Error(Log, numbered.line, "the line holds a NUL byte: kelrun ignores it");
    else if (line.find('=') == std::string_view::npos)
        findings.Error(Log, numbered.line, "no \"=\" on the line: kelrun ignores it");
    else if (MeantKind(record.key) != RecordKind::Ignored)
        findings.Error(Log, numbered.line,
                       "\"" + record.key + "\" is no key: keys are upper case and stand right before \"=\" (" +
                           ToAsciiUpper(record.key.view()).c_str() + "=); kelrun ignores the line");
    else
        findings.Error(Log, numbered.line, "\"" + record.key + "\" is no key kelrun knows: it ignores the line");
}

void CheckValue(const NumberedRecord& numbered, Findings& findings)
{
    const LogRecord& record = numbered.record;
    switch (record.kind) {
    case RecordKind::File:
    case RecordKind::Shortcut:
    case RecordKind::Dir:
        if (!IsFullPath(record.value))
            findings.Error(Log, numbered.line,
                           record.key + " \"" + record.value +
                               "\" is not a full path (C:\\... or \\\\server\\share\\...): kelrun leaves it alone");
        break;
    case RecordKind::RegVal:
        if (ParseRegistryValuePath(record.value).root == RegistryRoot::None)
            findings.Error(Log, numbered.line,
                           "REGVAL \"" + record.value + "\" names no registry root (HKEY_...): nothing is deleted");
        break;
    case RecordKind::TotalFile: {
        const std::string_view value = record.value.view();
        if (value.empty() || value.find_first_not_of("0123456789") != std::string_view::npos)
            findings.Warning(Log, numbered.line,
                             CString::Format("TOTALFILE \"%s\" is not a plain number: kelrun reads %d",
                                             record.value.GetString(), ReadLeadingInteger(value)));
        break;
    }
    default:
        break;
    }
}

bool IsFileRecord(const LogRecord& record)
{
    return record.kind == RecordKind::File || record.kind == RecordKind::Shortcut;
}

// Each TOTALFILE counts the FILE and SHORTCUT records up to the next one.
void CheckFileCounts(const std::vector<NumberedRecord>& records, Findings& findings)
{
    const NumberedRecord* total = nullptr;
    int files = 0;
    auto closeCount = [&]() {
        const int said = ReadLeadingInteger(total->record.value.view());
        if (said != files)
            findings.Warning(Log, total->line,
                             CString::Format("TOTALFILE says %d, but %d FILE and SHORTCUT records follow it: the "
                                             "progress bar does not match the removal",
                                             said, files));
    };
    for (const NumberedRecord& numbered : records) {
        if (numbered.record.kind == RecordKind::TotalFile) {
            if (total)
                closeCount();
            total = &numbered;
            files = 0;
        } else if (IsFileRecord(numbered.record)) {
            if (!total && files == 0)
                findings.Warning(Log, numbered.line,
                                 numbered.record.key + " before any TOTALFILE: the progress bar has no range for it");
            ++files;
        }
    }
    if (total)
        closeCount();
}

// Queued folders go in log order and only when empty.
void CheckFolderOrder(const std::vector<NumberedRecord>& records, Findings& findings)
{
    std::vector<const NumberedRecord*> queued;
    for (const NumberedRecord& numbered : records) {
        if (numbered.record.kind != RecordKind::Dir || !IsFullPath(numbered.record.value))
            continue;
        if (queued.size() == static_cast<std::size_t>(RemovalWorker::MaxQueuedFolders)) {
            findings.Warning(Log, numbered.line,
                             "DIR beyond the 999th: kelrun queues no more folders, and this one stays");
            continue;
        }
        queued.push_back(&numbered);
    }
    for (std::size_t i = 0; i < queued.size(); ++i) {
        const CString parent = RemovalWorker::RemoveAllFolder(queued[i]->record.value);
        for (std::size_t j = i + 1; j < queued.size(); ++j) {
            if (IsProperAncestor(parent, queued[j]->record.value)) {
                findings.Warning(Log, queued[i]->line,
                                 CString::Format("DIR \"%s\" comes before its subfolder on line %d: it is not "
                                                 "empty when its turn comes, and stays; list subfolders first",
                                                 queued[i]->record.value.GetString(), queued[j]->line));
                break;
            }
        }
    }
}

// A RUN3RDCMD runs the latest RUN3RD; a local target runs once.
void CheckRuns(const std::vector<NumberedRecord>& records, Findings& findings)
{
    const NumberedRecord* target = nullptr;
    bool targetRan = false;
    auto closeTarget = [&]() {
        if (target && !targetRan)
            findings.Warning(Log, target->line,
                             "RUN3RD \"" + target->record.value + "\" never runs: no RUN3RDCMD follows it");
    };
    for (const NumberedRecord& numbered : records) {
        if (numbered.record.kind == RecordKind::Run3rd) {
            closeTarget();
            target = &numbered;
            targetRan = false;
            const CString& value = numbered.record.value;
            if (value.Left(4) != "http" && (IsAbsolutePath(value) || value.Find(':') >= 0))
                findings.Warning(Log, numbered.line,
                                 "RUN3RD \"" + value +
                                     "\" is a full path: kelrun looks for it inside the installation folder and "
                                     "never finds it; write its name relative to that folder");
        } else if (numbered.record.kind == RecordKind::Run3rdCmd) {
            if (!target)
                findings.Warning(Log, numbered.line, "RUN3RDCMD before any RUN3RD: it runs nothing");
            else if (targetRan && target->record.value.Left(4) != "http")
                findings.Warning(Log, numbered.line,
                                 CString::Format("RUN3RDCMD runs nothing: the RUN3RD of line %d ran already; give "
                                                 "each run a RUN3RD of its own",
                                                 target->line));
            targetRan = target != nullptr;
        }
    }
    closeTarget();
}

void CheckRemoveAll(const std::vector<NumberedRecord>& records, CheckSystem& system, const CheckTarget& target,
                    Findings& findings)
{
    if (!target.installed)
        return;  // the installation folder is known only once installed
    for (const NumberedRecord& numbered : records) {
        if (numbered.record.kind != RecordKind::RemoveAll)
            continue;
        const CString folder = RemovalWorker::RemoveAllFolder(target.installFolder);
        CString refusal = UnresolvedTreeRefusal(folder);
        if (refusal.IsEmpty())
            refusal = TreeRemovalRefusal(system.FullPath(folder), WithFinalPaths(system, system.GetProtectedFolders()),
                                         target.productFolder, &system);
        if (!refusal.IsEmpty())
            findings.Error(Log, numbered.line,
                           "REMOVEALL: kelrun's tree guard refuses the installation folder \"" + folder +
                               "\": " + refusal);
        return;  // one REMOVEALL marks the tree; more change nothing
    }
}

}  // namespace

void CheckUninstallLog(std::string_view contents, CheckSystem& system, const CheckTarget& target,
                       Findings& findings)
{
    std::vector<NumberedRecord> records;
    int lineNumber = 0;
    ForEachLogLine(contents, [&](std::string_view line) {
        ++lineNumber;
        if (IsBlank(line))
            return;
        records.push_back({lineNumber, ParseLogLine(line)});
        CheckLine(records.back(), line, findings);
        CheckValue(records.back(), findings);
    });
    CheckFileCounts(records, findings);
    CheckFolderOrder(records, findings);
    CheckRuns(records, findings);
    CheckRemoveAll(records, system, target, findings);
}
