#include "uninstaller/controls/folder_browse_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

void ExpectBox(const LayoutBox& actual, const LayoutBox& expected, const char* what)
{
    SCOPED_TRACE(what);
    EXPECT_EQ(actual.left, expected.left);
    EXPECT_EQ(actual.top, expected.top);
    EXPECT_EQ(actual.right, expected.right);
    EXPECT_EQ(actual.bottom, expected.bottom);
}

bool Overlap(const LayoutBox& a, const LayoutBox& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

const LayoutBox kOk = {123, 264, 198, 285};
const LayoutBox kCancel = {204, 264, 279, 285};

TEST(PlaceEditAboveTree, UsesTheRoomAboveTheTreeWhereThereIsSome)
{
    // A title at the top and the room of a (hidden) status line above the tree.
    const LayoutBox title = {11, 6, 281, 30};
    const LayoutBox tree = {11, 70, 281, 240};
    const EditPlacement placement = PlaceEditAboveTree(tree, {title, kOk, kCancel});
    ExpectBox(placement.edit, {11, 43, 281, 66}, "edit box: 27 to 4 pixels above the tree");
    ExpectBox(placement.tree, tree, "tree unchanged");
}

TEST(PlaceEditAboveTree, MovesTheTreeDownWhenAControlAboveReachesIntoTheBand)
{
    // The shell's dialog as Wine lays it out: a three-line title ends 18
    // pixels above the tree.
    const LayoutBox title = {11, 6, 281, 42};
    const LayoutBox tree = {11, 60, 281, 240};
    const EditPlacement placement = PlaceEditAboveTree(tree, {title, kOk, kCancel});
    ExpectBox(placement.edit, {11, 46, 281, 69}, "edit box 4 pixels below the title");
    ExpectBox(placement.tree, {11, 73, 281, 240}, "tree 4 pixels below the edit box, bottom kept");
    for (const LayoutBox& other : {title, kOk, kCancel}) {
        EXPECT_FALSE(Overlap(placement.edit, other));
        EXPECT_FALSE(Overlap(placement.tree, other));
    }
}

TEST(PlaceEditAboveTree, IgnoresControlsBesideOrBelowTheTree)
{
    const LayoutBox tree = {60, 70, 281, 240};
    const LayoutBox besideTheBand = {0, 40, 60, 200};  // ends where the tree begins
    const EditPlacement placement = PlaceEditAboveTree(tree, {besideTheBand, kOk, kCancel});
    ExpectBox(placement.edit, {60, 43, 281, 66}, "edit box");
    ExpectBox(placement.tree, tree, "tree");
}

TEST(PlaceEditAboveTree, StaysInsideTheClientAreaAtTheTop)
{
    const LayoutBox tree = {11, 10, 281, 240};
    const EditPlacement placement = PlaceEditAboveTree(tree, {});
    ExpectBox(placement.edit, {11, 0, 281, 23}, "edit box at the top");
    ExpectBox(placement.tree, {11, 27, 281, 240}, "tree");
}

TEST(PlaceEditAboveTree, TheLowestOfSeveralControlsAboveDecides)
{
    const LayoutBox tree = {11, 60, 281, 240};
    const std::vector<LayoutBox> above = {{11, 6, 281, 20}, {11, 22, 140, 50}, {150, 22, 281, 35}};
    const EditPlacement placement = PlaceEditAboveTree(tree, above);
    ExpectBox(placement.edit, {11, 54, 281, 77}, "edit box below the lowest");
    EXPECT_EQ(placement.tree.top, 81);
}

}  // namespace
