#include "renamer/rename_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pelmora {
namespace {

std::vector<CString> Names(std::initializer_list<const char*> names)
{
    return std::vector<CString>(names.begin(), names.end());
}

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
    const auto plan = PlanBatch("C:\\Trip", Names({"a.jpg", "b.txt", "c"}), "Trip");
    ExpectPlan(plan, {"C:\\Trip\\Trip0.jpg", "C:\\Trip\\Trip1.txt", "C:\\Trip\\Trip2."}, {0, 50, 100});
    EXPECT_EQ(plan[1].oldPath, "C:\\Trip\\b.txt");
    EXPECT_EQ(plan[1].oldName, "b.txt");
    EXPECT_EQ(plan[1].newName, "Trip1.txt");
}

TEST(PlanBatchTest, EmptyPrefixGivesTheNumberAndExtensionAlone)
{
    const auto plan = PlanBatch("C:\\D", Names({"x.txt", "y.txt"}), "");
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
    ExpectPlan(PlanBatch("C:\\", Names({"a.jpg"}), "P"), {"C:\\P0.jpg"}, {100});
    const auto dotted = PlanBatch("C:\\my.docs", Names({"README"}), "P");
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

TEST(NaturalOrderTest, SortsAsTheShellDoes)
{
    std::vector<CString> names = Names({"file10.txt", "File2.txt", "file1.txt", "a", "B", "file02.txt",
                                        "x100", "x99", "x9a", "img_2.jpg", "img 10.jpg",
                                        "n99999999999999999999999", "n100000000000000000000000"});
    SortNaturally(names);
    const std::vector<CString> expected = Names({"a", "B", "file1.txt", "File2.txt", "file02.txt",
                                                 "file10.txt", "img 10.jpg", "img_2.jpg",
                                                 "n99999999999999999999999",
                                                 "n100000000000000000000000", "x9a", "x99", "x100"});
    EXPECT_EQ(names, expected);
}

TEST(NaturalOrderTest, IsAStrictOrder)
{
    EXPECT_EQ(NaturalCompare("same", "same"), 0);
    EXPECT_NE(NaturalCompare("a.txt", "A.TXT"), 0);
    EXPECT_EQ(NaturalCompare("a.txt", "A.TXT"), -NaturalCompare("A.TXT", "a.txt"));
    EXPECT_LT(NaturalCompare("a", "a1"), 0);
    EXPECT_GT(NaturalCompare("a01", "a1"), 0);
}

TEST(StoredNameTest, DropsTrailingDotsAndBlanks)
{
    EXPECT_EQ(StoredName("Trip2."), "Trip2");
    EXPECT_EQ(StoredName("Trip2. . "), "Trip2");
    EXPECT_EQ(StoredName(".profile"), ".profile");
    EXPECT_EQ(StoredName("a.txt"), "a.txt");
}

struct CheckCase {
    const char* what;
    const char* folder;
    std::vector<const char*> listed;
    std::vector<const char*> unlisted;  // hidden and system files, subfolders
    const char* prefix;
    BatchProblem problem;
    std::size_t step;
};

void ExpectCheck(const CheckCase& c)
{
    SCOPED_TRACE(c.what);
    std::vector<CString> listed(c.listed.begin(), c.listed.end());
    std::vector<CString> entries = listed;
    entries.insert(entries.end(), c.unlisted.begin(), c.unlisted.end());
    const auto plan = PlanBatch(c.folder, listed, c.prefix);
    const BatchCheck check = CheckBatch(plan, entries);
    EXPECT_EQ(check.problem, c.problem);
    if (c.problem != BatchProblem::None) {
        EXPECT_EQ(check.step, c.step);
    }
}

TEST(CheckBatchTest, FindsTheFirstStepThatCannotBeDone)
{
    const std::string longFolder = "C:\\" + std::string(250, 'd');
    const CheckCase cases[] = {
        {"nothing in the way", "C:\\T", {"a.jpg", "b.txt", "c"}, {"sub", "desktop.ini"}, "Trip",
         BatchProblem::None, 0},
        {"a hidden file holds a target", "C:\\T", {"a.jpg", "b.txt"}, {"Trip1.txt"}, "Trip",
         BatchProblem::TargetExists, 1},
        {"a subfolder holds a target", "C:\\T", {"a.jpg", "b"}, {"Trip1."}, "Trip",
         BatchProblem::TargetExists, 1},
        {"names compare without case", "C:\\T", {"a.jpg"}, {"TRIP0.JPG"}, "Trip",
         BatchProblem::TargetExists, 0},
        {"a trailing dot is dropped", "C:\\T", {"a", "b", "c"}, {"Trip2"}, "Trip",
         BatchProblem::TargetExists, 2},
        {"a file renamed later still blocks", "C:\\T", {"a.txt", "Trip0.txt"}, {}, "Trip",
         BatchProblem::TargetExists, 0},
        {"a file renamed earlier frees its name", "C:\\T", {"Trip1.txt", "b.txt"}, {}, "Trip",
         BatchProblem::None, 0},
        {"a file may keep its own name", "C:\\T", {"Trip0.txt", "trip1.txt"}, {}, "Trip",
         BatchProblem::None, 0},
        {"a wildcard in the prefix", "C:\\T", {"a.txt"}, {}, "a?b", BatchProblem::BadCharacter, 0},
        {"a backslash in the prefix", "C:\\T", {"a.txt"}, {}, "sub\\", BatchProblem::BadCharacter, 0},
        {"a colon in the prefix", "C:\\T", {"a.txt"}, {}, "x:", BatchProblem::BadCharacter, 0},
        {"a tab in the prefix", "C:\\T", {"a.txt"}, {}, "x\t", BatchProblem::BadCharacter, 0},
        {"a serial port name", "C:\\T", {"a.txt", "b.txt"}, {}, "COM", BatchProblem::ReservedName, 1},
        {"a printer port name", "C:\\T", {"a", "b", "c"}, {}, "lpt", BatchProblem::ReservedName, 1},
        {"a device stem before a dot", "C:\\T", {"a.txt"}, {}, "nul.", BatchProblem::ReservedName, 0},
        {"a device stem before blanks", "C:\\T", {"a.txt"}, {}, "CON .", BatchProblem::ReservedName, 0},
        {"COM0 is no device", "C:\\T", {"a.txt"}, {}, "COM", BatchProblem::None, 0},
        {"a path past the limit", longFolder.c_str(), {"a.txt"}, {}, "long-prefix",
         BatchProblem::PathTooLong, 0},
    };
    for (const CheckCase& c : cases)
        ExpectCheck(c);
}

TEST(CheckBatchTest, AFileNoLongerInTheFolderIsSeenInAdvance)
{
    const auto plan = PlanBatch("C:\\T", Names({"a.txt", "gone.txt"}), "P");
    const BatchCheck check = CheckBatch(plan, Names({"a.txt"}));
    EXPECT_EQ(check.problem, BatchProblem::SourceMissing);
    EXPECT_EQ(check.step, 1u);
}

TEST(CheckBatchTest, ALongNameIsRefusedInAShortFolder)
{
    // In "C:\\" a name of 256 characters keeps the path within its limit.
    const std::string prefix(kMaxNameLength, 'p');
    const auto plan = PlanBatch("C:\\", Names({"a"}), prefix.c_str());
    EXPECT_EQ(CheckBatch(plan, Names({"a"})).problem, BatchProblem::PathTooLong);
    // "pp...p0." is stored without its dot: 255 characters.
    const auto fits = PlanBatch("C:\\", Names({"a"}), std::string(kMaxNameLength - 1, 'p').c_str());
    EXPECT_TRUE(CheckBatch(fits, Names({"a"})).ok());
}

TEST(CheckBatchTest, UsesTheGivenCaseFolding)
{
    // A folding that tells case apart lets "trip0.txt" stand beside "Trip0.txt".
    const FoldCase exact = [](std::string_view name) { return std::string(name); };
    const auto plan = PlanBatch("C:\\T", Names({"a.txt"}), "Trip");
    EXPECT_TRUE(CheckBatch(plan, Names({"a.txt", "trip0.txt"}), exact).ok());
    EXPECT_FALSE(CheckBatch(plan, Names({"a.txt", "trip0.txt"})).ok());
}

TEST(DescribeProblemTest, NamesTheTargetThatIsInTheWay)
{
    const auto plan = PlanBatch("C:\\T", Names({"a.jpg", "b.txt"}), "Trip");
    const BatchCheck check{BatchProblem::TargetExists, 1};
    const CString text = DescribeProblem(check, plan, "C:\\T");
    EXPECT_NE(text.Find("'Trip1.txt'"), -1) << text.GetString();
    EXPECT_NE(text.Find("'b.txt'"), -1) << text.GetString();
    EXPECT_NE(text.Find("Nothing has been renamed."), -1) << text.GetString();
    EXPECT_EQ(DescribeProblem(BatchCheck{}, plan, "C:\\T"), "");
}

}  // namespace
}  // namespace pelmora
