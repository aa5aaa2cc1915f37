#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "uninstaller/pages/page_model.h"
#include "uninstaller/pages/tests/recording_page.h"

namespace {

// Registers a control and gives it properties "Name|Value" by position.
int AddControl(PageModel& model, ControlKind kind, int slot, int id,
               const std::vector<std::pair<std::string, std::string>>& properties = {})
{
    const int last = model.RegisterControl({1, 2, 3, 4}, id, kind, slot);
    model.SetPropertyCount(0, static_cast<int>(properties.size()));
    for (std::size_t j = 0; j < properties.size(); ++j)
        model.SetLoadedProperty(0, static_cast<int>(j), properties[j].first.c_str(), properties[j].second.c_str(),
                                static_cast<int>(j));
    return last;
}

TEST(RegisterControl, PutsTheNewRecordInFrontAndMakesItCurrent)
{
    RecordingPage page;
    PageModel model(page);
    EXPECT_EQ(model.RegisterControl({10, 20, 100, 45}, 3000, ControlKind::Text, 0), 0);
    EXPECT_EQ(model.RegisterControl({0, 0, 5, 5}, 3001, ControlKind::Button, 0), 1);
    EXPECT_EQ(model.RegisterControl({0, 0, 5, 5}, 3002, ControlKind::Button, 1), 2);

    ASSERT_EQ(model.ControlCount(), 3);
    EXPECT_EQ(model.Control(0).ControlId, 3002);
    EXPECT_EQ(model.Control(1).ControlId, 3001);
    EXPECT_EQ(model.Control(2).ControlId, 3000);
    EXPECT_EQ(model.Control(2).Rect, (ControlRect{10, 20, 100, 45}));
    EXPECT_EQ(model.Control(2).Kind.str(), "TEXT");
    EXPECT_EQ(model.Control(2).IdName.str(), "IDC_STATIC1");
    EXPECT_EQ(model.Control(0).IdName.str(), "IDC_BUTTON2");
    EXPECT_EQ(model.Control(0).KindIndex, 1);
    EXPECT_EQ(model.CurrentControl(), 0);
    EXPECT_EQ(model.CurrentKind().str(), "BUTTON");
    EXPECT_TRUE(page.events.empty());
}

TEST(RegisterControl, MovesRecordsWithAllTheirProperties)
{
    // A record of 16 to 20 properties keeps them all when later ones go in
    // front of it: a page's Next button or progress bar must not lose its
    // name because it was not the last control made.
    RecordingPage page;
    PageModel model(page);
    std::vector<std::pair<std::string, std::string>> twenty;
    for (int j = 0; j < 20; ++j)
        twenty.emplace_back("P" + std::to_string(j), "V" + std::to_string(j));
    twenty[0].second = "IDC_NEXT";
    AddControl(model, ControlKind::Button, 0, 3000, twenty);
    for (int i = 1; i < MaxPageControls; ++i)
        AddControl(model, ControlKind::Text, i % MaxKindControls, 3000 + i, {{"", "x"}});

    const PageControl& moved = model.Control(MaxPageControls - 1);
    EXPECT_EQ(moved.ControlId, 3000);
    ASSERT_EQ(moved.PropCount, 20);
    EXPECT_EQ(moved.PropValues[0].str(), "IDC_NEXT");
    EXPECT_EQ(moved.PropNames[19].str(), "P19");
    EXPECT_EQ(moved.PropValues[19].str(), "V19");
    EXPECT_EQ(moved.PropNumbers[19], 19);
}

TEST(RegisterControl, RefusesASeventyFirstRecord)
{
    RecordingPage page;
    PageModel model(page);
    for (int i = 0; i < MaxPageControls; ++i)
        ASSERT_EQ(model.RegisterControl({}, 3000 + i, ControlKind::Frame, 0), i);
    EXPECT_EQ(model.RegisterControl({}, 4000, ControlKind::Frame, 0), -1);
    EXPECT_EQ(model.ControlCount(), MaxPageControls);
    EXPECT_EQ(model.Control(0).ControlId, 3000 + MaxPageControls - 1);
    EXPECT_EQ(model.FindRecordIndex(4000), -1);
}

TEST(PageModel, CountsCreatedControlsUpToFifteenAPool)
{
    RecordingPage page;
    PageModel model(page);
    EXPECT_EQ(model.NextControlId(), 3000);
    for (int i = 0; i < MaxKindControls; ++i)
        EXPECT_TRUE(model.CountCreatedControl(i % 2 ? ControlKind::Bitmap : ControlKind::Hover));
    EXPECT_FALSE(model.CountCreatedControl(ControlKind::Bitmap));
    EXPECT_FALSE(model.CountCreatedControl(ControlKind::Hover));
    EXPECT_TRUE(model.CountCreatedControl(ControlKind::Icon));
    EXPECT_EQ(model.PoolCount(ControlPool::Pictures), 15);
    EXPECT_EQ(model.PoolCount(ControlPool::Icons), 1);
    EXPECT_EQ(model.NextControlId(), 3016);
    EXPECT_EQ(model.CreatedCount(), 16);

    model.ProgressIndex = 4;
    AddControl(model, ControlKind::Text, 0, 3000);
    model.ClearControls();
    EXPECT_EQ(model.ControlCount(), 0);
    EXPECT_EQ(model.PoolCount(ControlPool::Pictures), 0);
    EXPECT_EQ(model.NextControlId(), 3000);
    EXPECT_EQ(model.CreatedCount(), 0);
    EXPECT_EQ(model.ProgressIndex, -1);
    EXPECT_EQ(model.CurrentControl(), -1);
    EXPECT_EQ(model.CurrentKind().str(), "WINDOW");
}

TEST(PageModel, LoadedPropertiesStayInsideTheTables)
{
    RecordingPage page;
    PageModel model(page);
    AddControl(model, ControlKind::Text, 0, 3000);
    model.SetPropertyCount(0, 500);
    EXPECT_EQ(model.Control(0).PropCount, 20);
    model.SetPropertyCount(0, -3);
    EXPECT_EQ(model.Control(0).PropCount, 0);
    model.SetLoadedProperty(0, 20, "N", "V", 1);
    model.SetLoadedProperty(0, -1, "N", "V", 1);
    model.SetLoadedProperty(1, 0, "N", "V", 1);
    model.SetPropertyCount(0, 20);
    for (int j = 0; j < 20; ++j)
        EXPECT_EQ(model.Control(0).ValueAt(j).str(), "") << j;
    EXPECT_EQ(model.Control(0).ValueAt(20).str(), "");

    // A record reused after a reset starts without the old properties.
    model.SetLoadedProperty(0, 5, "Old", "old", 1);
    model.ClearControls();
    AddControl(model, ControlKind::Text, 0, 3000);
    EXPECT_EQ(model.Control(0).PropValues[5].str(), "");
}

TEST(PageLookups, FindTheFirstRecordThatMatches)
{
    RecordingPage page;
    PageModel model(page);
    AddControl(model, ControlKind::Button, 0, 3000);
    AddControl(model, ControlKind::Button, 1, 3001);
    AddControl(model, ControlKind::Progress, 0, 3002);
    // Records: 0 PROGRESS#0 3002, 1 BUTTON#1 3001, 2 BUTTON#0 3000.
    EXPECT_EQ(model.FindControlId("IDC_PROGRESS1"), 3002);
    EXPECT_EQ(model.FindControlId("IDC_BUTTON1"), 3000);
    EXPECT_EQ(model.FindControlId("idc_button1"), -1);
    EXPECT_EQ(model.FindControlId(""), -1);
    EXPECT_EQ(model.FindRecordIndex(3000), 2);
    EXPECT_EQ(model.FindRecordIndex(2999), -1);
    EXPECT_EQ(model.FindKindIndex(3001), 1);
    EXPECT_EQ(model.FindKindIndex(3003), -1);

    RecordingPage other;
    PageModel twins(other);
    AddControl(twins, ControlKind::Text, 0, 3000, {{"", "IDC_SAME"}});
    AddControl(twins, ControlKind::Text, 1, 3001, {{"", "IDC_SAME"}});
    twins.ApplyLoadedProperties();
    EXPECT_EQ(twins.FindControlId("IDC_SAME"), 3001);
}

TEST(GetClickAction, ReadsTheNumberBeforeTheFirstDash)
{
    const struct {
        std::vector<std::pair<std::string, std::string>> properties;
        int action;
    } cases[] = {
        {{}, -1},
        {{{"Caption", "1-x"}}, -1},
        {{{"On Click", "1-Next page"}}, 1},
        {{{"Mouse Click", "2-Back"}}, 2},
        {{{"On Click", "[Do Nothing]"}}, 0},
        {{{"On Click", "12 - far"}}, 12},
        {{{"On Click", "-5"}}, 0},
        {{{"On Click", " 7-x"}}, 7},
        {{{"on click", "1-x"}}, -1},
        {{{"On Click", "1-x"}, {"Mouse Click", "2-y"}}, 2},
        {{{"On Click", ""}, {"Mouse Click", "1-Next"}}, -1},
        {{{"On Click", "1-Next"}, {"Mouse Click", ""}}, -1},
    };
    for (const auto& c : cases) {
        RecordingPage page;
        PageModel model(page);
        AddControl(model, ControlKind::Button, 0, 3000, c.properties);
        SCOPED_TRACE(c.properties.empty() ? "(none)" : c.properties.back().second);
        EXPECT_EQ(model.GetClickAction(0), c.action);
    }
    RecordingPage page;
    PageModel model(page);
    EXPECT_EQ(model.GetClickAction(0), -1);
    EXPECT_EQ(model.GetClickAction(-1), -1);
}

}  // namespace
