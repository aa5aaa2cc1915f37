// Name order as the shell shows it: letters compared without regard to case,
// runs of digits compared by their value ("file2" before "file10"). The file
// list shows its names, and a batch numbers them, in this order. Names are
// UTF-8; case is folded as the file system folds it (name_case.h), so names
// that are the same name on disk sit side by side.
#pragma once

#include <string_view>
#include <vector>

#include "framework/cstring.h"

namespace pelmora {

// Negative, zero or positive as `a` sorts before, with or after `b`. Only
// identical names compare equal, so the order is strict.
int NaturalCompare(std::string_view a, std::string_view b);
bool NaturalLess(const CString& a, const CString& b);
void SortNaturally(std::vector<CString>& names);

}  // namespace pelmora
