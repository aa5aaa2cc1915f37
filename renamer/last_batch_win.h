// CLastBatch: what the last batch renamed, the system menu item that undoes
// it ("Undo Last Rename", greyed while there is nothing to undo), and the
// renames back. It lives in memory only: the program keeps no files and no
// settings.
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

#include "renamer/undo_plan.h"

namespace pelmora {

// The undo's system command; the low four bits of a system command are the
// system's, and these are zero.
constexpr UINT kUndoLastRename = 0x0010;

struct UndoOutcome {
    bool folderRead = false;  // false: nothing was renamed
    DWORD readError = 0;      // why the folder could not be read
    BatchRecord record;       // what the batch had renamed
    std::size_t restored = 0;
    std::vector<LeftFile> left;
};

class CLastBatch {
public:
    // Adds the greyed item to the window's system menu.
    void AddMenuItem(HWND window);

    // A batch starts renaming in `folder`: what the batch before did can no
    // longer be undone.
    void Begin(const CString& folder);
    // The batch has done a step.
    void Add(const RenameStep& step) { RecordRename(record_, step); }
    // The batch has ended or stopped: the item is enabled when it renamed a file.
    void End() { EnableItem(!record_.renames.empty()); }

    bool CanUndo() const { return !record_.renames.empty(); }
    const BatchRecord& Record() const { return record_; }

    // Renames back what the folder as it is now lets rename back, last
    // rename first. Once the folder could be read, there is nothing more to
    // undo: the outcome takes the record.
    UndoOutcome Undo();

private:
    void EnableItem(bool enable);

    HWND window_ = nullptr;  // borrowed: the window whose system menu holds the item
    BatchRecord record_;
};

}  // namespace pelmora
