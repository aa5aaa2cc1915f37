#include "renamer/name_rule.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pelmora {
namespace {

TEST(GetExtNameTest, TakesTheTextAfterTheFileNamesLastDot)
{
    struct Case {
        const char* path;
        const char* extension;
    };
    const Case cases[] = {
        {"C:\\Docs\\report.txt", "txt"},
        {"C:\\Docs\\archive.tar.gz", "gz"},
        {"C:\\Docs\\README", ""},
        {"C:\\Docs\\.profile", "profile"},
        {"C:\\Docs\\a. txt", "txt"},
        {"C:\\Docs\\a.txt  ", "txt"},
        {"C:\\Docs\\a.", ""},
        // A dot in a folder name is not the file's extension.
        {"C:\\my.docs\\README", ""},
        {"C:\\my.docs\\notes.md", "md"},
        {"C:\\a.b\\c.d\\e", ""},
        {"C:\\photo.JPG", "JPG"},
        {"C:/x.y/z", ""},
        {"plain.txt", "txt"},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(GetExtName(c.path), c.extension);
    }
}

TEST(JoinPathTest, PutsOneBackslashBetweenFolderAndName)
{
    EXPECT_EQ(JoinPath("C:\\Docs", "a.txt"), "C:\\Docs\\a.txt");
    EXPECT_EQ(JoinPath("C:\\", "a.txt"), "C:\\a.txt");
    EXPECT_EQ(JoinPath("C:\\Docs\\", "a.txt"), "C:\\Docs\\a.txt");
}

void ExpectPlan(const std::vector<RenameStep>& plan, const std::vector<std::string>& newPaths,
                const std::vector<int>& percents)
{
    ASSERT_EQ(plan.size(), newPaths.size());
    for (std::size_t i = 0; i < plan.size(); ++i) {
        SCOPED_TRACE("step " + std::to_string(i));
        EXPECT_EQ(plan[i].newPath, newPaths[i].c_str());
        EXPECT_EQ(plan[i].percent, percents[i]);
    }
}

TEST(PlanBatchTest, NumbersTheListedFilesFromZeroKeepingTheirExtensions)
{
    const auto plan = PlanBatch("C:\\Trip", {"a.jpg", "b.txt", "c"}, "Trip");
    ExpectPlan(plan, {"C:\\Trip\\Trip0.jpg", "C:\\Trip\\Trip1.txt", "C:\\Trip\\Trip2."}, {0, 50, 100});
    EXPECT_EQ(plan[1].oldPath, "C:\\Trip\\b.txt");
    EXPECT_EQ(plan[1].oldName, "b.txt");
    EXPECT_EQ(plan[1].newName, "Trip1.txt");
}

TEST(PlanBatchTest, EmptyPrefixGivesTheNumberAndExtensionAlone)
{
    const auto plan = PlanBatch("C:\\D", {"x.txt", "y.txt"}, "");
    ExpectPlan(plan, {"C:\\D\\0.txt", "C:\\D\\1.txt"}, {0, 100});
}

TEST(PlanBatchTest, NumbersAreNeverPadded)
{
    std::vector<CString> names;
    for (int i = 0; i < 11; ++i)
        names.push_back(CString::Format("f%02d.txt", i));
    const auto plan = PlanBatch("C:\\D", names, "Trip");
    EXPECT_EQ(plan[9].newName, "Trip9.txt");
    EXPECT_EQ(plan[10].newName, "Trip10.txt");
}

TEST(PlanBatchTest, RootFolderAndDottedFolderGiveSoundPaths)
{
    ExpectPlan(PlanBatch("C:\\", {"a.jpg"}, "P"), {"C:\\P0.jpg"}, {100});
    const auto dotted = PlanBatch("C:\\my.docs", {"README"}, "P");
    ExpectPlan(dotted, {"C:\\my.docs\\P0."}, {100});
    EXPECT_EQ(dotted[0].oldPath, "C:\\my.docs\\README");
}

TEST(PlanBatchTest, CountsPastSixteenBits)
{
    std::vector<CString> names(40000, CString("x.txt"));
    const auto plan = PlanBatch("C:\\D", names, "P");
    ASSERT_EQ(plan.size(), 40000u);
    EXPECT_EQ(plan[32767].newName, "P32767.txt");
    EXPECT_EQ(plan[32768].newName, "P32768.txt");
    EXPECT_EQ(plan[39999].newName, "P39999.txt");
    EXPECT_EQ(plan[19999].percent, 50);  // 19999 / 39999 = 49.9987...
    EXPECT_EQ(plan[39999].percent, 100);
}

TEST(BatchPercentTest, RoundsHalvesToTheEvenNeighbour)
{
    const int nineFiles[] = {0, 12, 25, 38, 50, 62, 75, 88, 100};
    for (std::size_t i = 0; i < 9; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(BatchPercent(i, 8), nineFiles[i]);
    }
    EXPECT_EQ(BatchPercent(1, 3), 33);
    EXPECT_EQ(BatchPercent(2, 3), 67);
    EXPECT_EQ(BatchPercent(1, 200), 0);  // 0.5 rounds to the even 0
    EXPECT_EQ(BatchPercent(3, 200), 2);  // 1.5 rounds to 2
}

TEST(BatchPercentTest, OneFileCompletesTheBatch)
{
    EXPECT_EQ(BatchPercent(0, 0), 100);
}

}  // namespace
}  // namespace pelmora
