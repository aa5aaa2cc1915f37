// Arbitrary bytes as a page file: read by the in-memory reader, loaded twice
// into one page (as a wizard's Back and Next do), with the model's tables
// checked after each load. Any broken rule aborts, so the fuzzer reports it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "uninstaller/common/lenient_integer.h"
#include "uninstaller/pages/memory_profile_reader.h"
#include "uninstaller/pages/null_page_surface.h"
#include "uninstaller/pages/page_loader.h"

namespace {

const char* const PagePath = "C:\\p\\theme\\uninstall.lcd";

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

// A page window that does nothing but count the controls it makes and
// destroys; pictures whose name ends in "b.bmp" "load" at 7 by 5.
class NullPage : public NullPageSurface {
public:
    int created = 0;
    int destroyed = 0;

    void SetIconIndex(const PageControl&, int index) override { Require(index >= 0 && index < 8); }
    void LoadPicture(const PageControl&, const CString& path) override { Require(!path.IsEmpty()); }
    void MakeDefaultButton(const PageControl& control) override { Require(control.IdName == "IDC_NEXT"); }

    ControlRect CreateControl(const ControlCreation& request) override
    {
        ++created;
        Require(request.kindIndex >= 0 && request.kindIndex < MaxKindControls);
        ControlRect rect = request.rect;
        const std::string_view image = request.imagePath.view();
        if (image.size() >= 5 && image.substr(image.size() - 5) == "b.bmp") {
            rect.right = rect.left + 7;
            rect.bottom = rect.top + 5;
        }
        return rect;
    }
    void DestroyControl(int) override { ++destroyed; }
};

// The controls a page keeps (kind, left edge), from the file alone: of the
// first 1000 INFO keys that "%i" writes below TOTAL, in order, those whose
// field 5 is a kind, 15 a kind (BITMAP and HOVER together) and 70 in all.
std::vector<std::pair<std::string, int>> ExpectedControls(MemoryProfileReader& reader)
{
    static const std::set<std::string> kinds = {"BUTTON", "BITMAP", "HOVER", "TEXT", "RECT", "TEXTBOX",
        "COMBOBOX", "RADIO", "HOTSPOT", "ANIMATION", "PROGRESS", "LISTVIEW", "GROUPBOX", "ICON", "FRAME",
        "TREEVIEW", "CHECKBOX", "RICHTEXT"};
    const long long total = ReadLeadingInteger(reader.ReadString(PagePath, "INFO", "TOTAL", 100).view());
    std::set<long long> keys;
    for (const CString& name : reader.ReadKeyNames(PagePath, "INFO")) {
        const long long key = std::strtoll(name.GetString(), nullptr, 10);
        if (key >= 0 && key < total && std::to_string(key) == name.view())
            keys.insert(key);
    }
    std::vector<std::pair<std::string, int>> kept;
    std::map<std::string, int> inPool;
    int read = 0;
    for (auto key = keys.begin(); key != keys.end() && read < 1000 && kept.size() < 70; ++key, ++read) {
        std::istringstream line(std::string(reader.ReadString(PagePath, "INFO", std::to_string(*key).c_str(), 555).view()));
        std::string fields[6];  // those the line lacks stay empty
        for (std::string& field : fields)
            std::getline(line, field, ',');
        if (kinds.count(fields[5]) && ++inPool[fields[5] == "HOVER" ? "BITMAP" : fields[5]] <= 15)
            kept.emplace_back(fields[5], ReadLeadingInteger(fields[1]));
    }
    return kept;
}

void CheckTables(const PageModel& model, const NullPage& page, const std::vector<std::pair<std::string, int>>& kept)
{
    const int count = model.ControlCount();
    Require(count == static_cast<int>(kept.size()));
    Require(page.created - page.destroyed == count);
    Require(model.NextControlId() == PageModel::FirstControlId + count);
    std::set<int> ids;
    std::set<std::pair<ControlPool, int>> slots;
    for (int index = 0; index < count; ++index) {
        const PageControl& control = model.Control(index);
        Require(control.PropCount >= 0 && control.PropCount <= MaxControlProperties);
        Require(control.KindIndex >= 0 && control.KindIndex < model.PoolCount(PoolOf(control.KindCode)));
        Require(control.Kind == KindInfo(control.KindCode).keyword);
        // Record i is the i-th control kept, made after those that follow it.
        Require(kept[static_cast<std::size_t>(index)] == std::make_pair(std::string(control.Kind.view()), control.Rect.left));
        Require(control.ControlId == PageModel::FirstControlId + count - 1 - index);
        Require(ids.insert(control.ControlId).second);
        Require(slots.insert({PoolOf(control.KindCode), control.KindIndex}).second);
        Require(model.FindRecordIndex(control.ControlId) == index);
        const int found = model.FindControlId(control.IdName);
        Require(found >= PageModel::FirstControlId && model.FindRecordIndex(found) <= index);
        // What stands before the first "-" holds no "-": an action is never
        // below -1, and -1 without properties.
        const int action = model.GetClickAction(index);
        Require(action >= -1 && (control.PropCount > 0 || action == -1));
    }
    for (int pool = 0; pool < ControlPoolCount; ++pool)
        Require(model.PoolCount(static_cast<ControlPool>(pool)) <= MaxKindControls);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    MemoryProfileReader reader;
    reader.SetFile(PagePath, std::string_view(reinterpret_cast<const char*>(data), size));
    NullPage page;
    PageModel model(page);
    std::size_t reported = 0;
    PageLoader loader(model, reader, page, [&reported](const CString& line) {
        Require(!line.IsEmpty());
        ++reported;
    });

    const auto kept = ExpectedControls(reader);
    loader.LoadPageFile(PagePath);
    CheckTables(model, page, kept);
    model.PageIndex = 1;
    model.PageCount = 3;
    loader.LoadPageFile(PagePath);
    CheckTables(model, page, kept);
    // Every report names one key the file holds: no more lines than lines.
    Require(reported <= 2 * (size + 1));
    return 0;
}
