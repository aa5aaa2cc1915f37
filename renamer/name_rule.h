// The name rule of a batch: from a folder, the listed names and a prefix to
// each file's old and new path and the percentage shown after its rename.
// Plain text processing: no Windows calls here.
#pragma once

#include <cstddef>
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

}  // namespace pelmora
