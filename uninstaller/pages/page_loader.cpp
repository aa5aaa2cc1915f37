#include "uninstaller/pages/page_loader.h"

#include <algorithm>
#include <array>
#include <climits>
#include <optional>

#include "uninstaller/common/color_text.h"
#include "uninstaller/common/lenient_integer.h"

const char* const WindowKeyNames[WindowKeyCount] = {
    "idcname", "caption", "bkimage", "border", "startup", "bkcolor", "width", "height",
    "soundfile", "minwindow", "maxwindow", "closewindow", "fontname", "fontsize", "fontbold", "fontitalic",
};

namespace {

int ClampToInt(long long value)
{
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// The rectangle of an INFO line, corrected by the kind's size rule: a
// control too small to see or click is made 90 by 25 from its left top
// corner, and an icon is always 32 by 32. Far-out numbers saturate.
ControlRect InfoRect(const DefinitionLine& line, ControlKind kind)
{
    const long long left = line.Number(FieldLeft);
    const long long top = line.Number(FieldTop);
    long long width = line.Number(FieldWidth);
    long long height = line.Number(FieldHeight);
    const int heightLimit = KindInfo(kind).heightLimit;
    if (kind == ControlKind::Icon) {
        width = 32;
        height = 32;
    } else if (heightLimit > 0 && width < 30 && height < heightLimit) {
        width = 90;
        height = 25;
    }
    return {ClampToInt(left), ClampToInt(top), ClampToInt(left + width), ClampToInt(top + height)};
}

}  // namespace

PageLoader::PageLoader(PageModel& model, ProfileReader& reader, ControlFactory& factory, PageReport report)
    : model_(model), reader_(reader), factory_(factory), report_(std::move(report))
{
}

CString PageLoader::ReadValue(const char* section, const CString& key, int bufferSize)
{
    return reader_.ReadString(model_.PagePath, section, key, bufferSize);
}

void PageLoader::Report(const CString& line, const char* section, const CString& key)
{
    if (report_)
        report_(PageLoadNote{line, section, key});
}

void PageLoader::ResetPage()
{
    for (int index = 0; index < model_.ControlCount(); ++index)
        factory_.DestroyControl(model_.Control(index).ControlId);
    model_.ClearControls();
    model_.SetControlColor(ButtonFaceWord, 1);
    model_.Surface().ClearBackgroundImage();
    model_.Surface().RedrawPage();
}

void PageLoader::LoadPageFile(const CString& path)
{
    model_.PagePath = path;
    ResetPage();
    model_.SelectWindow();
    ApplyWindowSettings();

    const int total = ReadLeadingInteger(ReadValue("INFO", "TOTAL", PageTotalBufferSize).view());
    if (total == 0)
        return;
    pageFolder_ = PageFolderOf(path);
    extraPositions_.clear();
    extraPositionsListed_ = false;

    // The plan is made first, in INFO order, so that what a full table
    // leaves out is the end of the list. Creating runs from the last key
    // down: each new record goes in front, and record i ends up holding the
    // control of INFO key i.
    const std::vector<PlannedControl> plan = PlanControls(total);
    for (auto planned = plan.rbegin(); planned != plan.rend(); ++planned) {
        if (CreateControl(planned->line, planned->kind))
            ReadProperties(planned->infoKey, planned->line.Number(FieldPropertyKey));
    }
    model_.ApplyLoadedProperties();
    model_.Surface().RedrawPage();
}

void PageLoader::ApplyWindowSettings()
{
    std::array<CString, WindowKeyCount> value;
    for (int key = 0; key < WindowKeyCount; ++key)
        value[static_cast<std::size_t>(key)] = ReadValue("MAINWINDOW", WindowKeyNames[key]);
    const CString bkimage = RemoveBraces(value[KeyBkImage].view());
    const CString soundfile = RemoveBraces(value[KeySoundFile].view());
    FontSpec font;
    font.face = value[KeyFontName];
    font.points = ReadLeadingInteger(value[KeyFontSize].view());
    font.bold = FontSwitch(value[KeyFontBold].view());
    font.italic = FontSwitch(value[KeyFontItalic].view());
    model_.Settings.width = ReadLeadingInteger(value[KeyWidth].view());
    model_.Settings.height = ReadLeadingInteger(value[KeyHeight].view());

    model_.SetProperty("", value[KeyIdcName], PropIdcName);
    model_.SetProperty("", value[KeyCaption], PropCaption);
    model_.SetProperty("", value[KeyBkColor], PropBkColor);
    model_.SetProperty("", value[KeyBorder], PropBorder);
    model_.SetProperty("", bkimage, PropBkImage);
    model_.SetProperty("", soundfile, PropSoundFile);
    model_.SetProperty("", value[KeyStartup], PropStartup);
    model_.SetProperty("", value[KeyMinWindow], PropMinWindow);
    model_.SetProperty("", value[KeyMaxWindow], PropMaxWindow);
    model_.SetProperty("", value[KeyCloseWindow], PropCloseWindow);
    model_.SelectWindow();
    model_.SetPageFont(font, 0);
}

std::vector<int> PageLoader::ExistingInfoKeys(int total)
{
    // "TOTAL" may say anything, two billion included: only the keys the
    // section really holds are walked.
    std::vector<int> keys;
    if (total <= 0)
        return keys;
    for (const CString& name : reader_.ReadKeyNames(model_.PagePath, "INFO")) {
        int key = 0;
        if (ReadKeyNumber(name.view(), &key) && key < total)
            keys.push_back(key);
    }
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    return keys;
}

std::vector<PageLoader::PlannedControl> PageLoader::PlanControls(int total)
{
    std::vector<PlannedControl> plan;
    std::array<int, ControlPoolCount> planned{};
    int linesRead = 0;
    for (const int key : ExistingInfoKeys(total)) {
        // Past the 70th control no line is read any more, and no more than
        // MaxInfoLinesRead lines in all: the system's reader searches the
        // file's keys anew on every call, so reading every line of a page of
        // 100,000 lines would take minutes.
        if (plan.size() == static_cast<std::size_t>(MaxPageControls)) {
            if (!report_)
                break;
            Report(CString::Format("INFO key %d: the page has 70 controls already; the control is left out", key),
                   "INFO", CString::Format("%d", key));
            continue;
        }
        if (linesRead == MaxInfoLinesRead) {
            if (!report_)
                break;
            Report(CString::Format("INFO key %d: not read; a page is read no further than %d INFO lines", key,
                                   MaxInfoLinesRead),
                   "INFO", CString::Format("%d", key));
            continue;
        }
        ++linesRead;
        DefinitionLine line = SplitDefinitionLine(ReadValue("INFO", CString::Format("%d", key)).view());
        const std::optional<ControlKind> kind = FindControlKind(line.Field(FieldKind).view());
        if (!kind) {
            Report(CString::Format("INFO key %d: \"%s\" is no control kind; the line creates nothing", key,
                                   line.Field(FieldKind).GetString()),
                   "INFO", CString::Format("%d", key));
            continue;
        }
        int& inPool = planned[static_cast<std::size_t>(PoolOf(*kind))];
        if (inPool == MaxKindControls) {
            Report(CString::Format("INFO key %d: the page has 15 %s controls already; the control is left out", key,
                                   PoolKeywords(PoolOf(*kind))),
                   "INFO", CString::Format("%d", key));
            continue;
        }
        ++inPool;
        plan.push_back({key, std::move(line), *kind});
    }
    return plan;
}

int PageLoader::CreateControlFromInfo(const CString& line)
{
    pageFolder_ = PageFolderOf(model_.PagePath);
    const DefinitionLine fields = SplitDefinitionLine(line.view());
    const std::optional<ControlKind> kind = FindControlKind(fields.Field(FieldKind).view());
    if (!kind) {
        Report(CString::Format("INFO line \"%s\": \"%s\" is no control kind; the line creates nothing",
                               line.GetString(), fields.Field(FieldKind).GetString()));
    } else if (!CreateControl(fields, *kind)) {
        Report(CString::Format("INFO line \"%s\": the page's table for %s is full; the control is left out",
                               line.GetString(), KindInfo(*kind).keyword));
    }
    return fields.Number(FieldPropertyKey);
}

bool PageLoader::CreateControl(const DefinitionLine& line, ControlKind kind)
{
    const ControlPool pool = PoolOf(kind);
    if (model_.ControlCount() >= MaxPageControls || model_.PoolCount(pool) >= MaxKindControls)
        return false;
    ControlCreation request;
    request.kind = kind;
    request.kindIndex = model_.PoolCount(pool);
    request.controlId = model_.NextControlId();
    request.rect = InfoRect(line, kind);
    request.text = DefaultCaption(kind, request.kindIndex);
    if (kind == ControlKind::Bitmap || kind == ControlKind::Hover)
        request.imagePath = pageFolder_ + RemoveBraces(line.Field(FieldImage).view());

    const ControlRect registered = factory_.CreateControl(request);
    model_.RegisterControl(registered, request.controlId, kind, request.kindIndex);
    if (kind == ControlKind::Progress)
        model_.ProgressIndex = request.kindIndex;
    model_.CountCreatedControl(kind);
    return true;
}

void PageLoader::ReadProperties(int infoKey, int propertyKey)
{
    model_.SetSourceKeys(0, infoKey, propertyKey);
    const int count = ReadLeadingInteger(ReadValue("DADOS", CString::Format("%d,t", propertyKey)).view());
    const int kept = std::clamp(count, 0, MaxControlProperties);
    model_.SetPropertyCount(0, kept);
    for (int position = 0; position < kept; ++position) {
        const CString text = ReadValue("DADOS", CString::Format("%d,%d", propertyKey, position));
        const PropertyEntry entry = SplitPropertyEntry(text, pageFolder_);
        model_.SetLoadedProperty(0, position, entry.name, entry.value, entry.number);
    }
    if (count > MaxControlProperties && report_)
        ReportDroppedProperties(infoKey, propertyKey, count);
}

void PageLoader::ReportDroppedProperties(int infoKey, int propertyKey, int count)
{
    // The count may say two billion: report the entries the section holds,
    // found in one listing of its keys for the whole page.
    if (!extraPositionsListed_) {
        extraPositionsListed_ = true;
        for (const CString& name : reader_.ReadKeyNames(model_.PagePath, "DADOS")) {
            int key = 0;
            int position = 0;
            if (ReadPropertyKey(name.view(), &key, &position) && position >= MaxControlProperties)
                extraPositions_[key].push_back(position);
        }
        for (auto& positions : extraPositions_) {
            std::sort(positions.second.begin(), positions.second.end());
            positions.second.erase(std::unique(positions.second.begin(), positions.second.end()),
                                   positions.second.end());
        }
    }
    const auto found = extraPositions_.find(propertyKey);
    if (found == extraPositions_.end())
        return;
    for (const int position : found->second) {
        if (position >= count)
            break;
        Report(CString::Format("DADOS key %d,%d (INFO key %d): the control has 20 properties already; "
                               "the property is left out",
                               propertyKey, position, infoKey),
               "DADOS", CString::Format("%d,%d", propertyKey, position));
    }
}
