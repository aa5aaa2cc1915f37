#include "renamer/undo_plan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace pelmora {
namespace {

BatchRecord Record(const std::vector<std::pair<const char*, const char*>>& renames)
{
    BatchRecord record{"C:\\T", {}};
    for (const auto& [oldName, newName] : renames)
        record.renames.push_back(DoneRename{oldName, newName});
    return record;
}

struct UndoCase {
    const char* what;
    std::vector<std::pair<const char*, const char*>> renames;  // old name, batch name
    std::vector<CString> entries;                              // the folder now
    std::vector<CString> folders;                              // those of them that are folders
    std::vector<std::size_t> steps;                            // renames back, in order
    std::vector<std::pair<std::size_t, LeftReason>> left;
};

TEST(PlanUndoTest, RenamesBackWhatItCanAndNeverOntoATakenName)
{
    const auto gone = LeftReason::NameGone;
    const auto taken = LeftReason::OldNameTaken;
    using Renames = std::vector<std::pair<const char*, const char*>>;
    const Renames abc = {{"a.txt", "P0.txt"}, {"b", "P1"}, {"c.doc", "P2.doc"}};
    const Renames passedOn = {{"Trip1.txt", "Trip0.txt"}, {"b.txt", "Trip1.txt"}};
    const UndoCase cases[] = {
        {"the folder as the batch left it", abc, {"P0.txt", "P1", "P2.doc", "x"}, {}, {2, 1, 0}, {}},
        {"a renamed file deleted since", abc, {"P0.txt", "P2.doc"}, {}, {2, 0}, {{1, gone}}},
        {"a folder of the batch's name", abc, {"P0.txt", "P1", "P2.doc"}, {"P1"}, {2, 0}, {{1, gone}}},
        {"an old name taken in another case", abc, {"P0.txt", "P1", "P2.doc", "A.TXT"}, {}, {2, 1}, {{0, taken}}},
        {"an old name taken by a folder", abc, {"P0.txt", "P1", "P2.doc", "b"}, {"b"}, {2, 0}, {{1, taken}}},
        {"a batch name in another case", abc, {"p0.TXT", "P1", "P2.doc"}, {}, {2, 1, 0}, {}},
        {"names the batch passed on", passedOn, {"Trip0.txt", "Trip1.txt"}, {}, {1, 0}, {}},
        {"a chain stopped by a taken name", passedOn, {"Trip0.txt", "Trip1.txt", "b.txt"}, {}, {},
         {{1, taken}, {0, taken}}},
        {"a change of case only", {{"TRIP0.txt", "Trip0.txt"}}, {"Trip0.txt"}, {}, {0}, {}},
        {"names of any script", {{"Ελληνικά.doc", "P0.doc"}, {"日本.txt", "P1.txt"}},
         {"P0.doc", "P1.txt", "ΕΛΛΗΝΙΚΆ.DOC"}, {}, {1}, {{0, taken}}},
    };
    for (const UndoCase& c : cases) {
        SCOPED_TRACE(c.what);
        const BatchRecord record = Record(c.renames);
        const UndoPlan plan = PlanUndo(record, c.entries, c.folders);
        std::vector<std::size_t> steps;
        for (const UndoStep& step : plan.steps) {
            steps.push_back(step.index);
            EXPECT_EQ(step.fromPath, "C:\\T\\" + record.renames[step.index].newName);
            EXPECT_EQ(step.toPath, "C:\\T\\" + record.renames[step.index].oldName);
        }
        EXPECT_EQ(steps, c.steps);
        std::vector<std::pair<std::size_t, LeftReason>> left;
        for (const LeftFile& file : plan.left)
            left.emplace_back(file.index, file.reason);
        EXPECT_EQ(left, c.left);
    }
}

TEST(RecordRenameTest, KeepsTheStoredNameAndSkipsARenameOntoItself)
{
    BatchRecord record;
    for (const RenameStep& step : PlanBatch("C:\\T", {"c", "P1.txt", "b.txt"}, "P"))
        RecordRename(record, step);
    ASSERT_EQ(record.renames.size(), 2u);
    EXPECT_EQ(record.renames[0].newName, "P0");  // "P0." is stored without its dot
    EXPECT_EQ(record.renames[1].oldName, "b.txt");
}

TEST(UndoTextsTest, NameTheFolderTheCountAndEachFileLeft)
{
    EXPECT_EQ(UndoQuestion(Record({{"a", "P0"}})),
              "Do You Want To Undo The Last Rename And Give 1 File In Folder 'C:\\T' Its Old Name Back");
    EXPECT_EQ(UndoQuestion(Record({{"a", "P0"}, {"日本.txt", "P1.txt"}})),
              "Do You Want To Undo The Last Rename And Give 2 Files In Folder 'C:\\T' Their Old Names Back");
    EXPECT_EQ(UndoResultText(3, 3), "Undone !");
    EXPECT_EQ(UndoResultText(1, 3), "Part undone");
    EXPECT_EQ(UndoResultText(0, 3), "Not undone");

    const BatchRecord record = Record({{"a.txt", "P0.txt"}, {"日本.txt", "P1.txt"}, {"c", "P2"}});
    const std::vector<LeftFile> left = {{2, LeftReason::RenameFailed, "Error 32: In use."},
                                        {1, LeftReason::OldNameTaken, ""}};
    EXPECT_EQ(LeftFilesText(record, left),
              "These files in the folder 'C:\\T' keep the names the batch gave them:\n\n"
              "P1.txt (was 日本.txt): another file or folder has its old name now.\n"
              "P2 (was c): Error 32: In use.\n\n"
              "1 of 3 files have their old names back.");
}

TEST(UndoTextsTest, ALongListOfFilesLeftIsCutShort)
{
    BatchRecord record{"C:\\T", std::vector<DoneRename>(25, DoneRename{"a", "b"})};
    std::vector<LeftFile> left;
    for (std::size_t i = 0; i < 25; ++i)
        left.push_back(LeftFile{i, LeftReason::NameGone, ""});
    const std::string text = LeftFilesText(record, left).str();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2 + 20 + 1 + 1);
    EXPECT_NE(text.find("\n... and 5 more.\n\n0 of 25 files"), std::string::npos) << text;
}

}  // namespace
}  // namespace pelmora
