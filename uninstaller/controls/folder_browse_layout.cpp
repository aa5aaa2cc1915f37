#include "uninstaller/controls/folder_browse_layout.h"

#include <algorithm>

EditPlacement PlaceEditAboveTree(const LayoutBox& tree, const std::vector<LayoutBox>& others)
{
    // The lowest edge the edit box must stay below: the client area's top, or
    // the bottom of a control above the tree that shares columns with it.
    // Controls beside or below the tree (the buttons) are not in the way.
    long lowestAbove = 0;
    for (const LayoutBox& other : others) {
        const bool sharesColumns = other.left < tree.right && other.right > tree.left;
        if (sharesColumns && other.top < tree.top)
            lowestAbove = std::max(lowestAbove, other.bottom + kEditGap);
    }

    EditPlacement placement;
    placement.tree = tree;
    const long editTop = tree.top - kEditGap - kEditHeight;
    if (editTop < lowestAbove) {
        // Move the tree's top down; its bottom stays, so the buttons below it
        // keep their room. A tree too short to give up that much shrinks to
        // nothing rather than turn inside out.
        placement.tree.top = std::min(tree.top + (lowestAbove - editTop), tree.bottom);
    }
    const long top = placement.tree.top - kEditGap - kEditHeight;
    placement.edit = {tree.left, top, tree.right, top + kEditHeight};
    return placement;
}
