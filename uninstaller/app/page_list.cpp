#include "uninstaller/app/page_list.h"

#include <algorithm>

WizardMove MoveInPageList(int requestedIndex, const WizardPageList& names,
                          const std::function<bool(const CString&)>& pageExists)
{
    WizardMove move;
    move.index = std::clamp(requestedIndex, 0, MaxWizardPages - 1);
    const CString& name = names[static_cast<std::size_t>(move.index)];
    move.open = !name.IsEmpty() && pageExists(name);
    return move;
}
