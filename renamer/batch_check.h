// The check that a whole batch can run through before its first rename, and
// the file system's rules for names that it applies. Plain text processing:
// the folder's contents come in as names.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "framework/cstring.h"
#include "renamer/name_case.h"
#include "renamer/name_rule.h"

namespace pelmora {

// What the file system makes of a name: trailing dots and blanks are dropped
// ("Trip2." is created as "Trip2").
std::string_view StoredName(std::string_view name);

// The longest full path a rename takes (MAX_PATH less its terminating zero)
// and the longest name of one folder entry, in UTF-16 units.
constexpr std::size_t kMaxPathLength = 259;
constexpr std::size_t kMaxNameLength = 255;

enum class BatchProblem {
    None,
    SourceMissing,  // a listed file is no longer in the folder
    BadCharacter,   // the new name holds a character file names may not hold
    ReservedName,   // the new name's stem is a device name (CON, COM1, ...)
    PathTooLong,    // the new path or name exceeds what the file system takes
    TargetExists,   // the new name is taken by another file or folder
};

struct BatchCheck {
    BatchProblem problem = BatchProblem::None;
    std::size_t step = 0;  // index of the first step that cannot be done
    bool ok() const { return problem == BatchProblem::None; }
};

// Folds a name for comparison as the file system compares names.
using FoldCase = std::string (*)(std::string_view name);

// Runs the batch in order over the folder's real contents, `entries` (every
// name in the folder: listed files, hidden and system files, subfolders), and
// finds the first step that would fail in a way that can be seen in advance.
// Names are UTF-8 and compare as `fold` makes them.
BatchCheck CheckBatch(const std::vector<RenameStep>& plan, const std::vector<CString>& entries,
                      FoldCase fold = &FoldNameCase);

}  // namespace pelmora
