#include "renamer/last_batch_win.h"

#include "renamer/folder_scan_win.h"
#include "renamer/wide_win.h"

namespace pelmora {

void CLastBatch::AddMenuItem(HWND window)
{
    window_ = window;
    HMENU menu = ::GetSystemMenu(window, FALSE);
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING | MF_GRAYED, kUndoLastRename, L"Undo Last Rename");
}

void CLastBatch::Begin(const CString& folder)
{
    record_ = BatchRecord{folder, {}};
    EnableItem(false);
}

UndoOutcome CLastBatch::Undo()
{
    UndoOutcome outcome;
    FolderContents contents;
    if (!ReadFolder(record_.folder, &contents)) {
        outcome.readError = ::GetLastError();
        return outcome;
    }
    outcome.folderRead = true;
    const UndoPlan plan = PlanUndo(record_, contents.entries, contents.folders);
    outcome.left = plan.left;
    for (const UndoStep& step : plan.steps) {
        // MoveFile never replaces a file: should a name be taken since the
        // folder was read, the rename fails and the file is left.
        if (::MoveFileW(Widen(step.fromPath.view()).c_str(), Widen(step.toPath.view()).c_str()))
            ++outcome.restored;
        else
            outcome.left.push_back(LeftFile{step.index, LeftReason::RenameFailed, SystemErrorText(::GetLastError())});
    }
    outcome.record = std::move(record_);
    record_ = BatchRecord();
    EnableItem(false);
    return outcome;
}

void CLastBatch::EnableItem(bool enable)
{
    const UINT state = enable ? MF_ENABLED : MF_GRAYED;
    ::EnableMenuItem(::GetSystemMenu(window_, FALSE), kUndoLastRename, MF_BYCOMMAND | state);
}

}  // namespace pelmora
