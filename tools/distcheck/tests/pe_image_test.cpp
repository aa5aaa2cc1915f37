#include "tools/distcheck/pe_image.h"

#include <gtest/gtest.h>

#include <functional>

#include "tools/distcheck/tests/pe_builder.h"

namespace distcheck {
namespace {

using namespace testimage;

PeImage Parsed(const TestImage& built)
{
    PeImage image;
    std::string error;
    EXPECT_TRUE(image.Parse(BuildImage(built), &error)) << error;
    return image;
}

TEST(PeImage, ReadsTheHeadersOfBothWordSizes)
{
    const struct {
        const char* name;
        std::uint16_t machine;
        bool pe32Plus;
        std::uint16_t characteristics;
        std::uint16_t subsystem;
    } cases[] = {
        {"32-bit program", kMachineI386, false, kFileExecutableImage | kFile32BitMachine,
         kSubsystemWindowsGui},
        {"64-bit program", kMachineAmd64, true, kFileExecutableImage, kSubsystemWindowsGui},
        {"console program", kMachineI386, false, kFileExecutableImage, kSubsystemWindowsConsole},
        {"library", kMachineAmd64, true, kFileExecutableImage | kFileDll, kSubsystemWindowsGui},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestImage built;
        built.machine = c.machine;
        built.pe32Plus = c.pe32Plus;
        built.characteristics = c.characteristics;
        built.subsystem = c.subsystem;
        const PeImage image = Parsed(built);
        EXPECT_EQ(image.Machine(), c.machine);
        EXPECT_EQ(image.IsPe32Plus(), c.pe32Plus);
        EXPECT_EQ(image.Characteristics(), c.characteristics);
        EXPECT_EQ(image.Subsystem(), c.subsystem);
    }
}

TEST(PeImage, ListsImportedAndDelayLoadedLibraries)
{
    for (bool pe32Plus : {false, true}) {
        SCOPED_TRACE(pe32Plus ? "PE32+" : "PE32");
        TestImage built;
        built.pe32Plus = pe32Plus;
        built.imports = {"KERNEL32.dll", "libstdc++-6.dll"};
        built.delayImports = {"libgcc_s_dw2-1.dll"};
        EXPECT_EQ(Parsed(built).ImportedLibraries(),
                  (std::vector<std::string>{"KERNEL32.dll", "libstdc++-6.dll", "libgcc_s_dw2-1.dll"}));
        built.imports.clear();
        built.delayImports.clear();
        EXPECT_TRUE(Parsed(built).ImportedLibraries().empty());
    }
}

TEST(PeImage, ReadsEveryResourceWithTypeNameAndLanguage)
{
    TestImage built;
    built.resources = {
        {kResourceIcon, 1, {1, 2, 3}},
        {kResourceIcon, 2, {4}, "", 0x407},
        {kResourceManifest, 1, Text("<assembly/>")},
        {kResourceDialog, 0, {9, 9}, "SETTINGS"},
    };
    const PeImage image = Parsed(built);
    ASSERT_EQ(image.Resources().size(), 4u);
    const Resource* icon = image.FindResource(kResourceIcon, 2);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->data, (Bytes{4}));
    EXPECT_EQ(icon->language, 0x407);
    ASSERT_NE(image.FindResource(kResourceManifest, 1), nullptr);
    EXPECT_EQ(image.FindResource(kResourceManifest, 1)->data, Text("<assembly/>"));
    EXPECT_EQ(image.FindResource(kResourceManifest, 2), nullptr);
    EXPECT_EQ(image.FindResource(kResourceMenu, 1), nullptr);
    // A named resource is found by name only, never as number 0.
    EXPECT_EQ(image.FindResource(kResourceDialog, 0), nullptr);
    bool named = false;
    for (const Resource& resource : image.Resources())
        named = named || (resource.name.isText && resource.name.text == "SETTINGS" &&
                          resource.type.id == kResourceDialog);
    EXPECT_TRUE(named);
}

TEST(PeImage, RejectsImagesWhoseTablesPointOutsideTheFile)
{
    // Offsets in a built image: the new header at 0x40, the file header
    // after its signature, the optional header after that; the one section's
    // data from 0x400, import descriptors first.
    const std::size_t fileHeader = 0x44;
    const std::size_t optionalHeader = 0x58;
    const std::size_t firstImportName = 0x400 + 12;
    const struct {
        const char* name;
        std::function<void(Bytes*)> damage;
    } cases[] = {
        {"empty file", [](Bytes* b) { b->clear(); }},
        {"no MZ", [](Bytes* b) { (*b)[0] = 'X'; }},
        {"new header past the end", [](Bytes* b) { (*b)[0x3C] = 0xFF; (*b)[0x3F] = 0x7F; }},
        {"no PE signature", [](Bytes* b) { (*b)[0x41] = 'X'; }},
        {"unknown optional header", [=](Bytes* b) { (*b)[optionalHeader + 1] = 0x07; }},
        {"optional header larger than the file",
         [=](Bytes* b) { (*b)[fileHeader + 17] = 0xFF; }},
        {"section table past the end", [=](Bytes* b) { (*b)[fileHeader + 3] = 0x40; }},
        {"import name outside every section",
         [=](Bytes* b) { (*b)[firstImportName + 2] = 0x7F; }},
        {"cut in the middle of its data", [](Bytes* b) { b->resize(b->size() - 64); }},
        {"cut after the headers", [](Bytes* b) { b->resize(0x400); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes bytes = BuildImage(KelrunImage());
        c.damage(&bytes);
        PeImage image;
        std::string error;
        EXPECT_FALSE(image.Parse(bytes, &error));
        EXPECT_FALSE(error.empty());
    }
}

TEST(PeImage, ReadsAnyCutOfAnImageWithoutReadingPastIt)
{
    // Under the sanitizers this finds every read past the end; the result
    // itself must be a failure for every cut that loses a table.
    const Bytes whole = BuildImage(KelrunImage());
    for (std::size_t size = 0; size < whole.size(); size += 7) {
        PeImage image;
        std::string error;
        EXPECT_FALSE(image.Parse(Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size)), &error))
            << size;
    }
}

TEST(Utf16ToUtf8, EncodesEveryPlaneAndReplacesLoneSurrogates)
{
    const struct {
        std::u16string in;
        std::string out;
    } cases[] = {
        {u"kelrun", "kelrun"},
        {u"", ""},
        {u"Gr\u00FC\u00DFe", "Gr\xC3\xBC\xC3\x9F" "e"},
        {u"\u20AC", "\xE2\x82\xAC"},
        {u"\U0001F600", "\xF0\x9F\x98\x80"},
        {std::u16string(1, char16_t(0xD800)) + u"x", "\xEF\xBF\xBDx"},
        {std::u16string(1, char16_t(0xDC00)), "\xEF\xBF\xBD"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.out);
        EXPECT_EQ(Utf16ToUtf8(c.in), c.out);
    }
}

}  // namespace
}  // namespace distcheck
