#include "renamer/batch_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pelmora {
namespace {

TEST(ConfirmationQuestionTest, NamesTheFolderPatternAndThePrefix)
{
    EXPECT_EQ(ConfirmationQuestion("C:\\Trip", "Trip"),
              "Do You Want To Rename All The Files In Folder 'C:\\Trip\\*.*' With Prefix Name 'Trip'");
    // A root keeps its one backslash; an empty prefix leaves two apostrophes.
    EXPECT_EQ(ConfirmationQuestion("C:\\", ""),
              "Do You Want To Rename All The Files In Folder 'C:\\*.*' With Prefix Name ''");
}

TEST(RenameTipTest, ShowsThePrefixWithTheFirstNumber)
{
    EXPECT_EQ(RenameTip("Pic"), "Files Will Be Rename As:- Pic01");
    EXPECT_EQ(RenameTip(""), "Files Will Be Rename As:- 01");
}

TEST(PercentTextTest, WritesTheNumberAndAPercentSign)
{
    EXPECT_EQ(PercentText(0), "0% Complete");
    EXPECT_EQ(PercentText(38), "38% Complete");
    EXPECT_EQ(PercentText(100), "100% Complete");
}

TEST(ErrorTextTest, PutsTheNumberBeforeTheDescriptionWithoutItsLineBreak)
{
    struct Case {
        unsigned long error;
        const char* description;
        const char* text;
    };
    const Case cases[] = {
        {183, "Cannot create a file when that file already exists.\r\n",
         "Error 183: Cannot create a file when that file already exists."},
        {32, "In use.\n", "Error 32: In use."},
        {5, "Access denied.", "Error 5: Access denied."},
        {2, "Two lines.\r\nSecond.\r\n\r\n", "Error 2: Two lines.\r\nSecond."},
        {1, "", "Error 1: Unknown error."},
        {4294967295ul, "\r\n", "Error 4294967295: Unknown error."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error);
        EXPECT_EQ(ErrorText(c.error, c.description), c.text);
    }
}

TEST(UnreadableFolderTextTest, SaysNothingWasRenamed)
{
    EXPECT_EQ(UnreadableFolderText("C:\\Gone", "Error 3: Path not found."),
              "The folder 'C:\\Gone' cannot be read.\n\nError 3: Path not found.\n\nNothing has been renamed.");
}

TEST(DescribeProblemTest, NamesTheStepThatCannotBeDone)
{
    const std::vector<RenameStep> plan = PlanBatch("C:\\T", {"a.jpg", "b.txt"}, "Trip");
    struct Case {
        BatchProblem problem;
        std::vector<const char*> named;  // what the text must name
    };
    const Case cases[] = {
        {BatchProblem::SourceMissing, {"'b.txt'", "'C:\\T'"}},
        {BatchProblem::BadCharacter, {"'Trip1.txt'", "\\ / : * ? \" < > |"}},
        {BatchProblem::ReservedName, {"'Trip1.txt'", "device"}},
        {BatchProblem::PathTooLong, {"'C:\\T\\Trip1.txt'"}},
        {BatchProblem::TargetExists, {"'b.txt'", "'Trip1.txt'", "'C:\\T'"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.problem));
        const CString text = DescribeProblem(BatchCheck{c.problem, 1}, plan, "C:\\T");
        for (const char* part : c.named)
            EXPECT_NE(text.Find(part), -1) << part << " in " << text.GetString();
        // The step named is the one the check found, not the first.
        EXPECT_EQ(text.Find("a.jpg"), -1) << text.GetString();
        EXPECT_EQ(text.Right(27), "\n\nNothing has been renamed.") << text.GetString();
    }
}

TEST(DescribeProblemTest, SaysNothingWhenTheBatchCanRun)
{
    const std::vector<RenameStep> plan = PlanBatch("C:\\T", {"a.jpg"}, "Trip");
    EXPECT_EQ(DescribeProblem(BatchCheck{}, plan, "C:\\T"), "");
    EXPECT_EQ(DescribeProblem(BatchCheck{BatchProblem::TargetExists, 5}, plan, "C:\\T"), "");
}

TEST(RenameFailureTextTest, GivesTheSystemsWordsAndBothNames)
{
    const CString text = RenameFailureText("Error 32: In use.", "C:\\T\\b.txt", "C:\\T\\P1.txt");
    EXPECT_EQ(text.Left(28), "Error 32: In use.\n\nOld name:") << text.GetString();
    EXPECT_NE(text.Find("Old name: C:\\T\\b.txt\nNew name: C:\\T\\P1.txt\n\n"), -1) << text.GetString();
}

}  // namespace
}  // namespace pelmora
