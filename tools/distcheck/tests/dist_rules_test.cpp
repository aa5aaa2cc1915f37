#include "tools/distcheck/dist_rules.h"

#include <gtest/gtest.h>

#include <functional>

#include "tools/distcheck/tests/pe_builder.h"

namespace distcheck {
namespace {

using namespace testimage;

std::vector<CheckResult> Check(const TestImage& built, Architecture architecture,
                               const ProgramRules& rules)
{
    PeImage image;
    std::string error;
    EXPECT_TRUE(image.Parse(BuildImage(built), &error)) << error;
    return CheckProgram(image, architecture, rules);
}

std::vector<std::string> Failed(const std::vector<CheckResult>& results)
{
    std::vector<std::string> failed;
    for (const CheckResult& result : results)
        if (!result.passed)
            failed.push_back(result.what + ": " + result.detail);
    return failed;
}

ProgramRules KelrunWithSource()
{
    ProgramRules rules = KelrunRules();
    rules.manifestSource = kTestManifest;
    return rules;
}

// Expects exactly one failed check, the one whose name starts with `what`.
void ExpectOnlyFailure(const std::vector<CheckResult>& results, const std::string& what)
{
    SCOPED_TRACE("expected to fail: " + what);
    const std::vector<std::string> failed = Failed(results);
    ASSERT_EQ(failed.size(), 1u) << ::testing::PrintToString(failed);
    EXPECT_EQ(failed[0].compare(0, what.size(), what), 0) << failed[0];
}

TEST(DistRules, ASoundKelrunPassesEveryCheck)
{
    const std::vector<CheckResult> results =
        Check(KelrunImage(), Architecture::kI386, KelrunWithSource());
    EXPECT_TRUE(Failed(results).empty()) << ::testing::PrintToString(Failed(results));
    // Headers, imports, manifest (level and text), two strings, the menu,
    // the icon group, the dialog and the version: nothing was left out.
    EXPECT_EQ(results.size(), 13u);
}

TEST(DistRules, EachBrokenPropertyFailsItsOwnCheck)
{
    const struct {
        const char* name;
        std::function<void(TestImage*)> breakIt;
        const char* failing;
        bool againstSource = true;  // compare the manifest with the project's file
    } cases[] = {
        {"console program", [](TestImage* i) { i->subsystem = kSubsystemWindowsConsole; },
         "subsystem Windows GUI"},
        {"64-bit machine", [](TestImage* i) { i->machine = kMachineAmd64; }, "machine i386"},
        {"PE32+ header", [](TestImage* i) { i->pe32Plus = true; }, "machine i386"},
        {"no 32-bit flag", [](TestImage* i) { i->characteristics = kFileExecutableImage; },
         "machine i386"},
        {"a library", [](TestImage* i) { i->characteristics |= kFileDll; },
         "a program, not a library"},
        {"C++ runtime", [](TestImage* i) { i->imports.push_back("libstdc++-6.dll"); },
         "imports only Windows system libraries"},
        {"thread runtime", [](TestImage* i) { i->imports.push_back("libwinpthread-1.dll"); },
         "imports only Windows system libraries"},
        {"delay-loaded gcc runtime",
         [](TestImage* i) { i->delayImports.push_back("libgcc_s_dw2-1.dll"); },
         "imports only Windows system libraries"},
        {"no import table read", [](TestImage* i) { i->imports = {"USER32.dll"}; },
         "imports kernel32.dll"},
        {"manifest as invoker",
         [](TestImage* i) {
             std::string text = kTestManifest;
             text.replace(text.find("requireAdministrator"), 20, "asInvoker");
             SetResource(i, kResourceManifest, 1, Text(text));
         },
         "manifest asks for requireAdministrator", false},
        {"manifest of another text",
         [](TestImage* i) {
             SetResource(i, kResourceManifest, 1, Text(std::string(kTestManifest) + " "));
         },
         "manifest is the project's own"},
        {"manifest missing", [](TestImage* i) { SetResource(i, kResourceManifest, 1, {}); },
         "manifest"},
        {"manifest as resource 2",
         [](TestImage* i) {
             SetResource(i, kResourceManifest, 1, {});
             SetResource(i, kResourceManifest, 2, Text(kTestManifest));
         },
         "manifest"},
        {"string 103 missing",
         [](TestImage* i) { SetResource(i, kResourceString, 7, StringBlock({})); }, "string 103"},
        {"string 128 of another text",
         [](TestImage* i) { SetResource(i, kResourceString, 9, StringBlock({{0, "Kelrun"}})); },
         "string 128"},
        {"menu missing", [](TestImage* i) { SetResource(i, kResourceMenu, 128, {}); }, "menu 128"},
        {"menu with another item",
         [](TestImage* i) {
             SetResource(i, kResourceMenu, 128,
                         MenuTemplate({{0, true, 0, "popup"}, {1, false, 0xE140, "Close"}}));
         },
         "menu 128"},
        {"menu with one item more",
         [](TestImage* i) {
             SetResource(i, kResourceMenu, 128,
                         MenuTemplate({{0, true, 0, "popup"},
                                       {1, false, 0xE141, "Close"},
                                       {1, false, 1, "More"}}));
         },
         "menu 128"},
        {"icon group missing", [](TestImage* i) { SetResource(i, kResourceGroupIcon, 128, {}); },
         "icon group 128"},
        {"icon group under another id",
         [](TestImage* i) {
             SetResource(i, kResourceGroupIcon, 128, {});
             SetResource(i, kResourceGroupIcon, 1, IconGroup({{1, 40}}));
         },
         "icon group 128"},
        {"icon of the group missing", [](TestImage* i) { SetResource(i, kResourceIcon, 2, {}); },
         "icon group 128"},
        {"icon of another size",
         [](TestImage* i) { SetResource(i, kResourceIcon, 2, Bytes(61, 2)); }, "icon group 128"},
        {"dialog missing", [](TestImage* i) { SetResource(i, kResourceDialog, 131, {}); },
         "dialog template 131"},
        {"dialog that is no template",
         [](TestImage* i) { SetResource(i, kResourceDialog, 131, Bytes(10, 0xAB)); },
         "dialog template 131"},
        {"version missing", [](TestImage* i) { SetResource(i, kResourceVersion, 1, {}); },
         "version information"},
        {"version of another program",
         [](TestImage* i) {
             SetResource(i, kResourceVersion, 1, VersionBlock({{"OriginalFilename", "Pelmora.exe"}}));
         },
         "version information"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestImage image = KelrunImage();
        c.breakIt(&image);
        ExpectOnlyFailure(
            Check(image, Architecture::kI386, c.againstSource ? KelrunWithSource() : KelrunRules()),
            c.failing);
    }
}

TEST(DistRules, TheArchitectureDecidesWhichHeadersPass)
{
    TestImage wide = KelrunImage();
    wide.machine = kMachineAmd64;
    wide.pe32Plus = true;
    wide.characteristics = kFileExecutableImage;
    EXPECT_TRUE(Failed(Check(wide, Architecture::kX86_64, KelrunWithSource())).empty());
    ExpectOnlyFailure(Check(wide, Architecture::kI386, KelrunWithSource()), "machine i386");
    ExpectOnlyFailure(Check(KelrunImage(), Architecture::kX86_64, KelrunWithSource()),
                      "machine x86-64");
}

TEST(DistRules, PelmoraNeedsItsIconOnly)
{
    TestImage pelmora;
    pelmora.resources = {
        {kResourceIcon, 1, Bytes(40, 1)},
        {kResourceGroupIcon, 1, IconGroup({{1, 40}})},
    };
    const std::vector<CheckResult> results = Check(pelmora, Architecture::kI386, PelmoraRules());
    EXPECT_TRUE(Failed(results).empty()) << ::testing::PrintToString(Failed(results));
    EXPECT_EQ(results.size(), 6u);

    SetResource(&pelmora, kResourceGroupIcon, 1, {});
    ExpectOnlyFailure(Check(pelmora, Architecture::kI386, PelmoraRules()), "icon group 1");
    pelmora.subsystem = kSubsystemWindowsConsole;
    EXPECT_EQ(Failed(Check(pelmora, Architecture::kI386, PelmoraRules())).size(), 2u);
}

TEST(DistRules, PageViewNeedsThePageTemplateAndEveryPageIcon)
{
    TestImage viewer;
    viewer.resources = {{kResourceDialog, 131, Dialog(0x80C800C0, "Dialog")}};
    const std::uint16_t groups[] = {132, 133, 134, 135, 136, 137, 138, 141};
    for (const std::uint16_t group : groups) {
        viewer.resources.push_back({kResourceIcon, group, Bytes(40, 1)});
        viewer.resources.push_back({kResourceGroupIcon, group, IconGroup({{group, 40}})});
    }
    const std::vector<CheckResult> results = Check(viewer, Architecture::kI386, PageViewRules());
    EXPECT_TRUE(Failed(results).empty()) << ::testing::PrintToString(Failed(results));

    TestImage noFolderIcon = viewer;
    SetResource(&noFolderIcon, kResourceGroupIcon, 136, {});
    ExpectOnlyFailure(Check(noFolderIcon, Architecture::kI386, PageViewRules()), "icon group 136");
    TestImage noTemplate = viewer;
    SetResource(&noTemplate, kResourceDialog, 131, {});
    ExpectOnlyFailure(Check(noTemplate, Architecture::kI386, PageViewRules()), "dialog template 131");
}

TEST(DistRules, KelcheckIsAConsoleProgram)
{
    TestImage checker;
    checker.subsystem = kSubsystemWindowsConsole;
    const std::vector<CheckResult> results = Check(checker, Architecture::kI386, KelcheckRules());
    EXPECT_TRUE(Failed(results).empty()) << ::testing::PrintToString(Failed(results));
    checker.subsystem = kSubsystemWindowsGui;
    ExpectOnlyFailure(Check(checker, Architecture::kI386, KelcheckRules()), "subsystem Windows console");
}

TEST(DistRules, SystemLibrariesAreKnownByNameInAnyCase)
{
    const struct {
        const char* name;
        bool system;
    } cases[] = {
        {"KERNEL32.dll", true},      {"kernel32.DLL", true},       {"COMCTL32.DLL", true},
        {"msvcrt.dll", true},        {"WS2_32.dll", true},         {"kernel32", false},
        {"libstdc++-6.dll", false},  {"libgcc_s_seh-1.dll", false}, {"libwinpthread-1.dll", false},
        {"kernel32.dll.evil", false}, {"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(IsSystemLibrary(c.name), c.system);
    }
}

}  // namespace
}  // namespace distcheck
