#include "uninstaller/pages/control_kind.h"

#include <string>

namespace {

// Window styles: WS_CHILD | WS_VISIBLE (0x50000000) with WS_TABSTOP
// (0x00010000), WS_BORDER (0x00800000), WS_VSCROLL (0x00200000) and the
// class styles the comments name.
const ControlKindInfo kinds[ControlKindCount] = {
    {ControlKind::Button, "BUTTON", ControlPool::Buttons, "CColorButton", "IDC_BUTTON", "Button ", 10,
     0x50010000, nullptr},  // push button
    {ControlKind::Bitmap, "BITMAP", ControlPool::Pictures, "CPictureStatic", "IDB_BITMAP", nullptr, 0,
     0x5000020E, nullptr},  // SS_CENTERIMAGE | SS_BITMAP
    {ControlKind::Hover, "HOVER", ControlPool::Pictures, "CPictureStatic", "IDC_HOVER", nullptr, 0,
     0x5000020E, nullptr},
    {ControlKind::Text, "TEXT", ControlPool::Texts, "CColorStatic", "IDC_STATIC", "Text ", 8,
     0x50000000, nullptr},
    {ControlKind::Rect, "RECT", ControlPool::Rects, "CColorStatic", "IDC_RECT", nullptr, 10,
     0x50000000, nullptr},
    {ControlKind::TextBox, "TEXTBOX", ControlPool::TextBoxes, "CPageEdit", "IDC_TEXT", nullptr, 10,
     0x50010004, nullptr},  // ES_MULTILINE
    {ControlKind::ComboBox, "COMBOBOX", ControlPool::ComboBoxes, "CPageComboBox", "IDC_COMBO", nullptr, 10,
     0x50000803, nullptr},  // CBS_DROPDOWNLIST | CBS_DISABLENOSCROLL
    {ControlKind::Radio, "RADIO", ControlPool::Radios, "CColorCheckButton", "IDC_RADIO", "Radio ", 10,
     0x5001000B, nullptr},  // BS_OWNERDRAW
    {ControlKind::HotSpot, "HOTSPOT", ControlPool::HotSpots, "CColorStatic", "IDC_HOTSPOT", nullptr, 10,
     0x50800000, nullptr},
    {ControlKind::Animation, "ANIMATION", ControlPool::Animations, "CColorStatic", "IDC_ANIMATION",
     "Animation Box ", 8, 0x50800000, nullptr},
    {ControlKind::Progress, "PROGRESS", ControlPool::ProgressBars, "CPageProgressCtrl", "IDC_PROGRESS", nullptr,
     8, 0x50000000, "msctls_progress32"},
    {ControlKind::ListView, "LISTVIEW", ControlPool::ListViews, "CColorStatic", "IDC_LISTVIEW", "ListView", 8,
     0x50000000, nullptr},
    {ControlKind::GroupBox, "GROUPBOX", ControlPool::GroupBoxes, "CColorButton", "IDC_GROUPBOX", "GroupBox ", 10,
     0x50000007, nullptr},  // BS_GROUPBOX
    {ControlKind::Icon, "ICON", ControlPool::Icons, "CPictureStatic", "IDC_ICON", nullptr, 0,
     0x50000203, nullptr},  // SS_CENTERIMAGE | SS_ICON
    {ControlKind::Frame, "FRAME", ControlPool::Frames, "CEtchedFrame", "IDC_FRAME", nullptr, 8,
     0x50000000, nullptr},
    {ControlKind::TreeView, "TREEVIEW", ControlPool::TreeViews, "CPageTreeCtrl", "IDC_TREEVIEW", nullptr, 8,
     0x50000002, "SysTreeView32"},  // TVS_HASLINES
    {ControlKind::CheckBox, "CHECKBOX", ControlPool::CheckBoxes, "CColorCheckButton", "IDC_CHECKBOX",
     "CheckBox", 10, 0x50000000, nullptr},
    {ControlKind::RichText, "RICHTEXT", ControlPool::RichTexts, "CPageRichEditCtrl", "IDC_RICHTEXT", nullptr,
     10, 0x50201004, "RICHEDIT"},  // WS_VSCROLL | ES_WANTRETURN | ES_MULTILINE
};

}  // namespace

const ControlKindInfo& KindInfo(ControlKind kind)
{
    return kinds[static_cast<int>(kind)];
}

std::optional<ControlKind> FindControlKind(std::string_view keyword)
{
    for (const ControlKindInfo& info : kinds) {
        if (keyword == info.keyword)
            return info.kind;
    }
    return std::nullopt;
}

CString DefaultIdName(ControlKind kind, int kindIndex)
{
    return CString(KindInfo(kind).idNamePrefix + std::to_string(static_cast<long long>(kindIndex) + 1));
}

CString DefaultCaption(ControlKind kind, int kindIndex)
{
    const char* prefix = KindInfo(kind).captionPrefix;
    if (prefix == nullptr)
        return CString();
    return CString(prefix + std::to_string(static_cast<long long>(kindIndex) + 1));
}

const char* PoolKeywords(ControlPool pool)
{
    if (pool == ControlPool::Pictures)
        return "BITMAP and HOVER";
    for (const ControlKindInfo& info : kinds) {
        if (info.pool == pool)
            return info.keyword;
    }
    return "";
}
