// The undo of the last batch: what it renamed, which of those files can take
// their old names back in the folder as it is now, which are left and why,
// and what the user is told. Plain text processing: the folder's contents
// come in as names, and the window runs the renames.
#pragma once

#include <cstddef>
#include <vector>

#include "framework/cstring.h"
#include "renamer/batch_check.h"
#include "renamer/name_rule.h"

namespace pelmora {

// One file the batch renamed, by the names the folder holds.
struct DoneRename {
    CString oldName;
    CString newName;  // as stored: trailing dots and blanks dropped
};

// What the last batch did: its folder and the files it renamed, in order. A
// batch that stopped part way holds the files renamed before it stopped.
struct BatchRecord {
    CString folder;
    std::vector<DoneRename> renames;
};

// Adds a rename the batch has done. A step whose new name is the name the
// file already had changed nothing and is not added.
void RecordRename(BatchRecord& record, const RenameStep& step);

enum class LeftReason {
    NameGone,      // no file has the batch's name any more
    OldNameTaken,  // another file or folder has the old name now
    RenameFailed,  // the system refused the rename
};

struct LeftFile {
    std::size_t index = 0;  // of the rename in the batch
    LeftReason reason = LeftReason::NameGone;
    CString errorText;  // the system's words, for RenameFailed
};

struct UndoStep {
    std::size_t index = 0;  // of the rename in the batch
    CString fromPath;  // the batch's name
    CString toPath;    // the old name
};

struct UndoPlan {
    std::vector<UndoStep> steps;  // to run in this order: the batch's last rename first
    std::vector<LeftFile> left;
};

// Plans the renames back over the folder as it is now: `entries` is every
// name in it, `folders` the names among them that are folders. Nothing is
// ever renamed onto a name that is taken, so no file is overwritten.
UndoPlan PlanUndo(const BatchRecord& record, const std::vector<CString>& entries,
                  const std::vector<CString>& folders, FoldCase fold = &FoldNameCase);

// The Yes/No question before the undo.
CString UndoQuestion(const BatchRecord& record);

// The progress label once the undo has run.
CString UndoResultText(std::size_t restored, std::size_t total);

// The box after the undo that lists the files left with the batch's names.
CString LeftFilesText(const BatchRecord& record, std::vector<LeftFile> left);

}  // namespace pelmora
