#include "tools/distcheck/resource_formats.h"

#include <gtest/gtest.h>

#include <functional>

#include "tools/distcheck/tests/pe_builder.h"

namespace distcheck {
namespace {

using namespace testimage;

TEST(FindString, TakesTheStringFromItsBlockOfSixteen)
{
    TestImage built;
    built.resources = {
        {kResourceString, 7, StringBlock({{7, "Windows sockets initialization failed."}, {8, "next"}})},
        {kResourceString, 9, StringBlock({{0, "kelrun"}})},
    };
    PeImage image;
    std::string error;
    ASSERT_TRUE(image.Parse(BuildImage(built), &error)) << error;
    const struct {
        std::uint16_t id;
        bool found;
        const char* text;
    } cases[] = {
        {103, true, "Windows sockets initialization failed."},
        {104, true, "next"},
        {102, false, ""},  // an empty slot of the block
        {128, true, "kelrun"},
        {129, false, ""},
        {112, false, ""},  // block 8 is missing
        {0, false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        std::string text;
        EXPECT_EQ(FindString(image, c.id, &text), c.found);
        if (c.found) {
            EXPECT_EQ(text, c.text);
        }
    }
}

TEST(FindString, RejectsABlockCutShort)
{
    Bytes block = StringBlock({{0, "kelrun"}});
    block.resize(block.size() - 4);
    TestImage built;
    built.resources = {{kResourceString, 9, block}};
    PeImage image;
    std::string error;
    ASSERT_TRUE(image.Parse(BuildImage(built), &error)) << error;
    std::string text;
    EXPECT_TRUE(FindString(image, 128, &text));  // the first string is whole
    EXPECT_FALSE(FindString(image, 143, &text));
}

TEST(ParseMenu, ReadsNestedPopupsInOrder)
{
    const std::vector<MenuItem> items = {
        {0, true, 0, "&File"},  {1, false, 100, "&Open"}, {1, true, 0, "Recent"},
        {2, false, 101, "one"}, {1, false, 0, ""},         {1, false, 0xE141, "Close"},
        {0, true, 0, "Help"},   {1, false, 102, "About"},
    };
    std::vector<MenuItem> parsed;
    ASSERT_TRUE(ParseMenu(MenuTemplate(items), &parsed));
    ASSERT_EQ(parsed.size(), items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(parsed[i].depth, items[i].depth);
        EXPECT_EQ(parsed[i].popup, items[i].popup);
        EXPECT_EQ(parsed[i].id, items[i].id);
        EXPECT_EQ(parsed[i].text, items[i].text);
    }
    Bytes extended = MenuTemplate(items);
    extended[0] = 1;  // the extended template
    EXPECT_FALSE(ParseMenu(extended, &parsed));
}

// Every resource reader fails on every proper prefix of a sound resource
// (and, under the sanitizers, never reads past it).
TEST(ResourceFormats, RejectEveryCutShortResource)
{
    const struct {
        const char* name;
        Bytes whole;
        std::function<bool(const Bytes&)> parse;
    } cases[] = {
        {"menu", MenuTemplate({{0, true, 0, "popup"}, {1, false, 0xE141, "Close"}}),
         [](const Bytes& b) { std::vector<MenuItem> items; return ParseMenu(b, &items); }},
        {"icon group", IconGroup({{1, 40}, {2, 60}}),
         [](const Bytes& b) { std::vector<IconGroupEntry> e; return ParseIconGroup(b, &e); }},
        {"dialog", Dialog(0x80C800C0, "Dialog"),
         [](const Bytes& b) { DialogTemplate d; return ParseDialog(b, &d); }},
        {"extended dialog", Dialog(0x80C800C0, "Dialog", true),
         [](const Bytes& b) { DialogTemplate d; return ParseDialog(b, &d); }},
        {"version", VersionBlock({{"OriginalFilename", "kelrun.exe"}}),
         [](const Bytes& b) { VersionInfo v; return ParseVersionInfo(b, &v); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(c.parse(c.whole));
        for (std::size_t size = 0; size < c.whole.size(); ++size)
            EXPECT_FALSE(c.parse(Bytes(c.whole.begin(), c.whole.begin() + static_cast<std::ptrdiff_t>(size))))
                << "cut to " << size << " of " << c.whole.size();
    }
}

TEST(ParseIconGroup, ListsTheIconsItNames)
{
    std::vector<IconGroupEntry> entries;
    ASSERT_TRUE(ParseIconGroup(IconGroup({{1, 40}, {7, 1128}}), &entries));
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].iconId, 1);
    EXPECT_EQ(entries[0].bytes, 40u);
    EXPECT_EQ(entries[1].iconId, 7);
    EXPECT_EQ(entries[1].bytes, 1128u);
    EXPECT_EQ(entries[1].width, 32);
    EXPECT_EQ(entries[1].bitCount, 32);

    Bytes cursorGroup = IconGroup({{1, 40}});
    cursorGroup[2] = 2;  // a cursor group, not an icon group
    EXPECT_FALSE(ParseIconGroup(cursorGroup, &entries));
}

TEST(ParseDialog, ReadsStandardAndExtendedTemplates)
{
    for (bool extended : {false, true}) {
        SCOPED_TRACE(extended ? "extended" : "standard");
        DialogTemplate dialog;
        ASSERT_TRUE(ParseDialog(Dialog(0x80C800C0, "Page", extended), &dialog));
        EXPECT_EQ(dialog.extended, extended);
        EXPECT_EQ(dialog.style, 0x80C800C0u);
        EXPECT_EQ(dialog.width, 186);
        EXPECT_EQ(dialog.height, 90);
        EXPECT_EQ(dialog.caption, "Page");
        // Without DS_SETFONT there is no font part to read.
        ASSERT_TRUE(ParseDialog(Dialog(0x80C80080, "", extended), &dialog));
        EXPECT_EQ(dialog.caption, "");
    }
}

TEST(ParseVersionInfo, ReadsTheFixedPartAndTheStrings)
{
    VersionInfo info;
    ASSERT_TRUE(ParseVersionInfo(
        VersionBlock({{"FileDescription", "Parvane Uninstaller"}, {"OriginalFilename", "kelrun.exe"},
                      {"Comments", ""}}),
        &info));
    EXPECT_EQ(info.fileVersionHigh, 0x00010000u);
    EXPECT_EQ(info.fileVersionLow, 0x00000001u);
    EXPECT_EQ(info.strings["FileDescription"], "Parvane Uninstaller");
    EXPECT_EQ(info.strings["OriginalFilename"], "kelrun.exe");
    EXPECT_EQ(info.strings.count("Comments"), 1u);

    Bytes wrongSignature = VersionBlock({});
    const std::size_t fixedPart = 40;  // after the header and "VS_VERSION_INFO"
    ASSERT_EQ(wrongSignature[fixedPart], 0xBD);
    wrongSignature[fixedPart] = 0;
    EXPECT_FALSE(ParseVersionInfo(wrongSignature, &info));
    Bytes wrongKey = VersionBlock({});
    wrongKey[6] = 'X';
    EXPECT_FALSE(ParseVersionInfo(wrongKey, &info));
}

TEST(ManifestExecutionLevel, FindsTheLevelOfTheRealElementOnly)
{
    const struct {
        const char* name;
        const char* manifest;
        const char* level;
    } cases[] = {
        {"the test manifest", kTestManifest, "requireAdministrator"},
        {"single quotes and blanks",
         "<requestedExecutionLevel  uiAccess = 'false'  level = 'highestAvailable' />",
         "highestAvailable"},
        {"namespace prefix", "<asmv3:requestedExecutionLevel asmv3:level=\"asInvoker\"/>",
         "asInvoker"},
        {"only in a comment",
         "<!-- <requestedExecutionLevel level=\"requireAdministrator\"/> --><assembly/>", ""},
        {"a comment before the real one",
         "<!-- <requestedExecutionLevel level=\"requireAdministrator\"/> -->"
         "<requestedExecutionLevel level=\"asInvoker\"/>",
         "asInvoker"},
        {"level text inside another attribute",
         "<requestedExecutionLevel note=\"level='requireAdministrator'\" level=\"asInvoker\"/>",
         "asInvoker"},
        {"no level attribute", "<requestedExecutionLevel uiAccess=\"false\"/>", ""},
        {"a longer element name", "<requestedExecutionLevels level=\"requireAdministrator\"/>", ""},
        {"no element", "<assembly><trustInfo/></assembly>", ""},
        {"unterminated value", "<requestedExecutionLevel level=\"requireAdministrator", ""},
        {"unterminated comment", "<!-- <requestedExecutionLevel level=\"asInvoker\"/>", ""},
        {"empty", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ManifestExecutionLevel(c.manifest), c.level);
    }
}

}  // namespace
}  // namespace distcheck
