#include "renamer/batch_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pelmora {
namespace {

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

TEST(CheckBatchTest, ComparesNamesInEveryScriptAsTheFileSystemDoes)
{
    // The new name is the prefix and "0": 254 characters of three bytes and
    // one UTF-16 unit each make a name of 255 units; 128 characters of two
    // units each make one of 257.
    std::string japanese;
    for (int i = 0; i < 254; ++i)
        japanese += "日";
    const std::string japaneseTooLong = japanese + "日";
    std::string emoji;
    for (int i = 0; i < 128; ++i)
        emoji += "😀";
    const CheckCase cases[] = {
        {"listed names of any script", "C:\\T", {"emoji😀.txt", "naïve.txt", "Ελληνικά.doc", "日本.txt"},
         {"データ"}, "P", BatchProblem::None, 0},
        {"Greek in another case", "C:\\T", {"a.txt"}, {"ΕΛΛΗΝΙΚΆ0.TXT"}, "ελληνικά", BatchProblem::TargetExists, 0},
        {"Cyrillic in another case", "C:\\T", {"a", "b.doc"}, {"ФОТО1.DOC"}, "фото", BatchProblem::TargetExists, 1},
        {"a sharp s is no SS", "C:\\T", {"a.txt"}, {"STRASSE0.txt"}, "straße", BatchProblem::None, 0},
        {"a dotless i is no I", "C:\\T", {"a.txt"}, {"I0.txt"}, "ı", BatchProblem::None, 0},
        {"255 units in a name", "C:\\", {"a"}, {}, japanese.c_str(), BatchProblem::None, 0},
        {"256 units in a name", "C:\\", {"a"}, {}, japaneseTooLong.c_str(), BatchProblem::PathTooLong, 0},
        {"surrogate pairs count twice", "C:\\", {"a"}, {}, emoji.c_str(), BatchProblem::PathTooLong, 0},
    };
    for (const CheckCase& c : cases)
        ExpectCheck(c);
}

TEST(CheckBatchTest, AFileNoLongerInTheFolderIsSeenInAdvance)
{
    const auto plan = PlanBatch("C:\\T", {"a.txt", "gone.txt"}, "P");
    const BatchCheck check = CheckBatch(plan, {"a.txt"});
    EXPECT_EQ(check.problem, BatchProblem::SourceMissing);
    EXPECT_EQ(check.step, 1u);
}

TEST(CheckBatchTest, ALongNameIsRefusedInAShortFolder)
{
    // In "C:\\" a name of 256 characters keeps the path within its limit.
    const std::string prefix(kMaxNameLength, 'p');
    const auto plan = PlanBatch("C:\\", {"a"}, prefix.c_str());
    EXPECT_EQ(CheckBatch(plan, {"a"}).problem, BatchProblem::PathTooLong);
    // "pp...p0." is stored without its dot: 255 characters.
    const auto fits = PlanBatch("C:\\", {"a"}, std::string(kMaxNameLength - 1, 'p').c_str());
    EXPECT_TRUE(CheckBatch(fits, {"a"}).ok());
}

TEST(CheckBatchTest, UsesTheGivenCaseFolding)
{
    // A folding that tells case apart lets "trip0.txt" stand beside "Trip0.txt".
    const FoldCase exact = [](std::string_view name) { return std::string(name); };
    const auto plan = PlanBatch("C:\\T", {"a.txt"}, "Trip");
    EXPECT_TRUE(CheckBatch(plan, {"a.txt", "trip0.txt"}, exact).ok());
    EXPECT_FALSE(CheckBatch(plan, {"a.txt", "trip0.txt"}).ok());
}

}  // namespace
}  // namespace pelmora
