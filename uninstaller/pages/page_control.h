// PageControl: one control of a loaded page, as the page window keeps it.
#pragma once

#include <array>

#include "framework/cstring.h"
#include "uninstaller/pages/control_kind.h"

constexpr int MaxPageControls = 70;       // records of a page
constexpr int MaxControlProperties = 20;  // properties of a record

// A rectangle in the page window's client coordinates.
struct ControlRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    friend bool operator==(const ControlRect& a, const ControlRect& b)
    {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
    friend bool operator!=(const ControlRect& a, const ControlRect& b) { return !(a == b); }
};

struct PageControl {
    ControlRect Rect;                       // the rectangle the control was registered with
    CString Kind;                           // its kind keyword, as "BUTTON"
    ControlKind KindCode = ControlKind::Button;  // the same kind, typed
    int ControlId = 0;                      // the child window id, 3000 and up
    int KindIndex = 0;                      // the control's slot in its kind's pool
    std::array<CString, MaxControlProperties> PropNames;   // by DADOS position
    std::array<CString, MaxControlProperties> PropValues;
    std::array<int, MaxControlProperties> PropNumbers{};
    int PropCount = 0;                      // properties in use, 0 to 20
    CString IdName;                         // symbolic name, as "IDC_NEXT"
    // Where the page file describes the control: its INFO key and the
    // property key of its DADOS entries (-1 and 0 when not loaded from a file).
    int InfoKey = -1;
    int PropertyKey = 0;

    // The value at a position; empty at a position of PropCount or beyond.
    CString ValueAt(int position) const
    {
        if (position < 0 || position >= PropCount)
            return CString();
        return PropValues[static_cast<std::size_t>(position)];
    }
};
