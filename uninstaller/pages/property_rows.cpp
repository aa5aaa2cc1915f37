#include "uninstaller/pages/property_rows.h"

namespace {

constexpr PropertyRow IdNameAt(int position) { return {position, RowRole::IdName, nullptr, RowValue::Text}; }
constexpr PropertyRow FontFrom(int position) { return {position, RowRole::Font, nullptr, RowValue::Text}; }
constexpr PropertyRow Row(int position, const char* name, RowValue value = RowValue::Text)
{
    return {position, RowRole::Named, name, value};
}

}  // namespace

const std::vector<PropertyRow>& LoadedPropertyRows(ControlKind kind)
{
    // The order is the order of effects: a text's "URL Link" comes after
    // its "Text Color", since a link is blue whatever colour the page gave.
    static const std::vector<PropertyRow> button = {IdNameAt(0), FontFrom(3), Row(1, "Caption"),
                                                    Row(2, "Text Align")};
    static const std::vector<PropertyRow> text = {
        IdNameAt(0), FontFrom(5), Row(1, "Caption"), Row(2, "Text Align", RowValue::Alignment),
        Row(4, "BackColor", RowValue::Color), Row(3, "Text Color", RowValue::Color),
        Row(9, "URL Link", RowValue::YesSwitch)};
    static const std::vector<PropertyRow> rect = {Row(1, "BackColor", RowValue::Color)};
    static const std::vector<PropertyRow> groupBox = {Row(1, "Caption"), Row(2, "BackColor", RowValue::Color)};
    static const std::vector<PropertyRow> checkButton = {IdNameAt(0), Row(1, "Text"),
                                                         Row(2, "BackColor", RowValue::Color)};
    static const std::vector<PropertyRow> textBox = {IdNameAt(0), Row(1, "Text"), Row(2, "Password"),
                                                     Row(4, "Read Only", RowValue::YesNo)};
    static const std::vector<PropertyRow> listView = {Row(2, "Style", RowValue::Border)};
    static const std::vector<PropertyRow> icon = {Row(1, "Icon File:", RowValue::Icon),
                                                  Row(2, "BackColor:", RowValue::Color)};
    static const std::vector<PropertyRow> bitmap = {Row(2, "BackColor", RowValue::Color)};
    static const std::vector<PropertyRow> richText = {IdNameAt(0)};
    static const std::vector<PropertyRow> none;

    switch (kind) {
    case ControlKind::Button: return button;
    case ControlKind::Text: return text;
    case ControlKind::Rect: return rect;
    case ControlKind::GroupBox: return groupBox;
    case ControlKind::Radio:
    case ControlKind::CheckBox: return checkButton;
    case ControlKind::TextBox: return textBox;
    case ControlKind::ListView: return listView;
    case ControlKind::Icon: return icon;
    case ControlKind::Bitmap: return bitmap;
    case ControlKind::RichText: return richText;
    default: return none;
    }
}
