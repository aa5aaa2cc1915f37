// The rename rules of a batch: from a folder, the listed names and a prefix to
// the new names, the percentages, and the check that a batch can run through
// before its first rename. Plain text processing: no Windows calls here.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "framework/cstring.h"

namespace pelmora {

// The extension of a file path: the text after the last "." of the file name
// (never of a folder name), without leading and trailing blanks; empty when
// the file name holds no dot.
CString GetExtName(const CString& path);

// folder + "\" + name, with a single backslash also for a root such as "C:\".
CString JoinPath(const CString& folder, const CString& name);

// The new name of the file at `index`: prefix, the index in plain decimal
// digits, a dot and the extension ("Trip0.jpg", "Trip10.", "3.txt").
CString MakeNewName(const CString& prefix, std::size_t index, const CString& extension);

// The percentage shown after the rename at `index` when `last` is the index
// of the last file: index / last * 100, halves rounded to the even neighbour.
int BatchPercent(std::size_t index, std::size_t last);

// Name order as the shell shows it: letters compared without regard to case,
// runs of digits compared by their value ("file2" before "file10").
int NaturalCompare(std::string_view a, std::string_view b);
bool NaturalLess(const CString& a, const CString& b);
void SortNaturally(std::vector<CString>& names);

// What the file system makes of a name: trailing dots and blanks are dropped
// ("Trip2." is created as "Trip2").
std::string_view StoredName(std::string_view name);

// One rename of a batch.
struct RenameStep {
    CString oldName;
    CString newName;
    CString oldPath;
    CString newPath;
    int percent = 0;  // shown once this rename is done
};

// The renames of a batch over `names` (in list order) in `folder`.
std::vector<RenameStep> PlanBatch(const CString& folder, const std::vector<CString>& names,
                                  const CString& prefix);

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
std::string FoldAsciiCase(std::string_view name);

// The longest full path a rename takes (MAX_PATH less its terminating zero)
// and the longest name of one folder entry.
constexpr std::size_t kMaxPathLength = 259;
constexpr std::size_t kMaxNameLength = 255;

// Runs the batch in order over the folder's real contents, `entries` (every
// name in the folder: listed files, hidden and system files, subfolders), and
// finds the first step that would fail in a way that can be seen in advance.
BatchCheck CheckBatch(const std::vector<RenameStep>& plan, const std::vector<CString>& entries,
                      FoldCase fold = &FoldAsciiCase);

// The message that tells the user why a batch was refused.
CString DescribeProblem(const BatchCheck& check, const std::vector<RenameStep>& plan,
                        const CString& folder);

}  // namespace pelmora
