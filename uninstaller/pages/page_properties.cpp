// What each property does to the window or to a control of each kind, and
// which properties a loaded page applies.
#include "uninstaller/common/lenient_integer.h"
#include "uninstaller/common/placeholders.h"
#include "uninstaller/pages/page_model.h"
#include "uninstaller/pages/page_values.h"
#include "uninstaller/pages/property_rows.h"

namespace {

// Where a text keeps its colour after "URL Link" "Yes" made it blue.
constexpr int TextColorPosition = 3;
constexpr const char* LinkColor = "0,0,255";
constexpr const char* White = "255,255,255";

}  // namespace

void PageModel::SetProperty(const CString& name, const CString& value, int position)
{
    if (currentControl_ == -1)
        currentKind_ = WindowKindName;
    if (currentKind_ == WindowKindName)
        SetWindowProperty(value, position);
    else
        SetControlProperty(name, value, position);
}

void PageModel::SetWindowProperty(const CString& value, int position)
{
    switch (position) {
    case PropIdcName:
        Settings.idcname = value;
        break;
    case PropCaption:
        Settings.caption = SubstituteText(value);
        surface_.SetWindowTitle(Settings.caption);
        break;
    case PropBkColor:
        Settings.bkcolor = value.IsEmpty() ? CString(ButtonFaceWord) : value;
        surface_.SetWindowBackColor(Settings.bkcolor);
        break;
    case PropBorder:
        Settings.border = value;
        if (ReadBorderSwitch(value.view()) != BorderSwitch::Unchanged)
            surface_.SetWindowStyle(WindowStyleBit::ThinBorder, ReadBorderSwitch(value.view()) == BorderSwitch::On);
        break;
    case PropBkImage:
        Settings.bkimage = value;
        surface_.SetBackgroundImage(value);
        break;
    case PropSoundFile:
        Settings.soundfile = value;
        break;
    case PropStartup:
        Settings.startup = value;
        break;
    case PropMinWindow:
        Settings.minwindow = value;
        surface_.SetWindowStyle(WindowStyleBit::MinimizeBox, IsYes(value.view()));
        break;
    case PropMaxWindow:
        Settings.maxwindow = value;
        surface_.SetWindowStyle(WindowStyleBit::MaximizeBox, IsYes(value.view()));
        break;
    case PropCloseWindow:
        Settings.closewindow = value;
        surface_.SetWindowStyle(WindowStyleBit::SystemMenu, IsYes(value.view()));
        break;
    default:
        break;
    }
    // The page's owner, the main window, is never shown: without this the
    // page would have no taskbar button.
    surface_.ShowOnTaskbar();
}

void PageModel::StoreValue(int position, const CString& value)
{
    if (position < 0 || position >= MaxControlProperties)
        return;
    MutableControl(currentControl_).PropValues[static_cast<std::size_t>(position)] = value;
}

void PageModel::SetBackColorProperty(PageControl& control, const CString& value, int position)
{
    const CString color = value.IsEmpty() ? CString(ButtonFaceWord) : value;
    StoreValue(position, color);
    surface_.SetControlColor(control, color, 1);
}

void PageModel::SetControlProperty(const CString& name, const CString& value, int position)
{
    StoreValue(position, value);
    PageControl& control = MutableControl(currentControl_);
    switch (control.KindCode) {
    case ControlKind::Button:
        if (name == "Caption")
            surface_.SetControlText(control, SubstituteText(value));
        break;
    case ControlKind::Text:
        if (name == "Caption") {
            surface_.SetControlText(control, ExpandProductPlaceholders(value));
            surface_.RedrawPage();
        } else if (name == "Text Align") {
            if (const char* word = AlignmentWord(value.view()))
                surface_.SetTextAlignment(control, word);
            surface_.RedrawPage();
        } else if (name == "BackColor") {
            SetBackColorProperty(control, value, position);
        } else if (name == "Text Color") {
            surface_.SetControlColor(control, value, 0);
        } else if (name == "URL Link") {
            // A link is blue whatever colour the page gave the text.
            if (IsYes(value.view()))
                StoreValue(TextColorPosition, LinkColor);
            surface_.SetLinkStyle(control, IsYes(value.view()) ? 255 : 0);
        }
        break;
    case ControlKind::Rect:
        if (name == "BackColor")
            SetBackColorProperty(control, value, position);
        break;
    case ControlKind::GroupBox:
        if (name == "Caption")
            surface_.SetControlText(control, value);
        else if (name == "BackColor")
            SetBackColorProperty(control, value, position);
        break;
    case ControlKind::Radio:
    case ControlKind::CheckBox:
        if (name == "Text") {
            surface_.SetControlText(control, value);
        } else if (name == "BackColor") {
            SetBackColorProperty(control, value, position);
            if (control.KindCode == ControlKind::Radio)
                surface_.SetSecondColor(control, White);
        }
        break;
    case ControlKind::ListView:
        if (name == "Style") {
            const BorderSwitch border = ReadBorderSwitch(value.view());
            if (border != BorderSwitch::Unchanged)
                surface_.SetControlBorder(control, border == BorderSwitch::On);
            surface_.RedrawPage();
        }
        break;
    case ControlKind::Icon:
        if (name == "Icon File:") {
            const IconReference icon = ReadIconReference(value);
            if (icon.kind == IconReference::Kind::BuiltIn) {
                surface_.SetIconIndex(control, icon.index);
            } else if (icon.kind == IconReference::Kind::File) {
                surface_.LoadPicture(control, icon.path);
                surface_.RedrawPage();
            }
        } else if (name == "BackColor:") {
            const CString color = value.IsEmpty() ? CString(ButtonFaceWord) : value;
            StoreValue(position, color);
            surface_.SetPictureBackColor(control, SpellOutColorText(color, surface_.ButtonFaceColor()));
        }
        break;
    case ControlKind::Bitmap:
        if (name == "BackColor") {
            // Page editors write "0 - none" for a picture without a colour.
            const bool none = value.IsEmpty() || value.Find("0 -") >= 0;
            const CString color = none ? CString(ButtonFaceWord) : value;
            StoreValue(position, color);
            surface_.SetPictureBackColor(control, SpellOutColorText(color, surface_.ButtonFaceColor()));
        }
        break;
    default:
        // HOVER, TEXTBOX, COMBOBOX, HOTSPOT, ANIMATION, PROGRESS, FRAME,
        // TREEVIEW and RICHTEXT only keep their values.
        break;
    }
}

void PageModel::SetPageFont(const FontSpec& font, int height)
{
    Settings.fontname = font.face;
    Settings.fontsize = CString::Format("%d", font.points);
    Settings.fontbold = font.bold == 255 ? "Yes" : "No";
    Settings.fontitalic = font.italic == 255 ? "Yes" : "No";
    surface_.SetPageFont(font, height);
}

void PageModel::SetControlColor(const CString& colorText, int which)
{
    if (currentControl_ == -1 || currentKind_ == WindowKindName) {
        if (which == 1)
            surface_.SetWindowBackColor(colorText);
        return;
    }
    surface_.SetControlColor(Control(currentControl_), colorText, which);
}

void PageModel::ApplyFontRows(const PageControl& control, int firstPosition)
{
    FontSpec font;
    font.face = control.ValueAt(firstPosition);
    font.points = ReadLeadingInteger(control.ValueAt(firstPosition + 1).view());
    font.bold = FontSwitch(control.ValueAt(firstPosition + 2).view());
    font.italic = FontSwitch(control.ValueAt(firstPosition + 3).view());
    surface_.SetControlFont(control, font);
}

void PageModel::ApplyRow(const PageControl& control, const char* name, int position)
{
    // A copy: SetProperty stores the value back into the same slot.
    const CString value = control.ValueAt(position);
    SetProperty(name, value, position);
}

void PageModel::ApplyNavigationRules(const PageControl& control)
{
    // PageCount may be anything a caller passes; compare without overflow.
    const bool firstPage = PageIndex == 0;
    const bool lastPage = static_cast<long long>(PageIndex) >= static_cast<long long>(PageCount) - 1;
    if (control.IdName == "IDC_NEXT")
        surface_.MakeDefaultButton(control);
    if (control.IdName == "IDC_BACK" && (firstPage || lastPage))
        surface_.EnableControl(control, false);
    if (control.IdName == "IDCANCEL" && lastPage)
        surface_.EnableControl(control, false);
}

void PageModel::ApplyLoadedProperties()
{
    for (int index = 0; index < count_; ++index) {
        SelectControl(index);
        PageControl& control = MutableControl(index);
        for (const PropertyRow& row : LoadedPropertyRows(control.KindCode)) {
            switch (row.role) {
            case RowRole::IdName:
                control.IdName = control.ValueAt(row.position);
                if (control.KindCode == ControlKind::TextBox && control.IdName == "IDC_SETTINGS")
                    surface_.AddExtendedStyle(control, SettingsBoxExStyles);
                break;
            case RowRole::Font:
                ApplyFontRows(control, row.position);
                break;
            case RowRole::Named:
                ApplyRow(control, row.name, row.position);
                break;
            }
        }
        if (control.KindCode == ControlKind::Button)
            ApplyNavigationRules(control);
    }
}
