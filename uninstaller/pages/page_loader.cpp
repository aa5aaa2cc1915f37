#include "uninstaller/pages/page_loader.h"

#include <algorithm>
#include <climits>
#include <optional>

#include "uninstaller/common/color_text.h"
#include "uninstaller/common/lenient_integer.h"

namespace {

// True when `text` is exactly what "%i" writes for a number of 0 or more:
// digits, no sign, no leading zero. Only such names are keys the loader
// would ask for; "07" or "+7" name nothing it reads.
bool ReadKeyNumber(std::string_view text, int* number)
{
    if (text.empty() || text.size() > 10 || (text.size() > 1 && text.front() == '0'))
        return false;
    long long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    if (value > INT_MAX)
        return false;
    *number = static_cast<int>(value);
    return true;
}

// A DADOS key "k,j" as "%i,%i" writes it (k may be negative).
bool ReadPropertyKey(std::string_view text, int* key, int* position)
{
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos)
        return false;
    std::string_view keyText = text.substr(0, comma);
    const bool negative = !keyText.empty() && keyText.front() == '-';
    if (negative)
        keyText.remove_prefix(1);
    if (!ReadKeyNumber(keyText, key) || (negative && *key == 0) || !ReadKeyNumber(text.substr(comma + 1), position))
        return false;
    if (negative)
        *key = -*key;
    return true;
}

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

void PageLoader::Report(const CString& line)
{
    if (report_)
        report_(line);
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
    const CString idcname = ReadValue("MAINWINDOW", "idcname");
    const CString caption = ReadValue("MAINWINDOW", "caption");
    const CString bkimage = RemoveBraces(ReadValue("MAINWINDOW", "bkimage").view());
    const CString border = ReadValue("MAINWINDOW", "border");
    const CString startup = ReadValue("MAINWINDOW", "startup");
    const CString bkcolor = ReadValue("MAINWINDOW", "bkcolor");
    const CString width = ReadValue("MAINWINDOW", "width");
    const CString height = ReadValue("MAINWINDOW", "height");
    const CString soundfile = RemoveBraces(ReadValue("MAINWINDOW", "soundfile").view());
    const CString minwindow = ReadValue("MAINWINDOW", "minwindow");
    const CString maxwindow = ReadValue("MAINWINDOW", "maxwindow");
    const CString closewindow = ReadValue("MAINWINDOW", "closewindow");
    FontSpec font;
    font.face = ReadValue("MAINWINDOW", "fontname");
    font.points = ReadLeadingInteger(ReadValue("MAINWINDOW", "fontsize").view());
    font.bold = FontSwitch(ReadValue("MAINWINDOW", "fontbold").view());
    font.italic = FontSwitch(ReadValue("MAINWINDOW", "fontitalic").view());
    model_.Settings.width = ReadLeadingInteger(width.view());
    model_.Settings.height = ReadLeadingInteger(height.view());

    model_.SetProperty("", idcname, PropIdcName);
    model_.SetProperty("", caption, PropCaption);
    model_.SetProperty("", bkcolor, PropBkColor);
    model_.SetProperty("", border, PropBorder);
    model_.SetProperty("", bkimage, PropBkImage);
    model_.SetProperty("", soundfile, PropSoundFile);
    model_.SetProperty("", startup, PropStartup);
    model_.SetProperty("", minwindow, PropMinWindow);
    model_.SetProperty("", maxwindow, PropMaxWindow);
    model_.SetProperty("", closewindow, PropCloseWindow);
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
            Report(CString::Format("INFO key %d: the page has 70 controls already; the control is left out", key));
            continue;
        }
        if (linesRead == MaxInfoLinesRead) {
            if (!report_)
                break;
            Report(CString::Format("INFO key %d: not read; a page is read no further than %d INFO lines", key,
                                   MaxInfoLinesRead));
            continue;
        }
        ++linesRead;
        DefinitionLine line = SplitDefinitionLine(ReadValue("INFO", CString::Format("%d", key)).view());
        const std::optional<ControlKind> kind = FindControlKind(line.Field(FieldKind).view());
        if (!kind) {
            Report(CString::Format("INFO key %d: \"%s\" is no control kind; the line creates nothing", key,
                                   line.Field(FieldKind).GetString()));
            continue;
        }
        int& inPool = planned[static_cast<std::size_t>(PoolOf(*kind))];
        if (inPool == MaxKindControls) {
            Report(CString::Format("INFO key %d: the page has 15 %s controls already; the control is left out", key,
                                   PoolKeywords(PoolOf(*kind))));
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
                               propertyKey, position, infoKey));
    }
}
