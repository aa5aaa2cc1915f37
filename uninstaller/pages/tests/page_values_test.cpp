#include <gtest/gtest.h>

#include <string>

#include "uninstaller/pages/control_kind.h"
#include "uninstaller/pages/page_values.h"

namespace {

TEST(PageSwitches, CompareExactlyAndReadMissingFontSwitchesAsOn)
{
    const struct {
        const char* value;
        bool yes;
        bool no;
        int font;
    } cases[] = {
        {"Yes", true, false, 255}, {"yes", false, false, 255}, {"YES", false, false, 255},
        {" Yes", false, false, 255}, {"No", false, true, 0},   {"no", false, false, 255},
        {"", false, false, 255},     {"No ", false, false, 255},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(IsYes(c.value), c.yes);
        EXPECT_EQ(IsNo(c.value), c.no);
        EXPECT_EQ(FontSwitch(c.value), c.font);
    }
}

TEST(PageSwitches, AlignmentAndBorderReadOnlyTheFirstCharacter)
{
    const struct {
        const char* value;
        const char* alignment;  // null: none applied
        BorderSwitch border;
    } cases[] = {
        {"0", "Center", BorderSwitch::Off},     {"1", "Left", BorderSwitch::On},
        {"2", "Right", BorderSwitch::Unchanged}, {"3", nullptr, BorderSwitch::Unchanged},
        {"9", nullptr, BorderSwitch::Unchanged}, {"", "Center", BorderSwitch::Off},
        {"x", "Center", BorderSwitch::Off},      {"12", "Left", BorderSwitch::On},
        {"21", "Right", BorderSwitch::Unchanged}, {" 1", "Center", BorderSwitch::Off},
        {"-1", "Center", BorderSwitch::Off},     {"1 - with border", "Left", BorderSwitch::On},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        const char* word = AlignmentWord(c.value);
        EXPECT_EQ(word == nullptr ? std::string("(none)") : std::string(word),
                  c.alignment == nullptr ? std::string("(none)") : std::string(c.alignment));
        EXPECT_EQ(ReadBorderSwitch(c.value), c.border);
    }
}

TEST(IconReference, NamesEightBuiltInIconsAndTakesAnythingElseForAFile)
{
    using Kind = IconReference::Kind;
    const struct {
        const char* value;
        Kind kind;
        int index;
    } cases[] = {
        {"IDI_EXCLAMATION", Kind::BuiltIn, 0}, {"IDI_INFO", Kind::BuiltIn, 1},
        {"IDI_ERROR", Kind::BuiltIn, 2},       {"IDI_TYPICAL", Kind::BuiltIn, 3},
        {"IDI_MINIMAL", Kind::BuiltIn, 4},     {"IDI_CUSTOM", Kind::BuiltIn, 5},
        {"IDI_SETUP", Kind::BuiltIn, 6},       {"IDI_FOLDER", Kind::BuiltIn, 7},
        {"IDI_WARNING", Kind::None, -1},       {"IDI", Kind::None, -1},
        {"IDI_info", Kind::None, -1},          {"IDI_INFO ", Kind::None, -1},
        {"", Kind::None, -1},                  {"idi_info", Kind::File, -1},
        {"C:\\p\\theme\\setup.ico", Kind::File, -1}, {"ID", Kind::File, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        const IconReference icon = ReadIconReference(c.value);
        EXPECT_EQ(icon.kind, c.kind);
        EXPECT_EQ(icon.index, c.index);
        EXPECT_EQ(icon.path.str(), c.kind == Kind::File ? std::string(c.value) : std::string());
    }
}

TEST(PageFileNames, BracesGoAndThePageFolderEndsAtTheLastBackslash)
{
    EXPECT_EQ(RemoveBraces("{logo.bmp}").str(), "logo.bmp");
    EXPECT_EQ(RemoveBraces("a}{b{{c").str(), "abc");
    EXPECT_EQ(RemoveBraces("").str(), "");
    EXPECT_EQ(PageFolderOf("C:\\p\\theme\\uninstall.lcd").str(), "C:\\p\\theme\\");
    EXPECT_EQ(PageFolderOf("C:\\p\\theme\\").str(), "C:\\p\\theme\\");
    EXPECT_EQ(PageFolderOf("uninstall.lcd").str(), "");
    EXPECT_EQ(PageFolderOf("C:/p/theme/uninstall.lcd").str(), "");
}

TEST(SplitPropertyEntry, FollowsTheBarsAndResolvesBracesAgainstThePageFolder)
{
    const char* folder = "C:\\p\\theme\\";
    const struct {
        const char* entry;
        const char* name;
        const char* value;
        int number;
    } cases[] = {
        {"Caption|Next >|0", "Caption", "Next >", 0},
        {"Caption|a|b|3", "Caption", "a", 0},
        {"Caption|a||3", "Caption", "a", 3},
        {"Caption|a|3|4", "Caption", "a", 34},
        {"Caption|a| 12x", "Caption", "a", 12},
        {"Caption|a", "Caption", "a", 0},
        {"Caption|", "Caption", "", 0},
        {"|value|5", "", "value", 5},
        {"||", "", "", 0},
        {"42", "", "", 42},
        {"no bar at all", "", "", 0},
        {"", "", "", 0},
        {"Image|{logo.bmp}|1", "Image", "C:\\p\\theme\\logo.bmp", 1},
        {"Image|logo.bmp}|1", "Image", "logo.bmp}", 1},
        {"Image|{sub}\\{x}.bmp|1", "Image", "C:\\p\\theme\\sub\\x.bmp", 1},
        {"{Name}|v|1", "{Name}", "v", 1},
        {"On Click|1-Next|-7", "On Click", "1-Next", -7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        const PropertyEntry entry = SplitPropertyEntry(c.entry, folder);
        EXPECT_EQ(entry.name.str(), c.name);
        EXPECT_EQ(entry.value.str(), c.value);
        EXPECT_EQ(entry.number, c.number);
    }
}

TEST(SplitDefinitionLine, EveryCommaEndsAFieldUpToTwenty)
{
    const DefinitionLine line = SplitDefinitionLine("0,10,20,,5,BUTTON,{x.bmp},,7");
    EXPECT_EQ(line.count, 9);
    EXPECT_EQ(line.Number(FieldLeft), 10);
    EXPECT_EQ(line.Number(FieldTop), 20);
    EXPECT_EQ(line.Field(FieldWidth).str(), "");
    EXPECT_EQ(line.Number(FieldWidth), 0);
    EXPECT_EQ(line.Field(FieldKind).str(), "BUTTON");
    EXPECT_EQ(line.Field(FieldImage).str(), "{x.bmp}");
    EXPECT_EQ(line.Number(FieldPropertyKey), 7);
    EXPECT_EQ(line.Field(9).str(), "");
    EXPECT_EQ(line.Field(-1).str(), "");

    EXPECT_EQ(SplitDefinitionLine("").count, 1);
    EXPECT_EQ(SplitDefinitionLine(",").count, 2);
    EXPECT_EQ(SplitDefinitionLine("a,").Field(1).str(), "");

    // Fields past the 20th are dropped; the 20th ends at its comma.
    std::string many;
    for (int i = 0; i < 25; ++i)
        many += std::to_string(i) + ",";
    const DefinitionLine cut = SplitDefinitionLine(many);
    EXPECT_EQ(cut.count, 20);
    EXPECT_EQ(cut.Field(19).str(), "19");
    EXPECT_EQ(cut.Field(20).str(), "");
}

TEST(ControlKinds, KeywordsAreExactAndPoolsAreSharedOnlyByPictures)
{
    int kinds = 0;
    for (const char* keyword : {"BUTTON", "BITMAP", "HOVER", "TEXT", "RECT", "TEXTBOX", "COMBOBOX", "RADIO",
                                "HOTSPOT", "ANIMATION", "PROGRESS", "LISTVIEW", "GROUPBOX", "ICON", "FRAME",
                                "TREEVIEW", "CHECKBOX", "RICHTEXT"}) {
        SCOPED_TRACE(keyword);
        const std::optional<ControlKind> kind = FindControlKind(keyword);
        ASSERT_TRUE(kind.has_value());
        EXPECT_STREQ(KindInfo(*kind).keyword, keyword);
        ++kinds;
    }
    EXPECT_EQ(kinds, ControlKindCount);
    for (const char* other : {"button", "WINDOW", "", "BUTTON ", " TEXT", "BITMAPS"})
        EXPECT_FALSE(FindControlKind(other).has_value()) << other;

    int pictures = 0;
    for (int kind = 0; kind < ControlKindCount; ++kind) {
        const ControlPool pool = PoolOf(static_cast<ControlKind>(kind));
        if (pool == ControlPool::Pictures)
            ++pictures;
        for (int other = 0; other < kind; ++other) {
            if (PoolOf(static_cast<ControlKind>(other)) == pool) {
                EXPECT_EQ(pool, ControlPool::Pictures) << KindInfo(static_cast<ControlKind>(kind)).keyword;
            }
        }
    }
    EXPECT_EQ(pictures, 2);
    EXPECT_STREQ(PoolKeywords(ControlPool::Pictures), "BITMAP and HOVER");
}

TEST(ControlKinds, DefaultNamesAndCaptionsCountFromOne)
{
    const struct {
        ControlKind kind;
        int kindIndex;
        const char* idName;
        const char* caption;
    } cases[] = {
        {ControlKind::Button, 0, "IDC_BUTTON1", "Button 1"},
        {ControlKind::Button, 14, "IDC_BUTTON15", "Button 15"},
        {ControlKind::Bitmap, 0, "IDB_BITMAP1", ""},
        {ControlKind::Hover, 1, "IDC_HOVER2", ""},
        {ControlKind::Text, 2, "IDC_STATIC3", "Text 3"},
        {ControlKind::TextBox, 0, "IDC_TEXT1", ""},
        {ControlKind::ComboBox, 0, "IDC_COMBO1", ""},
        {ControlKind::Radio, 0, "IDC_RADIO1", "Radio 1"},
        {ControlKind::Animation, 0, "IDC_ANIMATION1", "Animation Box 1"},
        {ControlKind::Progress, 0, "IDC_PROGRESS1", ""},
        {ControlKind::ListView, 0, "IDC_LISTVIEW1", "ListView1"},
        {ControlKind::GroupBox, 0, "IDC_GROUPBOX1", "GroupBox 1"},
        {ControlKind::TreeView, 0, "IDC_TREEVIEW1", ""},
        {ControlKind::CheckBox, 0, "IDC_CHECKBOX1", "CheckBox1"},
        {ControlKind::RichText, 0, "IDC_RICHTEXT1", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.idName);
        EXPECT_EQ(DefaultIdName(c.kind, c.kindIndex).str(), c.idName);
        EXPECT_EQ(DefaultCaption(c.kind, c.kindIndex).str(), c.caption);
    }
}

}  // namespace
