#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "uninstaller/common/product_values.h"
#include "uninstaller/pages/memory_profile_reader.h"
#include "uninstaller/pages/page_loader.h"
#include "uninstaller/pages/tests/recording_page.h"

namespace {

using Events = std::vector<std::string>;
const char* const PagePath = "C:\\p\\theme\\uninstall.lcd";

// Counts what the loader asks of the reader.
class CountingReader : public ProfileReader {
public:
    MemoryProfileReader files;
    int reads = 0;
    int listings = 0;

    CString ReadString(const CString& path, const CString& section, const CString& key, int size) override
    {
        ++reads;
        return files.ReadString(path, section, key, size);
    }
    std::vector<CString> ReadKeyNames(const CString& path, const CString& section) override
    {
        ++listings;
        return files.ReadKeyNames(path, section);
    }
};

class PageLoading : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = TheProduct();
        TheProduct().ProductDisplayName = "Demo";
    }
    void TearDown() override { TheProduct() = saved_; }

    void Load(const std::string& contents, int pageIndex = 0, int pageCount = 0)
    {
        reader.files.SetFile(PagePath, contents);
        model.PageIndex = pageIndex;
        model.PageCount = pageCount;
        page.events.clear();
        loader.LoadPageFile(PagePath);
    }

    // INFO lines "key=0,x,y,w,h,KIND,image,,k" for `count` controls of the
    // given kinds in turn, control i with property key i.
    static std::string InfoSection(int count, const std::vector<std::string>& kinds, const std::string& total = "")
    {
        std::string text = "[INFO]\r\nTOTAL=" + (total.empty() ? std::to_string(count) : total) + "\r\n";
        for (int i = 0; i < count; ++i)
            text += std::to_string(i) + "=0,0,0,40,40," + kinds[static_cast<std::size_t>(i) % kinds.size()] +
                    ",,," + std::to_string(i) + "\r\n";
        return text;
    }

    std::vector<int> KeysOfRecords() const
    {
        // Each test control's position 0 holds its INFO key.
        std::vector<int> keys;
        for (int i = 0; i < model.ControlCount(); ++i)
            keys.push_back(std::stoi(model.Control(i).PropValues[0].str()));
        return keys;
    }

    static std::string KeyedProperties(int count)
    {
        std::string text = "[DADOS]\r\n";
        for (int i = 0; i < count; ++i)
            text += std::to_string(i) + ",t=1\r\n" + std::to_string(i) + ",0=Key|" + std::to_string(i) + "|0\r\n";
        return text;
    }

    CountingReader reader;
    RecordingPage page;
    PageModel model{page};
    std::vector<std::string> report;
    PageLoader loader{model, reader, page, [this](const CString& line) { report.push_back(line.str()); }};

private:
    ProductValues saved_;
};

TEST_F(PageLoading, BuildsASmallPageInTheRightOrder)
{
    Load("[MAINWINDOW]\r\ncaption=Remove [ProductName]\r\nbkcolor=\r\nborder=1\r\ncloswindow=x\r\n"
         "closewindow=Yes\r\nfontname=Tahoma\r\nfontsize=8\r\nfontbold=No\r\n"
         "[INFO]\r\nTOTAL=2\r\n0=0,10,20,80,25,BUTTON,,0,0\r\n1=0,5,5,200,16,TEXT,,0,1\r\n"
         "[DADOS]\r\n0,t=2\r\n0,0=ID|IDC_NEXT|0\r\n0,1=Caption|Next >|0\r\n"
         "1,t=2\r\n1,0=ID|IDC_STATIC1|0\r\n1,1=Caption|Hello|0\r\n");
    const Events expected = {
        "window color COLOR_BTNFACE", "no image", "redraw",
        "taskbar", "title Remove Demo", "taskbar", "window color COLOR_BTNFACE", "taskbar",
        "style border on", "taskbar", "image ", "taskbar", "taskbar", "taskbar",
        "style minimize off", "taskbar", "style maximize off", "taskbar", "style sysmenu on", "taskbar",
        "page font Tahoma,8,0,255,0",
        "create TEXT#0 id 3000 at 5,5,205,21 text \"Text 1\"",
        "create BUTTON#0 id 3001 at 10,20,90,45 text \"Button 1\"",
        "font BUTTON#0 ,0,255,255", "text BUTTON#0 Next >", "default BUTTON#0",
        "font TEXT#0 ,0,255,255", "text TEXT#0 Hello", "redraw", "align TEXT#0 Center", "redraw",
        "color TEXT#0 1 COLOR_BTNFACE", "color TEXT#0 0 ", "link TEXT#0 0",
        "redraw",
    };
    EXPECT_EQ(page.events, expected);
    ASSERT_EQ(model.ControlCount(), 2);
    EXPECT_EQ(model.Control(0).IdName.str(), "IDC_NEXT");
    EXPECT_EQ(model.Control(0).ControlId, 3001);
    EXPECT_EQ(model.Control(1).IdName.str(), "IDC_STATIC1");
    EXPECT_EQ(model.Control(1).PropNames[1].str(), "Caption");
    EXPECT_EQ(model.Settings.caption.str(), "Remove Demo");
    EXPECT_EQ(model.Settings.fontbold.str(), "No");
    EXPECT_EQ(model.Settings.fontitalic.str(), "Yes");
    EXPECT_EQ(model.CreatedCount(), 2);
    EXPECT_TRUE(report.empty());
}

TEST_F(PageLoading, AMissingFileGivesAnEmptyWindowAndNoControls)
{
    loader.LoadPageFile("C:\\nowhere\\uninstall.lcd");
    const Events expected = {
        "window color COLOR_BTNFACE", "no image", "redraw",
        "taskbar", "title ", "taskbar", "window color COLOR_BTNFACE", "taskbar", "style border off", "taskbar",
        "image ", "taskbar", "taskbar", "taskbar", "style minimize off", "taskbar", "style maximize off", "taskbar",
        "style sysmenu off", "taskbar", "page font ,0,255,255,0",
    };
    EXPECT_EQ(page.events, expected);
    EXPECT_EQ(model.ControlCount(), 0);
    EXPECT_EQ(model.Settings.bkcolor.str(), "COLOR_BTNFACE");
    EXPECT_EQ(model.PagePath.str(), "C:\\nowhere\\uninstall.lcd");
}

TEST_F(PageLoading, WindowFileNamesLoseTheirBracesButStayWhereTheyAre)
{
    Load("[MAINWINDOW]\nbkimage={logo.bmp}\nsoundfile={s}.wav\nwidth=400px\nheight=-3\nstartup=5\n");
    EXPECT_TRUE(page.Has("image logo.bmp"));
    EXPECT_EQ(model.Settings.bkimage.str(), "logo.bmp");
    EXPECT_EQ(model.Settings.soundfile.str(), "s.wav");
    EXPECT_EQ(model.Settings.width, 400);
    EXPECT_EQ(model.Settings.height, -3);
    EXPECT_EQ(model.Settings.startup.str(), "5");
}

TEST_F(PageLoading, RecordsFollowInfoOrderAndIdsTheCreationOrder)
{
    Load(InfoSection(3, {"BUTTON", "TEXT", "BUTTON"}) + KeyedProperties(3));
    EXPECT_EQ(KeysOfRecords(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(model.Control(2).ControlId, 3000);
    EXPECT_EQ(model.Control(0).ControlId, 3002);
    EXPECT_EQ(model.NextControlId(), 3003);
    // Key 2's button was made first: slot 0, caption "Button 1".
    EXPECT_EQ(model.Control(2).KindIndex, 0);
    EXPECT_EQ(model.Control(0).KindIndex, 1);
    EXPECT_TRUE(page.Has("create BUTTON#1 id 3002 at 0,0,40,40 text \"Button 2\""));
}

TEST_F(PageLoading, DefaultCaptionsAndNamesCountCreationsOfTheKind)
{
    Load("[INFO]\nTOTAL=2\n0=,0,0,50,50,BUTTON,,,0\n1=,0,0,50,50,BUTTON,,,1\n");
    EXPECT_TRUE(page.Has("create BUTTON#0 id 3000 at 0,0,50,50 text \"Button 1\""));
    EXPECT_TRUE(page.Has("create BUTTON#1 id 3001 at 0,0,50,50 text \"Button 2\""));
    // Both have no position 0: their names are replaced by empty ones.
    EXPECT_EQ(model.Control(0).IdName.str(), "");
    EXPECT_EQ(model.Control(1).IdName.str(), "");
}

TEST_F(PageLoading, SizeRuleAndFixedSizesByKind)
{
    const struct {
        const char* line;
        const char* created;
    } cases[] = {
        {"3,10,20,5,5,BUTTON", "BUTTON#0 id 3000 at 10,20,100,45"},
        {"3,10,20,29,9,BUTTON", "BUTTON#0 id 3000 at 10,20,100,45"},
        {"3,10,20,30,5,BUTTON", "BUTTON#0 id 3000 at 10,20,40,25"},
        {"3,10,20,5,10,BUTTON", "BUTTON#0 id 3000 at 10,20,15,30"},
        {"3,10,20,20,8,TEXT", "TEXT#0 id 3000 at 10,20,30,28"},
        {"3,10,20,20,7,TEXT", "TEXT#0 id 3000 at 10,20,100,45"},
        {"3,10,20,20,9,RADIO", "RADIO#0 id 3000 at 10,20,100,45"},
        {"3,10,20,20,9,PROGRESS", "PROGRESS#0 id 3000 at 10,20,30,29"},
        {"3,10,20,100,100,ICON", "ICON#0 id 3000 at 10,20,42,52"},
        {"3,10,20,1,1,ICON", "ICON#0 id 3000 at 10,20,42,52"},
        {"3,10,20,1,1,HOVER", "HOVER#0 id 3000 at 10,20,11,21"},
        {"3,10,,5,5,BUTTON", "BUTTON#0 id 3000 at 10,0,100,25"},
        {"3,-5,-5,-40,-40,FRAME", "FRAME#0 id 3000 at -5,-5,85,20"},
        {"3,2147483647,0,100,100,FRAME", "FRAME#0 id 3000 at 2147483647,0,2147483647,100"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        Load(std::string("[INFO]\nTOTAL=1\n0=") + c.line + "\n");
        ASSERT_EQ(page.Starting("create").size(), 1u);
        EXPECT_EQ(page.Starting("create")[0].substr(0, 7 + std::string(c.created).size()),
                  std::string("create ") + c.created);
    }
}

TEST_F(PageLoading, PicturesAndComboBoxesRegisterTheSizeTheFactoryGives)
{
    page.pictures["C:\\p\\theme\\logo.bmp"] = {64, 48};
    Load("[INFO]\nTOTAL=4\n0=,10,10,5,5,BITMAP,{logo.bmp}\n1=,10,10,5,5,HOVER,missing.bmp\n"
         "2=,0,30,150,200,COMBOBOX\n3=,0,0,9,7,TEXT,{logo.bmp}\n");
    EXPECT_TRUE(page.Has("create HOVER#0 id 3002 at 10,10,15,15 text \"\" image C:\\p\\theme\\missing.bmp"));
    EXPECT_TRUE(page.Has("create BITMAP#1 id 3003 at 10,10,15,15 text \"\" image C:\\p\\theme\\logo.bmp"));
    EXPECT_TRUE(page.Has("create COMBOBOX#0 id 3001 at 0,30,150,230 text \"\""));
    EXPECT_TRUE(page.Has("create TEXT#0 id 3000 at 0,0,90,25 text \"Text 1\""));
    EXPECT_EQ(model.Control(0).Rect, (ControlRect{10, 10, 74, 58}));
    EXPECT_EQ(model.Control(1).Rect, (ControlRect{10, 10, 15, 15}));
    EXPECT_EQ(model.Control(2).Rect, (ControlRect{0, 30, 150, 56}));
    EXPECT_EQ(model.PoolCount(ControlPool::Pictures), 2);
}

TEST_F(PageLoading, PropertiesComeFromTheControlsKeyAndResolveBraces)
{
    Load("[INFO]\nTOTAL=1\n0=,0,0,50,50,ICON,,,7\n"
         "[DADOS]\n0,t=5\n0,0=wrong|x|1\n7,t=3\n7,0=ID|IDC_LOGO|4\n7,1=Icon File:|{setup.ico}|0\n7,2=Caption|a|b|3\n"
         "7,3=not read|x|0\n");
    const PageControl& icon = model.Control(0);
    EXPECT_EQ(icon.PropCount, 3);
    EXPECT_EQ(icon.PropNames[0].str(), "ID");
    EXPECT_EQ(icon.PropNumbers[0], 4);
    EXPECT_EQ(icon.PropValues[1].str(), "C:\\p\\theme\\setup.ico");
    EXPECT_EQ(icon.PropValues[2].str(), "a");
    EXPECT_EQ(icon.PropNumbers[2], 0);
    EXPECT_EQ(icon.PropNames[3].str(), "");
    EXPECT_TRUE(page.Has("picture ICON#0 C:\\p\\theme\\setup.ico"));
}

TEST_F(PageLoading, KeepsTheFirstSeventyControlsInInfoOrder)
{
    Load(InfoSection(75, {"BUTTON", "TEXT", "RECT", "FRAME", "RADIO", "CHECKBOX"}) + KeyedProperties(75));
    ASSERT_EQ(model.ControlCount(), 70);
    std::vector<int> first70;
    for (int i = 0; i < 70; ++i)
        first70.push_back(i);
    EXPECT_EQ(KeysOfRecords(), first70);
    EXPECT_EQ(model.Control(0).ControlId, 3069);
    ASSERT_EQ(report.size(), 5u);
    EXPECT_EQ(report[0], "INFO key 70: the page has 70 controls already; the control is left out");
    EXPECT_EQ(report[4], "INFO key 74: the page has 70 controls already; the control is left out");
}

TEST_F(PageLoading, KeepsTheFirstFifteenOfAKindWithPicturesCountedTogether)
{
    Load(InfoSection(20, {"BITMAP", "HOVER"}) + KeyedProperties(20));
    ASSERT_EQ(model.ControlCount(), 15);
    EXPECT_EQ(KeysOfRecords().front(), 0);
    EXPECT_EQ(KeysOfRecords().back(), 14);
    EXPECT_EQ(model.PoolCount(ControlPool::Pictures), 15);
    ASSERT_EQ(report.size(), 5u);
    EXPECT_EQ(report[0], "INFO key 15: the page has 15 BITMAP and HOVER controls already; the control is left out");

    report.clear();
    Load(InfoSection(16, {"TEXT"}, "17") + "16=0,0,0,40,40,BUTTON,,,16\r\n" + KeyedProperties(17));
    EXPECT_EQ(model.ControlCount(), 16);
    EXPECT_EQ(KeysOfRecords().back(), 16);
    EXPECT_EQ(report, (std::vector<std::string>{
                          "INFO key 15: the page has 15 TEXT controls already; the control is left out"}));
}

TEST_F(PageLoading, UnknownKindsCreateNothingAndKeepTheirPropertiesToThemselves)
{
    Load("[INFO]\nTOTAL=3\n0=,0,0,50,50,BUTTON,,,0\n1=,0,0,50,50,button,,,1\n2=,0,0,50,50,,,,2\n"
         "[DADOS]\n0,t=1\n0,0=ID|IDC_NEXT|0\n1,t=2\n1,0=ID|IDC_STRAY|0\n1,1=Caption|Stray|0\n2,t=1\n2,0=x|y|0\n");
    ASSERT_EQ(model.ControlCount(), 1);
    EXPECT_EQ(model.Control(0).IdName.str(), "IDC_NEXT");
    EXPECT_EQ(model.Control(0).PropCount, 1);
    EXPECT_EQ(model.FindControlId("IDC_STRAY"), -1);
    EXPECT_EQ(report, (std::vector<std::string>{
                          "INFO key 1: \"button\" is no control kind; the line creates nothing",
                          "INFO key 2: \"\" is no control kind; the line creates nothing"}));
}

TEST_F(PageLoading, KeepsTheFirstTwentyPropertiesAndReportsTheRest)
{
    std::string dados = "[DADOS]\n0,t=25\n";
    for (int j = 0; j < 23; ++j)
        dados += "0," + std::to_string(j) + "=P" + std::to_string(j) + "|v|" + std::to_string(j) + "\n";
    dados += "0,40=beyond the count|v|0\n0,021=not a key it reads|v|0\n";
    Load("[INFO]\nTOTAL=1\n0=,0,0,50,50,CHECKBOX,,,0\n" + dados);
    EXPECT_EQ(model.Control(0).PropCount, 20);
    EXPECT_EQ(model.Control(0).PropNames[19].str(), "P19");
    EXPECT_EQ(report, (std::vector<std::string>{
                          "DADOS key 0,20 (INFO key 0): the control has 20 properties already; the property is left out",
                          "DADOS key 0,21 (INFO key 0): the control has 20 properties already; the property is left out",
                          "DADOS key 0,22 (INFO key 0): the control has 20 properties already; the property is left out",
                      }));
}

TEST_F(PageLoading, OnlyCanonicalInfoKeysBelowTheTotalCreateControls)
{
    Load("[INFO]\nTOTAL=3\n0=,0,0,50,50,TEXT,,,0\n01=,0,0,50,50,BUTTON,,,1\n+1=,0,0,50,50,BUTTON,,,1\n"
         "2=,0,0,50,50,RECT,,,2\n3=,0,0,50,50,FRAME,,,3\n-1=,0,0,50,50,FRAME,,,3\n 2 =,0,0,50,50,ICON\n");
    ASSERT_EQ(model.ControlCount(), 2);
    EXPECT_EQ(model.Control(0).Kind.str(), "TEXT");
    EXPECT_EQ(model.Control(1).Kind.str(), "RECT");
}

TEST_F(PageLoading, AHostileTotalCostsOnlyTheKeysTheFileHolds)
{
    const std::vector<std::string> totals = {"2147483647", "99999999999999999999999", std::string(99, '9') + "1"};
    for (const std::string& total : totals) {
        SCOPED_TRACE(total.substr(0, 20));
        reader.reads = 0;
        reader.listings = 0;
        Load(InfoSection(2, {"BUTTON"}, total) + "[DADOS]\n0,t=2000000000\n1,t=-5\n");
        EXPECT_EQ(model.ControlCount(), 2);
        EXPECT_EQ(model.Control(0).PropCount, 20);
        EXPECT_EQ(model.Control(1).PropCount, 0);
        // 16 window keys, TOTAL, two lines, two counts, 20 properties; one
        // listing of INFO and one of DADOS for the report.
        EXPECT_EQ(reader.reads, 16 + 1 + 2 + 2 + 20);
        EXPECT_EQ(reader.listings, 2);
    }
    Load(InfoSection(2, {"BUTTON"}, "-4"));
    EXPECT_EQ(model.ControlCount(), 0);
}

TEST_F(PageLoading, ReadsNoMoreThanAThousandInfoLines)
{
    // Lines that create nothing cost a read each; past the bound they are
    // not read at all, and the control behind them is reported, not made.
    std::string text = "[INFO]\nTOTAL=1100\n";
    for (int i = 0; i < 1100; ++i)
        text += std::to_string(i) + "=,0,0,50,50," + (i == 1050 ? "BUTTON" : "NOTHING") + "\n";
    Load(text);
    EXPECT_EQ(model.ControlCount(), 0);
    EXPECT_EQ(reader.reads, 16 + 1 + MaxInfoLinesRead);
    ASSERT_EQ(report.size(), 1100u);
    EXPECT_EQ(report[999], "INFO key 999: \"NOTHING\" is no control kind; the line creates nothing");
    EXPECT_EQ(report[1050], "INFO key 1050: not read; a page is read no further than 1000 INFO lines");
}

TEST_F(PageLoading, AFullPageReadsEachKeyOnce)
{
    // The page of the benchmark: 70 controls of 20 properties.
    std::string text = InfoSection(70, {"BUTTON", "TEXT", "RECT", "FRAME", "RADIO"}) + "[DADOS]\n";
    for (int i = 0; i < 70; ++i) {
        text += std::to_string(i) + ",t=20\n";
        for (int j = 0; j < 20; ++j)
            text += std::to_string(i) + "," + std::to_string(j) + "=N|" + std::to_string(i) + "|0\n";
    }
    PageLoader quiet(model, reader, page);
    reader.files.SetFile(PagePath, text);
    quiet.LoadPageFile(PagePath);
    EXPECT_EQ(model.ControlCount(), 70);
    EXPECT_EQ(KeysOfRecords().back(), 69);
    EXPECT_EQ(reader.reads, 17 + 70 * 22);
    EXPECT_EQ(reader.listings, 1);
}

TEST_F(PageLoading, LoadingAgainReplacesThePage)
{
    Load(InfoSection(3, {"HOTSPOT", "PROGRESS"}));
    EXPECT_EQ(model.ProgressIndex, 0);
    Load(InfoSection(2, {"HOTSPOT"}));
    EXPECT_EQ(page.Starting("destroy"), (Events{"destroy 3002", "destroy 3001", "destroy 3000"}));
    EXPECT_EQ(page.events[3], "window color COLOR_BTNFACE");
    ASSERT_EQ(model.ControlCount(), 2);
    EXPECT_EQ(model.Control(1).ControlId, 3000);
    EXPECT_EQ(model.Control(1).KindIndex, 0);
    EXPECT_EQ(model.PoolCount(ControlPool::HotSpots), 2);
    EXPECT_EQ(model.PoolCount(ControlPool::ProgressBars), 0);
    EXPECT_EQ(model.ProgressIndex, -1);
}

TEST_F(PageLoading, CreateControlFromInfoReturnsThePropertyKey)
{
    model.PagePath = PagePath;
    EXPECT_EQ(loader.CreateControlFromInfo("x,1,2,50,50,BITMAP,{a}.bmp,y,42,z"), 42);
    EXPECT_TRUE(page.Has("create BITMAP#0 id 3000 at 1,2,51,52 text \"\" image C:\\p\\theme\\a.bmp"));
    EXPECT_EQ(loader.CreateControlFromInfo("x,1,2,50,50,SPINNER,,,-3"), -3);
    EXPECT_EQ(model.ControlCount(), 1);
    for (int i = 1; i < MaxKindControls; ++i)
        loader.CreateControlFromInfo("x,1,2,50,50,HOVER");
    EXPECT_EQ(loader.CreateControlFromInfo("x,1,2,50,50,BITMAP,,,5"), 5);
    EXPECT_EQ(model.ControlCount(), 15);
    EXPECT_EQ(report, (std::vector<std::string>{
                          "INFO line \"x,1,2,50,50,SPINNER,,,-3\": \"SPINNER\" is no control kind; the line creates nothing",
                          "INFO line \"x,1,2,50,50,BITMAP,,,5\": the page's table for BITMAP is full; the control is "
                          "left out"}));
}

}  // namespace
