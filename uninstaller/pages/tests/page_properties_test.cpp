#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "uninstaller/common/product_values.h"
#include "uninstaller/pages/page_model.h"
#include "uninstaller/pages/tests/recording_page.h"

namespace {

using Events = std::vector<std::string>;
using Properties = std::vector<std::pair<std::string, std::string>>;

class PageProperties : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = TheProduct();
        TheProduct().ProductDisplayName = "Demo";
        TheProduct().ProductCode = "{C0DE}";
    }
    void TearDown() override { TheProduct() = saved_; }

    // One control of `kind` in slot 0 with properties by position, applied
    // as after a load; returns the events of the application.
    Events Apply(ControlKind kind, const Properties& properties, int pageIndex = 1, int pageCount = 3)
    {
        model.PageIndex = pageIndex;
        model.PageCount = pageCount;
        model.RegisterControl({0, 0, 90, 25}, 3000, kind, 0);
        model.SetPropertyCount(0, static_cast<int>(properties.size()));
        for (std::size_t j = 0; j < properties.size(); ++j)
            model.SetLoadedProperty(0, static_cast<int>(j), properties[j].first.c_str(),
                                    properties[j].second.c_str(), 0);
        page.events.clear();
        model.ApplyLoadedProperties();
        return page.events;
    }

    RecordingPage page;
    PageModel model{page};

private:
    ProductValues saved_;
};

TEST_F(PageProperties, WindowPropertiesStoreActAndShowTheTaskbarButton)
{
    const struct {
        int number;
        const char* value;
        CString WindowSettings::*field;  // null: nothing stored
        const char* stored;
        Events events;
    } cases[] = {
        {0, "page1", &WindowSettings::idcname, "page1", {"taskbar"}},
        {1, "[ProductName] <ProductCode>", &WindowSettings::caption, "Demo {C0DE}",
         {"title Demo {C0DE}", "taskbar"}},
        {1, "[Other]", &WindowSettings::caption, "<Other>", {"title <Other>", "taskbar"}},
        {2, "", &WindowSettings::bkcolor, "COLOR_BTNFACE", {"window color COLOR_BTNFACE", "taskbar"}},
        {2, "0,128,255", &WindowSettings::bkcolor, "0,128,255", {"window color 0,128,255", "taskbar"}},
        {3, "0", &WindowSettings::border, "0", {"style border off", "taskbar"}},
        {3, "", &WindowSettings::border, "", {"style border off", "taskbar"}},
        {3, "1", &WindowSettings::border, "1", {"style border on", "taskbar"}},
        {3, "7", &WindowSettings::border, "7", {"taskbar"}},
        {4, "back.bmp", &WindowSettings::bkimage, "back.bmp", {"image back.bmp", "taskbar"}},
        {5, "s.wav", &WindowSettings::soundfile, "s.wav", {"taskbar"}},
        {6, "5", &WindowSettings::startup, "5", {"taskbar"}},
        {7, "Yes", &WindowSettings::minwindow, "Yes", {"style minimize on", "taskbar"}},
        {7, "yes", &WindowSettings::minwindow, "yes", {"style minimize off", "taskbar"}},
        {8, "Yes", &WindowSettings::maxwindow, "Yes", {"style maximize on", "taskbar"}},
        {8, "", &WindowSettings::maxwindow, "", {"style maximize off", "taskbar"}},
        {9, "Yes", &WindowSettings::closewindow, "Yes", {"style sysmenu on", "taskbar"}},
        {9, "YES", &WindowSettings::closewindow, "YES", {"style sysmenu off", "taskbar"}},
        {10, "Yes", nullptr, "", {"taskbar"}},
        {-1, "Yes", nullptr, "", {"taskbar"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.number) + " " + c.value);
        RecordingPage window;
        PageModel fresh(window);
        fresh.SetProperty("ignored", c.value, c.number);
        EXPECT_EQ(window.events, c.events);
        if (c.field != nullptr) {
            EXPECT_EQ((fresh.Settings.*c.field).str(), c.stored);
        }
    }
}

TEST_F(PageProperties, EachKindAppliesItsRowsInOrder)
{
    const struct {
        const char* what;
        ControlKind kind;
        Properties properties;
        Events events;
    } cases[] = {
        {"button", ControlKind::Button,
         {{"", "IDC_OK"}, {"Caption", "[ProductName] >"}, {"Text Align", "1"}, {"", "Arial"}, {"", "9"},
          {"", "No"}, {"", "Yes"}},
         {"font BUTTON#0 Arial,9,0,255", "text BUTTON#0 Demo >"}},
        {"button without properties", ControlKind::Button, {}, {"font BUTTON#0 ,0,255,255", "text BUTTON#0 "}},
        {"text", ControlKind::Text,
         {{"", "IDC_INFO"}, {"Caption", "<ProductName> [x]"}, {"Text Align", "1"}, {"Text Color", "255,0,0"},
          {"BackColor", ""}, {"", "Tahoma"}, {"", "8"}, {"", "No"}, {"", "No"}, {"URL Link", "No"}},
         {"font TEXT#0 Tahoma,8,0,0", "text TEXT#0 Demo [x]", "redraw", "align TEXT#0 Left", "redraw",
          "color TEXT#0 1 COLOR_BTNFACE", "color TEXT#0 0 255,0,0", "link TEXT#0 0"}},
        {"text aligned 5", ControlKind::Text, {{"", ""}, {"", "t"}, {"", "5"}},
         {"font TEXT#0 ,0,255,255", "text TEXT#0 t", "redraw", "redraw", "color TEXT#0 1 COLOR_BTNFACE",
          "color TEXT#0 0 ", "link TEXT#0 0"}},
        {"rectangle", ControlKind::Rect, {{"", "IDC_R"}, {"", "10,20,30"}}, {"color RECT#0 1 10,20,30"}},
        {"group box", ControlKind::GroupBox, {{"", ""}, {"", "[ProductName]"}, {"", "1,2,3"}},
         {"text GROUPBOX#0 [ProductName]", "color GROUPBOX#0 1 1,2,3"}},
        {"radio", ControlKind::Radio, {{"", "IDC_ANYONE"}, {"", "For all"}, {"", ""}},
         {"text RADIO#0 For all", "color RADIO#0 1 COLOR_BTNFACE", "second color RADIO#0 255,255,255"}},
        {"check box", ControlKind::CheckBox, {{"", "IDC_C"}, {"", "Keep"}, {"", "9,9,9"}},
         {"text CHECKBOX#0 Keep", "color CHECKBOX#0 1 9,9,9"}},
        {"settings box", ControlKind::TextBox,
         {{"", "IDC_SETTINGS"}, {"", "abc"}, {"", "Yes"}, {"", ""}, {"", "Yes"}}, {"ex style TEXTBOX#0 4100"}},
        {"other text box", ControlKind::TextBox, {{"", "IDC_NAME"}, {"", "abc"}}, {}},
        {"list view with border", ControlKind::ListView, {{"", ""}, {"", ""}, {"", "1"}},
         {"border LISTVIEW#0 on", "redraw"}},
        {"list view border kept", ControlKind::ListView, {{"", ""}, {"", ""}, {"", "5"}}, {"redraw"}},
        {"list view without properties", ControlKind::ListView, {}, {"border LISTVIEW#0 off", "redraw"}},
        {"built-in icon", ControlKind::Icon, {{"", ""}, {"", "IDI_SETUP"}, {"", ""}},
         {"icon ICON#0 6", "picture color ICON#0 212,208,200"}},
        {"icon file", ControlKind::Icon, {{"", ""}, {"", "C:\\p\\i.ico"}, {"", "1,2,3"}},
         {"picture ICON#0 C:\\p\\i.ico", "redraw", "picture color ICON#0 1,2,3"}},
        {"unknown built-in icon", ControlKind::Icon, {{"", ""}, {"", "IDI_NONE"}, {"", "COLOR_BTNFACE"}},
         {"picture color ICON#0 212,208,200"}},
        {"icon without file", ControlKind::Icon, {}, {"picture color ICON#0 212,208,200"}},
        {"bitmap without colour", ControlKind::Bitmap, {{"", ""}, {"", ""}, {"", "0 - none"}},
         {"picture color BITMAP#0 212,208,200"}},
        {"bitmap with colour", ControlKind::Bitmap, {{"", ""}, {"", ""}, {"", "10,20,30"}},
         {"picture color BITMAP#0 10,20,30"}},
        {"bitmap with a dash inside", ControlKind::Bitmap, {{"", ""}, {"", ""}, {"", "10,20 - 0 -"}},
         {"picture color BITMAP#0 212,208,200"}},
        {"hover", ControlKind::Hover, {{"", "x"}, {"", "y"}, {"", "1,2,3"}}, {}},
        {"rich text", ControlKind::RichText, {{"", "IDC_LICENSE"}}, {}},
        {"progress", ControlKind::Progress, {{"", "IDC_BAR"}}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        model.ClearControls();
        EXPECT_EQ(Apply(c.kind, c.properties), c.events);
    }
}

TEST_F(PageProperties, IdNamesComeFromPositionZeroOnlyForKindsThatHaveOne)
{
    const struct {
        ControlKind kind;
        const char* idName;
    } cases[] = {
        {ControlKind::Button, "IDC_X"},   {ControlKind::Text, "IDC_X"},     {ControlKind::Radio, "IDC_X"},
        {ControlKind::CheckBox, "IDC_X"}, {ControlKind::TextBox, "IDC_X"},  {ControlKind::RichText, "IDC_X"},
        {ControlKind::Progress, "IDC_PROGRESS1"}, {ControlKind::Bitmap, "IDB_BITMAP1"},
        {ControlKind::TreeView, "IDC_TREEVIEW1"}, {ControlKind::GroupBox, "IDC_GROUPBOX1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.idName);
        model.ClearControls();
        Apply(c.kind, {{"", "IDC_X"}});
        EXPECT_EQ(model.Control(0).IdName.str(), c.idName);
    }
}

TEST_F(PageProperties, StoredValuesFollowTheRules)
{
    Apply(ControlKind::Text, {{"", ""}, {"", ""}, {"", ""}, {"", "255,0,0"}, {"", ""}, {"", ""}, {"", ""},
                              {"", ""}, {"", ""}, {"", "Yes"}});
    // A link is blue whatever colour the page gave; an empty back colour is
    // stored as the button face word.
    EXPECT_EQ(model.Control(0).PropValues[3].str(), "0,0,255");
    EXPECT_EQ(model.Control(0).PropValues[4].str(), "COLOR_BTNFACE");
    EXPECT_TRUE(page.Has("color TEXT#0 0 255,0,0"));
    EXPECT_TRUE(page.Has("link TEXT#0 255"));

    model.ClearControls();
    Apply(ControlKind::Bitmap, {{"", ""}, {"", ""}, {"", "0 - none"}});
    EXPECT_EQ(model.Control(0).PropValues[2].str(), "COLOR_BTNFACE");
    model.ClearControls();
    Apply(ControlKind::Icon, {{"", ""}, {"", ""}, {"", ""}});
    EXPECT_EQ(model.Control(0).PropValues[2].str(), "COLOR_BTNFACE");
}

TEST_F(PageProperties, ANameTheKindDoesNotKnowOnlyStores)
{
    model.RegisterControl({}, 3000, ControlKind::Text, 0);
    model.SetProperty("Whatever", "v", 7);
    model.SetProperty("", "w", 8);
    model.SetProperty("caption", "lower case", 1);
    EXPECT_TRUE(page.events.empty());
    EXPECT_EQ(model.Control(0).PropValues[7].str(), "v");
    EXPECT_EQ(model.Control(0).PropValues[8].str(), "w");
    EXPECT_EQ(model.Control(0).PropValues[1].str(), "lower case");
}

TEST_F(PageProperties, APositionOutsideTheTableStoresNothing)
{
    model.RegisterControl({}, 3000, ControlKind::Button, 0);
    model.SetProperty("Caption", "x", 20);
    model.SetProperty("Caption", "y", -1);
    EXPECT_EQ(page.events, (Events{"text BUTTON#0 x", "text BUTTON#0 y"}));
    for (int j = 0; j < MaxControlProperties; ++j)
        EXPECT_EQ(model.Control(0).PropValues[static_cast<std::size_t>(j)].str(), "") << j;
}

TEST_F(PageProperties, NavigationButtonsFollowThePagePosition)
{
    const struct {
        const char* idName;
        int pageIndex;
        int pageCount;
        Events events;
    } cases[] = {
        {"IDC_NEXT", 0, 3, {"default BUTTON#0"}},
        {"IDC_NEXT", 2, 3, {"default BUTTON#0"}},
        {"IDC_BACK", 0, 3, {"disable BUTTON#0"}},
        {"IDC_BACK", 1, 3, {}},
        {"IDC_BACK", 2, 3, {"disable BUTTON#0"}},
        {"IDC_BACK", 0, 0, {"disable BUTTON#0"}},
        {"IDCANCEL", 0, 0, {"disable BUTTON#0"}},
        {"IDCANCEL", 0, 3, {}},
        {"IDCANCEL", 1, 3, {}},
        {"IDCANCEL", 2, 3, {"disable BUTTON#0"}},
        {"IDCANCEL", 7, 3, {"disable BUTTON#0"}},
        {"IDCANCEL", 0, INT_MIN, {"disable BUTTON#0"}},
        {"IDC_FINISH", 2, 3, {}},
        {"idc_next", 0, 3, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.idName) + " " + std::to_string(c.pageIndex) + "/" + std::to_string(c.pageCount));
        model.ClearControls();
        Apply(ControlKind::Button, {{"", c.idName}}, c.pageIndex, c.pageCount);
        Events navigation = page.Starting("default");
        for (const std::string& event : page.Starting("disable"))
            navigation.push_back(event);
        EXPECT_EQ(navigation, c.events);
    }
}

TEST_F(PageProperties, ApplyingVisitsEveryRecordInOrderAndLeavesTheLastCurrent)
{
    model.RegisterControl({}, 3000, ControlKind::Rect, 0);
    model.SetPropertyCount(0, 2);
    model.SetLoadedProperty(0, 1, "BackColor", "1,1,1", 0);
    model.RegisterControl({}, 3001, ControlKind::Rect, 1);
    model.SetPropertyCount(0, 2);
    model.SetLoadedProperty(0, 1, "BackColor", "2,2,2", 0);
    model.ApplyLoadedProperties();
    EXPECT_EQ(page.events, (Events{"color RECT#1 1 2,2,2", "color RECT#0 1 1,1,1"}));
    EXPECT_EQ(model.CurrentControl(), 1);
    EXPECT_EQ(model.CurrentKind().str(), "RECT");
}

TEST_F(PageProperties, ColoursAndFontsReachTheCurrentObject)
{
    model.SetControlColor("1,2,3", 0);
    model.SetControlColor("", 1);
    model.RegisterControl({}, 3000, ControlKind::Text, 0);
    model.SetControlColor("4,5,6", 0);
    model.SelectWindow();
    model.SetPageFont({"Tahoma", 11, 255, 0}, 0);
    EXPECT_EQ(page.events, (Events{"window color ", "color TEXT#0 0 4,5,6", "page font Tahoma,11,255,0,0"}));
    EXPECT_EQ(model.Settings.fontname.str(), "Tahoma");
    EXPECT_EQ(model.Settings.fontsize.str(), "11");
    EXPECT_EQ(model.Settings.fontbold.str(), "Yes");
    EXPECT_EQ(model.Settings.fontitalic.str(), "No");
}

}  // namespace
