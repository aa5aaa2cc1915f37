// The page list that Back and Next walk: 20 page file names by index. Which
// entry a click lands on and whether that entry is a page to open. Portable.
#pragma once

#include <array>
#include <functional>

#include "framework/cstring.h"

constexpr int MaxWizardPages = 20;
using WizardPageList = std::array<CString, MaxWizardPages>;

struct WizardMove {
    int index = 0;      // the new page index, always within the list
    bool open = false;  // true: open the page named there
};

// Where a Back (index - 1) or Next (index as it stands) lands: the
// requested index kept within 0 to 19, and a page to open only when the
// list names one there and `pageExists` finds its file. Anything else opens
// nothing, so that the page the user sees stays up.
WizardMove MoveInPageList(int requestedIndex, const WizardPageList& names,
                          const std::function<bool(const CString&)>& pageExists);
