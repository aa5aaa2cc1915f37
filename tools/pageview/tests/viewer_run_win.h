// Runs the page viewer as a caller that reads its standard output does, and
// reads the listing it prints.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "tests/support/test_support_win.h"

namespace viewertest {

constexpr DWORD kViewerTimeoutMs = 60000;

// The viewer under test and the folder of the sample pages (Windows paths).
std::string ViewerProgram();
std::string SamplePages();

using ViewerRun = testsupport::ProgramRun;
// Runs pageview.exe with the arguments in `folder` (its current folder),
// its standard output redirected to a file, and waits for its end.
ViewerRun RunViewer(const std::vector<std::string>& arguments, const std::string& folder);

std::vector<std::string> SplitTabs(const std::string& line);

// One "control" line of the listing.
struct ListedControl {
    int record = 0;
    int id = 0;
    std::string idName;
    std::string kind;
    int kindIndex = 0;
    std::string className;  // "-" when the control has no window
    unsigned long style = 0;
    unsigned long exStyle = 0;
    RECT window{};          // page client coordinates
    RECT registered{};
    std::string text;
    std::string font;       // "face,height,weight,italic,underline" or "-"
};
// The "page" line's fields.
struct ListedPage {
    std::string caption;
    unsigned long style = 0;
    unsigned long exStyle = 0;
    RECT window{};  // screen coordinates
    int controls = -1;
    std::string font;
};
struct Listing {
    bool found = false;  // a page line was there
    ListedPage page;
    std::vector<ListedControl> controls;
    std::vector<std::string> other;  // lines that are neither
    const ListedControl* ByIdName(const std::string& idName) const;
};
Listing ReadListing(const std::vector<std::string>& lines);

}  // namespace viewertest
