// The rules of each control of a loaded page, and of the progress page.
#include <algorithm>

#include "uninstaller/check/page_check_context.h"
#include "uninstaller/common/color_text.h"
#include "uninstaller/pages/page_values.h"
#include "uninstaller/pages/property_rows.h"

namespace {

bool IsClickName(const CString& name)
{
    return name == "On Click" || name == "Mouse Click";
}

// Only button windows send the click command that a page acts on.
bool SendsClicks(ControlKind kind)
{
    return kind == ControlKind::Button || kind == ControlKind::Radio || kind == ControlKind::CheckBox;
}

const char* Keyword(const PageControl& control)
{
    return KindInfo(control.KindCode).keyword;
}

// "a BUTTON", "an ICON".
CString AKind(const PageControl& control)
{
    const CString keyword = Keyword(control);
    return (CString("AEIOU").Find(keyword.GetAt(0)) >= 0 ? "an " : "a ") + keyword;
}

// The row that acts on `position`: a named or id name row there, or the
// font rows that cover it.
const PropertyRow* RowAt(ControlKind kind, int position)
{
    for (const PropertyRow& row : LoadedPropertyRows(kind)) {
        const int last = row.role == RowRole::Font ? row.position + 3 : row.position;
        if (position >= row.position && position <= last)
            return &row;
    }
    return nullptr;
}

const PropertyRow* NamedRow(ControlKind kind, const CString& name)
{
    for (const PropertyRow& row : LoadedPropertyRows(kind)) {
        if (row.role == RowRole::Named && name == row.name)
            return &row;
    }
    return nullptr;
}

void CheckFont(PageCheck& check, const PageControl& control, int first)
{
    if (control.ValueAt(first).IsEmpty()) {
        check.Warn(check.PropertyLine(control, first),
                   CString::Format("%s without a font at positions %d to %d is drawn bold italic in the system's "
                                   "face: the page font never reaches a BUTTON or a TEXT",
                                   AKind(control).GetString(), first, first + 3));
        return;
    }
    for (int position = first + 2; position <= first + 3; ++position) {
        const CString value = control.ValueAt(position);
        if (!IsYes(value.view()) && !IsNo(value.view()))
            check.Warn(check.PropertyLine(control, position),
                       CString::Format("%s switch \"%s\" counts as Yes: only \"Yes\" and \"No\" spelled so count",
                                       position == first + 2 ? "the bold" : "the italic", value.GetString()));
    }
}

void CheckRowValue(PageCheck& check, const PageControl& control, const PropertyRow& row)
{
    const CString value = control.ValueAt(row.position);
    const int line = check.PropertyLine(control, row.position);
    const CString named = CString("\"") + row.name + "\" ";
    switch (row.value) {
    case RowValue::Color:
        if (control.KindCode == ControlKind::Text && row.position == 3 && value.IsEmpty())
            check.Warn(line, "a TEXT without \"Text Color\" (position 3) draws in the button face colour, which "
                             "hides it on most backgrounds");
        else if (!IsWellFormedColorText(value.view()))
            check.Warn(line, named + "\"" + value + "\" is not three numbers 0 to 255 (R,G,B) or COLOR_BTNFACE");
        break;
    case RowValue::Alignment:
        if (value.IsEmpty() || value.GetAt(0) < '0' || value.GetAt(0) > '9')
            check.Warn(line, named + "\"" + value +
                                 "\" centres the text: write 1 for left, 2 for right, 0 for centred");
        break;
    case RowValue::YesSwitch:
    case RowValue::YesNo:
        if (!value.IsEmpty() && !IsYes(value.view()) && !IsNo(value.view()))
            check.Warn(line, named + "\"" + value + "\" counts as " +
                                 (row.value == RowValue::YesSwitch ? "No" : "nothing") +
                                 ": only \"Yes\" and \"No\" spelled so count");
        break;
    case RowValue::Icon: {
        const IconReference icon = ReadIconReference(value);
        if (icon.kind == IconReference::Kind::None && !value.IsEmpty())
            check.Warn(line, named + "\"" + value + "\" names no built-in icon (IDI_EXCLAMATION, IDI_INFO, "
                                                    "IDI_ERROR, IDI_TYPICAL, IDI_MINIMAL, IDI_CUSTOM, IDI_SETUP, "
                                                    "IDI_FOLDER), so the icon shows nothing");
        else if (icon.kind == IconReference::Kind::File)
            check.CheckPicture(line, "the icon", icon.path, "{name} for a file beside the page");
        break;
    }
    default:
        break;
    }
}

// Position, not name, decides what a property does; and braces make a path.
void CheckProperties(PageCheck& check, const PageControl& control)
{
    ProfileReader& reader = check.system.Profiles();
    for (int position = 0; position < control.PropCount; ++position) {
        const CString& name = control.PropNames[static_cast<std::size_t>(position)];
        const int line = check.PropertyLine(control, position);
        const PropertyRow* row = RowAt(control.KindCode, position);
        const PropertyRow* named = NamedRow(control.KindCode, name);
        // A missing entry reads with an empty name, which misleads nobody.
        if (row && row->role == RowRole::Named && !name.IsEmpty() && name != row->name)
            check.Warn(line, CString::Format("\"%s\" stands at position %d, where %s takes \"%s\": the position, "
                                             "not the name, decides what a property does",
                                             name.GetString(), position, AKind(control).GetString(), row->name));
        else if (named && named != row)
            check.Warn(line, CString::Format("%s reads \"%s\" at position %d only: at position %d it does nothing",
                                             AKind(control).GetString(), name.GetString(), named->position, position));
        if (IsClickName(name) && !SendsClicks(control.KindCode))
            check.Warn(line, CString::Format("%s sends no clicks, so its \"%s\" does nothing: only BUTTON, RADIO "
                                             "and CHECKBOX clicks act",
                                             AKind(control).GetString(), name.GetString()));
        if (position == 0 && !row && !control.PropValues[0].IsEmpty() && control.PropValues[0] != control.IdName)
            check.Warn(line, CString::Format("%s takes no name from position 0: it is %s by its place among the "
                                             "%s controls, counted from the highest INFO key",
                                             AKind(control).GetString(), control.IdName.GetString(),
                                             Keyword(control)));
        // The loader's own split, with a folder no path holds, tells
        // whether it put the page folder in front. Only values that act
        // are shown or used; the others are kept as they came.
        const CString key = CString::Format("%d,%d", control.PropertyKey, position);
        const CString entry = reader.ReadString(check.path, "DADOS", key, PageValueBufferSize);
        const bool madePath = SplitPropertyEntry(entry, "\x01").value.Left(1) == "\x01";
        if (madePath && row && row->value != RowValue::Icon)
            check.Warn(line, "the value holds \"{\": kelrun drops the braces and puts the page folder in front "
                             "(\"Version {2}\" becomes a path); braces are for file names beside the page");
    }
}

void CheckPlace(PageCheck& check, const PageControl& control)
{
    const int width = check.model.Settings.width;
    const int height = check.model.Settings.height;
    const ControlRect& r = control.Rect;
    // A COMBOBOX's INFO height is its drop-down list's, which may reach
    // past the window as any drop-down list does.
    const bool bottomOut = r.bottom > height && control.KindCode != ControlKind::ComboBox;
    if (width > 0 && height > 0 && (r.left < 0 || r.top < 0 || r.right > width || bottomOut))
        check.Warn(check.InfoLine(control),
                   CString::Format("the %s at %d,%d to %d,%d lies outside the %d by %d window", Keyword(control),
                                   r.left, r.top, r.right, r.bottom, width, height));
}

const PageControl* Named(const PageModel& model, const char* idName)
{
    const int index = model.FindRecordIndex(model.FindControlId(idName));
    return index < 0 ? nullptr : &model.Control(index);
}

// What the removal drives on "uninstall.lcd", found by name as kelrun does.
void CheckProgressPage(PageCheck& check)
{
    const PageModel& model = check.model;
    const int infoSection = check.Line("INFO", "TOTAL");
    const PageControl* bar = Named(model, "IDC_PROGRESS1");
    if (!bar)
        check.Warn(infoSection, "no IDC_PROGRESS1: the removal has no bar to move (a PROGRESS is named so by its "
                                "place, the one of the highest INFO key)");
    else if (bar->KindCode != ControlKind::Progress)
        check.Warn(check.InfoLine(*bar), CString::Format("IDC_PROGRESS1 is a %s: the removal moves a PROGRESS of "
                                                         "that name",
                                                         Keyword(*bar)));
    for (int index = 0; bar && bar->KindCode == ControlKind::Progress && index < model.ControlCount(); ++index) {
        const PageControl& control = model.Control(index);
        if (control.KindCode == ControlKind::Progress && &control != bar)
            check.Warn(check.InfoLine(control),
                       CString::Format("this PROGRESS stays still: the removal moves only IDC_PROGRESS1, the PROGRESS "
                                       "of INFO key %d",
                                       bar->InfoKey));
    }
    if (!Named(model, "IDC_INFO"))
        check.Warn(infoSection, "no IDC_INFO: the removal's status is not shown (a TEXT with that name at position 0)");
    if (!Named(model, "IDC_STATIC1"))
        check.Warn(infoSection, "no IDC_STATIC1: the last status line is not shown (a TEXT with that name at "
                                "position 0)");
    const PageControl* cancel = Named(model, "IDCANCEL");
    if (!cancel)
        check.Warn(infoSection, "no IDCANCEL: nothing on the page ends kelrun when the removal is done");
    else if (!SendsClicks(cancel->KindCode))
        check.Warn(check.InfoLine(*cancel), CString::Format("IDCANCEL is a %s, which sends no clicks: nothing on "
                                                            "the page ends kelrun when the removal is done",
                                                            Keyword(*cancel)));
}

}  // namespace

void CheckControls(PageCheck& check)
{
    const PageModel& model = check.model;
    for (int index = 0; index < model.ControlCount(); ++index) {
        const PageControl& control = model.Control(index);
        for (const PropertyRow& row : LoadedPropertyRows(control.KindCode)) {
            if (row.role == RowRole::Font)
                CheckFont(check, control, row.position);
            else if (row.role == RowRole::Named)
                CheckRowValue(check, control, row);
        }
        CheckProperties(check, control);
        CheckPlace(check, control);
        const auto picture = check.pictures.find(control.ControlId);
        if (picture != check.pictures.end())
            check.CheckPicture(check.InfoLine(control), CString("the ") + Keyword(control) + " picture",
                               picture->second, "the file name beside the page");
        for (int earlier = 0; earlier < index; ++earlier) {
            if (!control.IdName.IsEmpty() && model.Control(earlier).IdName == control.IdName) {
                check.Warn(check.InfoLine(control),
                           CString::Format("a second control named %s: kelrun finds only the first, of INFO key %d",
                                           control.IdName.GetString(), model.Control(earlier).InfoKey));
                break;
            }
        }
    }
    CheckProgressPage(check);
}
