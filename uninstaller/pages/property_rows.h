// What a loaded page does with each property of a control: by kind, the
// positions that take effect at load, in the order they are applied. The
// page model applies them from this table, and the checker of product
// folders (kelcheck) reads it to tell page authors which position does what.
#pragma once

#include <vector>

#include "uninstaller/pages/control_kind.h"

enum class RowRole {
    IdName,  // the value becomes the record's IdName
    Font,    // four positions from here: face, size in points, bold and italic switches
    Named,   // applied as the property `name`, whatever name the page file gives it
};

// The value syntax a row reads, for checking what a page file writes.
enum class RowValue {
    Text,       // taken as written
    Color,      // a colour text; empty means the button face colour
    Alignment,  // "Text Align": the first character as a digit
    Border,     // "Style": the first character as a digit
    Icon,       // "Icon File:": a built-in icon name or a file name
    YesSwitch,  // only "Yes" counts
    YesNo,      // "Yes" and "No" count, anything else does nothing
};

struct PropertyRow {
    int position;
    RowRole role;
    const char* name;  // Named rows only; null otherwise
    RowValue value;
};

// The rows of `kind` in the order a loaded page applies them (empty for
// the kinds that only store their properties).
const std::vector<PropertyRow>& LoadedPropertyRows(ControlKind kind);
