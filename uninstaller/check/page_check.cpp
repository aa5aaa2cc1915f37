#include "uninstaller/check/page_check.h"

#include <vector>

#include "framework/ascii_case.h"
#include "uninstaller/check/page_check_context.h"
#include "uninstaller/common/color_text.h"
#include "uninstaller/common/lenient_integer.h"
#include "uninstaller/controls/control_rules.h"
#include "uninstaller/pages/null_page_surface.h"
#include "uninstaller/pages/page_loader.h"
#include "uninstaller/pages/page_values.h"
#include "uninstaller/removal/tree_guard.h"

namespace {

// The page window as far as the rules need it: it makes no windows and
// keeps only the pictures of BITMAP and HOVER controls, which their INFO
// lines name (an icon's picture is a property, checked as such).
class RecordingSurface : public NullPageSurface {
public:
    std::map<int, CString> pictures;  // by control id

    ControlRect CreateControl(const ControlCreation& request) override
    {
        if (!request.imagePath.IsEmpty())
            pictures[request.controlId] = request.imagePath;
        return request.rect;
    }
};

// What a window key's absence does; null where kelrun's default is what
// an author expects.
const char* LostWithout(int key)
{
    switch (key) {
    case KeyCaption: return "the window has no title";
    case KeyBorder: return "the window has no title bar (border=1 gives it one)";
    case KeyWidth: return "the window is 0 pixels wide";
    case KeyHeight: return "the window is 0 pixels high";
    case KeyFontName: return "the page font has no face, and the system picks one";
    case KeyFontSize: return "the page font has no size, and the system picks one";
    case KeyFontBold: return "the page font is bold";
    case KeyFontItalic: return "the page font is italic";
    default: return nullptr;
    }
}

void CheckWindowKeys(PageCheck& check, const std::vector<CString>& names)
{
    // What the reader does not find reads as empty; the key's line, when
    // there is one, is where the value stands.
    ProfileReader& reader = check.system.Profiles();
    for (int key = 0; key < WindowKeyCount; ++key) {
        const char* name = WindowKeyNames[key];
        const int line = check.Line("MAINWINDOW", name);
        const CString value = reader.ReadString(check.path, "MAINWINDOW", name, PageValueBufferSize);
        if (check.lines.KeyLine("", "MAINWINDOW", name) == 0) {
            if (const char* lost = LostWithout(key))
                check.Warn(line, CString::Format("no %s: %s", name, lost));
            continue;
        }
        const auto says = [&](const CString& what) { check.Warn(line, CString(name) + "=" + value + " " + what); };
        switch (key) {
        case KeyWidth:
        case KeyHeight:
            if (ReadLeadingInteger(value.view()) <= 0)
                says("gives the window no size");
            break;
        case KeyBorder:
            if (value.IsEmpty() || value.GetAt(0) < '0' || value.GetAt(0) > '9')
                says("reads as 0: the window has no title bar (border=1 gives it one)");
            break;
        case KeyStartup: {
            const int place = ReadLeadingInteger(value.view().substr(0, 2));
            if (place != 0 && (place < 2 || place > 5))
                says("leaves the window unplaced and unsized (0 centres it, 2 to 5 put it in a corner)");
            break;
        }
        case KeyMinWindow:
        case KeyMaxWindow:
        case KeyCloseWindow:
        case KeyFontBold:
        case KeyFontItalic:
            if (!IsYes(value.view()) && !IsNo(value.view()))
                says(CString("counts as ") + (key >= KeyFontBold ? "Yes" : "No") +
                     ": only \"Yes\" and \"No\" spelled so count");
            break;
        case KeyBkColor:
            if (!IsWellFormedColorText(value.view()))
                says("is not three numbers 0 to 255 (R,G,B) or COLOR_BTNFACE");
            break;
        case KeyBkImage:
            if (!value.IsEmpty())
                check.CheckPicture(line, "bkimage", RemoveBraces(value.view()), "a full path");
            break;
        default:
            break;
        }
    }
    std::set<std::string> reported;
    for (const CString& name : names) {
        if (!reported.insert(ToAsciiUpper(name.view())).second)
            continue;  // a name written twice is read, and reported, once
        bool known = false;
        for (const char* key : WindowKeyNames)
            known = known || EqualsIgnoringAsciiCase(name.view(), key);
        if (!known)
            check.Fail(check.lines.KeyLine("", "MAINWINDOW", name.view()),
                       "\"" + name + "\" is no window key: kelrun never reads it");
    }
}

// INFO keys that the loader never asks for, and DADOS keys it never reads.
void CheckKeyNames(PageCheck& check)
{
    ProfileReader& reader = check.system.Profiles();
    const int total = ReadLeadingInteger(reader.ReadString(check.path, "INFO", "TOTAL", PageTotalBufferSize).view());
    std::set<int> propertyKeys;  // of every INFO line the loader reads
    for (const CString& name : reader.ReadKeyNames(check.path, "INFO")) {
        const int line = check.lines.KeyLine("", "INFO", name.view());
        int key = 0;
        if (EqualsIgnoringAsciiCase(name.view(), "TOTAL"))
            continue;
        if (!ReadKeyNumber(name.view(), &key))
            check.Fail(line, "INFO key \"" + name + "\" is never read: kelrun reads the keys 0, 1, 2 and on, "
                             "written as plain numbers");
        else if (key >= total)
            check.Fail(line, CString::Format("INFO key %d is never read: TOTAL is %d", key, total));
        else
            propertyKeys.insert(
                SplitDefinitionLine(reader.ReadString(check.path, "INFO", name, PageValueBufferSize).view())
                    .Number(FieldPropertyKey));
    }
    std::map<int, const PageControl*> loaded;  // by property key
    for (int index = 0; index < check.model.ControlCount(); ++index)
        loaded[check.model.Control(index).PropertyKey] = &check.model.Control(index);
    for (const CString& name : reader.ReadKeyNames(check.path, "DADOS")) {
        const int line = check.lines.KeyLine("", "DADOS", name.view());
        const std::size_t comma = name.view().find(',');
        const bool count = comma != std::string_view::npos && name.Mid(static_cast<int>(comma) + 1) == "t";
        int key = 0;
        int position = 0;
        if (!ReadPropertyKey(count ? (name.Left(static_cast<int>(comma)) + ",0").view() : name.view(), &key,
                             &position)) {
            check.Fail(line, "\"" + name + "\" is no DADOS key (k,t or k,j): kelrun never reads it");
        } else if (propertyKeys.count(key) == 0) {
            check.Warn(line, CString::Format("DADOS key %s is never read: no INFO line has the property key %d",
                                             name.GetString(), key));
        } else if (!count && loaded.count(key) != 0 && position >= loaded[key]->PropCount &&
                   check.droppedProperties.count(name.str()) == 0) {
            check.Warn(line, CString::Format("DADOS key %s is never read: %d,t counts %d properties", name.GetString(),
                                             key, loaded[key]->PropCount));
        }
    }
}

}  // namespace

int PageCheck::InfoLine(const PageControl& control) const
{
    return Line("INFO", CString::Format("%d", control.InfoKey));
}

int PageCheck::PropertyLine(const PageControl& control, int position) const
{
    if (const int line = lines.KeyLine("", "DADOS", CString::Format("%d,%d", control.PropertyKey, position).view()))
        return line;
    if (const int line = lines.KeyLine("", "DADOS", CString::Format("%d,t", control.PropertyKey).view()))
        return line;
    return InfoLine(control);
}

void PageCheck::CheckPicture(int line, const CString& what, const CString& picture, const char* insteadWrite)
{
    if (!IsAbsolutePath(picture)) {
        Warn(line, what + " \"" + picture + "\" is not a full path: kelrun looks for it in its own current folder, "
                                             "not beside the page; write " + insteadWrite);
        return;
    }
    const CString productFolder = target.productFolder.Left(target.productFolder.GetLength() - 1);
    const bool canLook = target.installed || IsProperAncestor(productFolder, picture);
    if (!canLook)
        return;
    const long long size = system.FileSize(picture);
    if (size < 0)
        Warn(line, what + " \"" + picture + "\": no such file, so nothing is shown");
    else if (size > MaxPictureFileBytes)
        Warn(line, what + " \"" + picture + "\": larger than kelrun reads (32 MB), so nothing is shown");
}

void CheckPageFile(CheckSystem& system, const CheckTarget& target, const CString& path,
                   const MemoryProfileReader& lines, Findings& findings)
{
    RecordingSurface surface;
    PageModel model(surface);
    std::vector<PageLoadNote> notes;
    PageLoader loader(model, system.Profiles(), surface, [&notes](const PageLoadNote& note) { notes.push_back(note); });
    // As kelrun shows its uninstall page: the first of no pages.
    model.PageIndex = 0;
    model.PageCount = 0;
    loader.LoadPageFile(path);

    PageCheck check{system, target, path, lines, findings, model, surface.pictures, {}};
    for (const PageLoadNote& note : notes) {
        if (!note.section)
            continue;
        const int line = check.Line(note.section, note.key);
        // A line that names no kind loses its control: an error. Lines
        // past the tables are the author's to trim: a warning.
        const bool info = CString(note.section) == "INFO";
        const CString definition = info ? system.Profiles().ReadString(path, "INFO", note.key, PageValueBufferSize)
                                        : CString();
        if (info && !FindControlKind(SplitDefinitionLine(definition.view()).Field(FieldKind).view()))
            check.Fail(line, note.text);
        else
            check.Warn(line, note.text);
        if (!info)
            check.droppedProperties.insert(note.key.str());
    }
    CheckWindowKeys(check, system.Profiles().ReadKeyNames(path, "MAINWINDOW"));
    CheckKeyNames(check);
    CheckControls(check);
}
