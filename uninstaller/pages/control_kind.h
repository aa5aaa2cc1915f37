// The kinds of page controls, their keywords in page files, and the pools
// of control objects the page window keeps for them.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "framework/cstring.h"

enum class ControlKind {
    Button,
    Bitmap,
    Hover,
    Text,
    Rect,
    TextBox,
    ComboBox,
    Radio,
    HotSpot,
    Animation,
    Progress,
    ListView,
    GroupBox,
    Icon,
    Frame,
    TreeView,
    CheckBox,
    RichText,
};
constexpr int ControlKindCount = 18;

// One pool of 15 control objects per kind, except that BITMAP and HOVER
// share the pictures.
enum class ControlPool {
    Buttons,
    Pictures,
    Texts,
    Rects,
    TextBoxes,
    ComboBoxes,
    Radios,
    HotSpots,
    Animations,
    ProgressBars,
    ListViews,
    GroupBoxes,
    Icons,
    Frames,
    TreeViews,
    CheckBoxes,
    RichTexts,
};
constexpr int ControlPoolCount = 17;
constexpr int MaxKindControls = 15;  // objects in each pool

struct ControlKindInfo {
    ControlKind kind;
    const char* keyword;       // exact and case-sensitive in page files
    ControlPool pool;
    const char* objectClass;   // the class of the pool's objects
    const char* idNamePrefix;  // default id name: prefix + (KindIndex + 1)
    const char* captionPrefix; // default caption: prefix + (KindIndex + 1); null: the control starts without text
    // Size rule: a control narrower than 30 and lower than this is made 90
    // by 25. 0: no size rule (BITMAP, HOVER, and ICON, which is always 32 by 32).
    int heightLimit;
    std::uint32_t windowStyle;  // style of the control's window
    const char* windowClass;    // window class, or null for the object class's own
};

const ControlKindInfo& KindInfo(ControlKind kind);
inline ControlPool PoolOf(ControlKind kind) { return KindInfo(kind).pool; }

// The kind a keyword names (exact comparison), or none.
std::optional<ControlKind> FindControlKind(std::string_view keyword);

// "IDC_BUTTON1" for the BUTTON in slot 0, and so on.
CString DefaultIdName(ControlKind kind, int kindIndex);
// "Button 1" for the BUTTON in slot 0; empty for kinds without a caption.
CString DefaultCaption(ControlKind kind, int kindIndex);

// The pool's kinds as page authors know them: "BUTTON", "BITMAP and HOVER".
const char* PoolKeywords(ControlPool pool);
