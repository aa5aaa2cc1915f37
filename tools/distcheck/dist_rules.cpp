#include "tools/distcheck/dist_rules.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace distcheck {
namespace {

// Libraries of Windows itself. A program that needs anything else (the
// compiler's runtime libraries above all: libgcc_s_*, libstdc++-6.dll,
// libwinpthread-1.dll) does not start on a machine without them.
const char* const kSystemLibraries[] = {
    "advapi32.dll", "comctl32.dll", "comdlg32.dll", "gdi32.dll",    "imm32.dll",
    "kernel32.dll", "msimg32.dll",  "msvcrt.dll",   "ole32.dll",    "oleaut32.dll",
    "shell32.dll",  "shlwapi.dll",  "user32.dll",   "userenv.dll",  "uxtheme.dll",
    "version.dll",  "winmm.dll",    "ws2_32.dll",
};

constexpr std::uint16_t kManifestForPrograms = 1;

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string Hex(std::uint32_t value)
{
    std::ostringstream text;
    text << "0x" << std::hex << value;
    return text.str();
}

class Checks {
public:
    void Add(const std::string& what, bool passed, const std::string& detail = "")
    {
        results_.push_back({what, passed, passed ? std::string() : detail});
    }
    std::vector<CheckResult> Take() { return std::move(results_); }

private:
    std::vector<CheckResult> results_;
};

void CheckHeaders(const PeImage& image, Architecture architecture, const ProgramRules& rules, Checks* checks)
{
    const bool i386 = architecture == Architecture::kI386;
    const std::uint16_t machine = i386 ? kMachineI386 : kMachineAmd64;
    const bool wordSize = i386 ? !image.IsPe32Plus() && (image.Characteristics() & kFile32BitMachine)
                               : image.IsPe32Plus();
    checks->Add(i386 ? "machine i386, 32-bit image (PE32)" : "machine x86-64, 64-bit image (PE32+)",
                image.Machine() == machine && wordSize,
                "machine " + Hex(image.Machine()) + (image.IsPe32Plus() ? ", PE32+" : ", PE32") +
                    ", characteristics " + Hex(image.Characteristics()));
    checks->Add("a program, not a library",
                (image.Characteristics() & kFileExecutableImage) &&
                    !(image.Characteristics() & kFileDll),
                "characteristics " + Hex(image.Characteristics()));
    const std::uint16_t subsystem = rules.console ? kSubsystemWindowsConsole : kSubsystemWindowsGui;
    checks->Add(rules.console ? "subsystem Windows console" : "subsystem Windows GUI", image.Subsystem() == subsystem,
                "subsystem " + std::to_string(image.Subsystem()) +
                    (image.Subsystem() == kSubsystemWindowsConsole ? " (console)"
                     : image.Subsystem() == kSubsystemWindowsGui   ? " (GUI)"
                                                                   : ""));
}

void CheckImports(const PeImage& image, Checks* checks)
{
    std::string foreign;
    bool kernel = false;
    for (const std::string& library : image.ImportedLibraries()) {
        if (!IsSystemLibrary(library))
            foreign += (foreign.empty() ? "" : ", ") + library;
        kernel = kernel || Lower(library) == "kernel32.dll";
    }
    checks->Add("imports only Windows system libraries", foreign.empty(), "also imports " + foreign);
    // Every program imports kernel32; without it the import table was not read.
    checks->Add("imports kernel32.dll", kernel,
                std::to_string(image.ImportedLibraries().size()) + " libraries imported");
}

void CheckStrings(const PeImage& image, const ProgramRules& rules, Checks* checks)
{
    for (const ExpectedString& expected : rules.strings) {
        std::string text;
        const bool found = FindString(image, expected.id, &text);
        checks->Add("string " + std::to_string(expected.id) + " \"" + expected.text + "\"",
                    found && text == expected.text, found ? "reads \"" + text + "\"" : "missing");
    }
}

void CheckMenus(const PeImage& image, const ProgramRules& rules, Checks* checks)
{
    for (const ExpectedMenu& expected : rules.menus) {
        const std::string what = "menu " + std::to_string(expected.id);
        const Resource* resource = image.FindResource(kResourceMenu, expected.id);
        std::vector<MenuItem> items;
        if (!resource || !ParseMenu(resource->data, &items)) {
            checks->Add(what, false, resource ? "not a menu template" : "missing");
            continue;
        }
        const auto same = [](const MenuItem& a, const MenuItem& b) {
            return a.depth == b.depth && a.popup == b.popup && a.id == b.id && a.text == b.text;
        };
        std::string found;
        for (const MenuItem& item : items)
            found += (found.empty() ? "" : ", ") + std::string(item.depth * 2, ' ') + "\"" +
                     item.text + "\"" + (item.popup ? " (pop-up)" : " " + Hex(item.id));
        checks->Add(what,
                    std::equal(items.begin(), items.end(), expected.items.begin(),
                               expected.items.end(), same),
                    "holds " + found);
    }
}

void CheckIconGroups(const PeImage& image, const ProgramRules& rules, Checks* checks)
{
    for (std::uint16_t id : rules.iconGroups) {
        const std::string what = "icon group " + std::to_string(id);
        const Resource* group = image.FindResource(kResourceGroupIcon, id);
        std::vector<IconGroupEntry> entries;
        if (!group || !ParseIconGroup(group->data, &entries) || entries.empty()) {
            checks->Add(what, false, group ? "not an icon group, or empty" : "missing");
            continue;
        }
        std::string broken;
        for (const IconGroupEntry& entry : entries) {
            const Resource* icon = image.FindResource(kResourceIcon, entry.iconId);
            if (!icon || icon->data.size() != entry.bytes)
                broken += (broken.empty() ? "" : ", ") + std::string("icon ") +
                          std::to_string(entry.iconId) + (icon ? " of another size" : " missing");
        }
        checks->Add(what + " (" + std::to_string(entries.size()) + " images)", broken.empty(),
                    broken);
    }
}

void CheckDialogs(const PeImage& image, const ProgramRules& rules, Checks* checks)
{
    for (std::uint16_t id : rules.dialogs) {
        const Resource* resource = image.FindResource(kResourceDialog, id);
        DialogTemplate dialog;
        checks->Add("dialog template " + std::to_string(id),
                    resource && ParseDialog(resource->data, &dialog),
                    resource ? "not a dialog template" : "missing");
    }
}

void CheckVersion(const PeImage& image, const ProgramRules& rules, Checks* checks)
{
    if (!rules.versionInfo)
        return;
    const Resource* resource = image.FindResource(kResourceVersion, 1);
    VersionInfo info;
    if (!resource || !ParseVersionInfo(resource->data, &info)) {
        checks->Add("version information", false, resource ? "not a version block" : "missing");
        return;
    }
    const std::string name = info.strings["OriginalFilename"];
    checks->Add("version information of " + rules.fileName, Lower(name) == Lower(rules.fileName),
                "OriginalFilename \"" + name + "\"");
}

void CheckManifest(const PeImage& image, const ProgramRules& rules, Checks* checks)
{
    if (!rules.manifest)
        return;
    const Resource* resource = image.FindResource(kResourceManifest, kManifestForPrograms);
    if (!resource) {
        checks->Add("manifest", false, "missing (type 24, resource 1)");
        return;
    }
    const std::string text(resource->data.begin(), resource->data.end());
    const std::string level = ManifestExecutionLevel(text);
    checks->Add("manifest asks for " + rules.executionLevel, level == rules.executionLevel,
                level.empty() ? "no requestedExecutionLevel" : "level \"" + level + "\"");
    if (!rules.manifestSource.empty())
        checks->Add("manifest is the project's own", text == rules.manifestSource,
                    std::to_string(text.size()) + " bytes that differ from the source's " +
                        std::to_string(rules.manifestSource.size()));
}

}  // namespace

ProgramRules KelrunRules()
{
    ProgramRules rules;
    rules.fileName = "kelrun.exe";
    rules.strings = {{103, "Windows sockets initialization failed."}, {128, "kelrun"}};
    // The hidden frame's menu: one pop-up holding "Close" (ID_APP_EXIT).
    rules.menus = {{128, {{0, true, 0, "popup"}, {1, false, 0xE141, "Close"}}}};
    rules.iconGroups = {128};
    rules.dialogs = {131};
    rules.versionInfo = true;
    rules.manifest = true;
    rules.executionLevel = "requireAdministrator";
    return rules;
}

ProgramRules PelmoraRules()
{
    ProgramRules rules;
    rules.fileName = "Pelmora.exe";
    rules.iconGroups = {1};
    return rules;
}

ProgramRules PageViewRules()
{
    ProgramRules rules;
    rules.fileName = "pageview.exe";
    rules.iconGroups = {132, 133, 134, 135, 136, 137, 138, 141};
    rules.dialogs = {131};
    return rules;
}

ProgramRules KelcheckRules()
{
    ProgramRules rules;
    rules.fileName = "kelcheck.exe";
    rules.console = true;
    return rules;
}

bool IsSystemLibrary(const std::string& name)
{
    const std::string lower = Lower(name);
    return std::any_of(std::begin(kSystemLibraries), std::end(kSystemLibraries),
                       [&](const char* library) { return lower == library; });
}

std::vector<CheckResult> CheckProgram(const PeImage& image, Architecture architecture,
                                      const ProgramRules& rules)
{
    Checks checks;
    CheckHeaders(image, architecture, rules, &checks);
    CheckImports(image, &checks);
    CheckManifest(image, rules, &checks);
    CheckStrings(image, rules, &checks);
    CheckMenus(image, rules, &checks);
    CheckIconGroups(image, rules, &checks);
    CheckDialogs(image, rules, &checks);
    CheckVersion(image, rules, &checks);
    return checks.Take();
}

}  // namespace distcheck
