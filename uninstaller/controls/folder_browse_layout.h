// Where the folder browse dialog's edit box goes: as wide as the folder tree,
// from 27 to 4 pixels above the tree's top. Where the shell's dialog has no
// room there (another control reaches into that band), the tree's top moves
// down to make it while its bottom stays, so nothing below the tree moves.
// Pure arithmetic on rectangles, so the rule is tested without a window.
#pragma once

#include <vector>

struct LayoutBox {
    long left = 0;
    long top = 0;
    long right = 0;
    long bottom = 0;
};

struct EditPlacement {
    LayoutBox tree;  // the tree, its top moved down where the edit box needed room
    LayoutBox edit;
};

// The edit box's height and its distance from the tree, in pixels, and the
// room it keeps from a control above it.
constexpr long kEditHeight = 23;
constexpr long kEditGap = 4;

// `tree` and `others` (the dialog's other visible controls) are in client
// coordinates. The edit box covers none of the controls that stand above the
// tree and never leaves the client area at the top.
EditPlacement PlaceEditAboveTree(const LayoutBox& tree, const std::vector<LayoutBox>& others);
