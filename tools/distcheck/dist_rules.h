// What each shipped program must be, checked on its file alone: the
// processor and subsystem it is built for, the libraries it needs on the
// user's machine, and the resources it carries.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/distcheck/pe_image.h"
#include "tools/distcheck/resource_formats.h"

namespace distcheck {

enum class Architecture { kI386, kX86_64 };

struct ExpectedString {
    std::uint16_t id;
    std::string text;
};

struct ExpectedMenu {
    std::uint16_t id;
    std::vector<MenuItem> items;
};

struct ProgramRules {
    std::string fileName;  // as shipped, e.g. "kelrun.exe"
    bool console = false;  // a console program (kelcheck), not a GUI one
    std::vector<ExpectedString> strings;
    std::vector<ExpectedMenu> menus;
    std::vector<std::uint16_t> iconGroups;  // each with all the icons it lists
    std::vector<std::uint16_t> dialogs;
    bool versionInfo = false;  // whose OriginalFilename is fileName
    // The manifest (resource 1 of type 24, the one the loader reads for a
    // program): its execution level and, when given, its exact text.
    bool manifest = false;
    std::string executionLevel;
    std::string manifestSource;
};

ProgramRules KelrunRules();
ProgramRules PelmoraRules();
// The page viewer: the page window's template and the eight page icons.
ProgramRules PageViewRules();
// The product folder checker: a console program, without resources.
ProgramRules KelcheckRules();

struct CheckResult {
    std::string what;
    bool passed = false;
    std::string detail;  // what was found where it failed
};

// True for the libraries that every Windows installation has (any case).
bool IsSystemLibrary(const std::string& name);

std::vector<CheckResult> CheckProgram(const PeImage& image, Architecture architecture,
                                      const ProgramRules& rules);

}  // namespace distcheck
