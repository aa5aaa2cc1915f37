#include "uninstaller/app/page_list.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

TEST(MoveInPageList, KeepsTheIndexInTheListAndOpensOnlyAPageThatIsThere)
{
    WizardPageList names;
    names[0] = "uninstall.lcd";
    names[19] = "last.lcd";
    names[5] = "missing.lcd";
    const auto exists = [](const CString& name) { return name != "missing.lcd"; };
    const struct {
        int requested;
        int index;
        bool open;
    } cases[] = {
        {0, 0, true},
        {-1, 0, true},  // a Next before any page, or a Back from the first
        {-2, 0, true},
        {INT_MIN, 0, true},
        {1, 1, false},  // nothing named there
        {5, 5, false},  // named, but its file is not there
        {19, 19, true},
        {20, 19, true},
        {INT_MAX, 19, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.requested));
        const WizardMove move = MoveInPageList(c.requested, names, exists);
        EXPECT_EQ(move.index, c.index);
        EXPECT_EQ(move.open, c.open);
    }
}

TEST(MoveInPageList, AnEmptyListOpensNothing)
{
    const WizardPageList names;
    bool asked = false;
    const WizardMove move = MoveInPageList(-1, names, [&](const CString&) { return asked = true; });
    EXPECT_FALSE(move.open);
    EXPECT_FALSE(asked);  // no file is looked for without a name
}

}  // namespace
