#include "renamer/undo_plan.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace pelmora {

namespace {

// A box lists this many files at most; a folder emptied by another program
// would otherwise give a box taller than the screen.
constexpr std::size_t kMostLinesShown = 20;

CString Number(std::size_t count)
{
    return CString(std::to_string(count));
}

CString ReasonText(const LeftFile& file)
{
    switch (file.reason) {
    case LeftReason::NameGone:
        return "it is no longer in the folder.";
    case LeftReason::OldNameTaken:
        return "another file or folder has its old name now.";
    case LeftReason::RenameFailed:
        return file.errorText;
    }
    return CString();
}

}  // namespace

void RecordRename(BatchRecord& record, const RenameStep& step)
{
    const CString stored(StoredName(step.newName.view()));
    if (stored != step.oldName)
        record.renames.push_back(DoneRename{step.oldName, stored});
}

UndoPlan PlanUndo(const BatchRecord& record, const std::vector<CString>& entries,
                  const std::vector<CString>& folders, FoldCase fold)
{
    // How many entries answer to each folded name, as in the batch's check.
    std::unordered_map<std::string, std::size_t> present;
    for (const CString& entry : entries)
        ++present[fold(StoredName(entry.view()))];
    std::unordered_set<std::string> folderNames;
    for (const CString& folder : folders)
        folderNames.insert(fold(StoredName(folder.view())));

    UndoPlan plan;
    // Backwards, so that a name the batch took from one file and gave to the
    // next is free again when the first file's turn comes.
    for (std::size_t i = record.renames.size(); i-- > 0;) {
        const DoneRename& rename = record.renames[i];
        const std::string source = fold(rename.newName.view());
        const std::string target = fold(StoredName(rename.oldName.view()));
        const auto found = present.find(source);
        // A folder of that name is not the file the batch renamed.
        if (found == present.end() || found->second == 0 || folderNames.count(source)) {
            plan.left.push_back(LeftFile{i, LeftReason::NameGone, CString()});
            continue;
        }
        // A file whose old name differs from its batch name in case only is
        // itself the one entry under the old name.
        const std::size_t holders = present[target] - (target == source ? 1 : 0);
        if (holders != 0) {
            plan.left.push_back(LeftFile{i, LeftReason::OldNameTaken, CString()});
            continue;
        }
        --present[source];
        ++present[target];
        plan.steps.push_back(
            UndoStep{i, JoinPath(record.folder, rename.newName), JoinPath(record.folder, rename.oldName)});
    }
    return plan;
}

CString UndoQuestion(const BatchRecord& record)
{
    const std::size_t count = record.renames.size();
    return "Do You Want To Undo The Last Rename And Give " + Number(count) + (count == 1 ? " File" : " Files") +
           " In Folder '" + record.folder + "' " + (count == 1 ? "Its Old Name" : "Their Old Names") + " Back";
}

CString UndoResultText(std::size_t restored, std::size_t total)
{
    // The label under the bar has room for about eleven characters.
    if (restored == total)
        return "Undone !";
    return restored == 0 ? "Not undone" : "Part undone";
}

CString LeftFilesText(const BatchRecord& record, std::vector<LeftFile> left)
{
    std::sort(left.begin(), left.end(), [](const LeftFile& a, const LeftFile& b) { return a.index < b.index; });
    CString text = "These files in the folder '" + record.folder + "' keep the names the batch gave them:\n\n";
    for (std::size_t i = 0; i < left.size() && i < kMostLinesShown; ++i) {
        if (left[i].index >= record.renames.size())
            continue;
        const DoneRename& rename = record.renames[left[i].index];
        text += rename.newName + " (was " + rename.oldName + "): " + ReasonText(left[i]) + "\n";
    }
    if (left.size() > kMostLinesShown)
        text += "... and " + Number(left.size() - kMostLinesShown) + " more.\n";
    const std::size_t total = record.renames.size();
    const std::size_t restored = total - std::min(left.size(), total);
    text += "\n" + Number(restored) + " of " + Number(total) +
            (total == 1 ? " file has its old name back." : " files have their old names back.");
    return text;
}

}  // namespace pelmora
