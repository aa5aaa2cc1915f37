#include "tools/pageview/tests/viewer_run_win.h"

#include <cstdlib>
#include <sstream>

#include "tests/support/test_support_win.h"
#include "tools/uidriver/process_win.h"

namespace viewertest {

std::string ViewerProgram()
{
    return testsupport::WindowsPathOf(PAGEVIEW_PROGRAM);
}

std::string SamplePages()
{
    return testsupport::WindowsPathOf(PAGEVIEW_TEST_PAGES);
}

ViewerRun RunViewer(const std::vector<std::string>& arguments, const std::string& folder)
{
    std::vector<std::string> all{ViewerProgram()};
    all.insert(all.end(), arguments.begin(), arguments.end());
    return testsupport::RunWithOutput(uidriver::BuildCommandLine(all), folder, kViewerTimeoutMs);
}

std::vector<std::string> SplitTabs(const std::string& line)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos)
            return fields;
        start = tab + 1;
    }
}

namespace {

RECT ReadRect(const std::string& text)
{
    RECT rect{};
    std::sscanf(text.c_str(), "%ld,%ld,%ld,%ld", &rect.left, &rect.top, &rect.right, &rect.bottom);
    return rect;
}

unsigned long ReadHex(const std::string& text)
{
    return std::strtoul(text.c_str(), nullptr, 16);
}

}  // namespace

const ListedControl* Listing::ByIdName(const std::string& idName) const
{
    for (const ListedControl& control : controls) {
        if (control.idName == idName)
            return &control;
    }
    return nullptr;
}

Listing ReadListing(const std::vector<std::string>& lines)
{
    Listing listing;
    for (const std::string& line : lines) {
        const std::vector<std::string> f = SplitTabs(line);
        if (f[0] == "page" && f.size() == 8) {
            listing.found = true;
            listing.page.caption = f[1];
            listing.page.style = ReadHex(f[2]);
            listing.page.exStyle = ReadHex(f[3]);
            listing.page.window = ReadRect(f[4]);
            listing.page.controls = std::atoi(f[6].c_str());
            listing.page.font = f[7];
        } else if (f[0] == "control" && f.size() == 13) {
            ListedControl control;
            control.record = std::atoi(f[1].c_str());
            control.id = std::atoi(f[2].c_str());
            control.idName = f[3];
            control.kind = f[4];
            control.kindIndex = std::atoi(f[5].c_str());
            control.className = f[6];
            control.style = ReadHex(f[7]);
            control.exStyle = ReadHex(f[8]);
            control.window = ReadRect(f[9]);
            control.registered = ReadRect(f[10]);
            control.text = f[11];
            control.font = f[12];
            listing.controls.push_back(control);
        } else {
            listing.other.push_back(line);
        }
    }
    return listing;
}

}  // namespace viewertest
