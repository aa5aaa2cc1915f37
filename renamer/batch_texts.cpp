#include "renamer/batch_texts.h"

namespace pelmora {

CString ConfirmationQuestion(const CString& folder, const CString& prefix)
{
    return "Do You Want To Rename All The Files In Folder '" + JoinPath(folder, "*.*") + "' With Prefix Name '" +
           prefix + "'";
}

CString RenameTip(const CString& prefix)
{
    return "Files Will Be Rename As:- " + prefix + "01";
}

CString PercentText(int percent)
{
    return CString::Format("%d%% Complete", percent);
}

CString ErrorText(unsigned long error, std::string_view description)
{
    // The system's descriptions end in a line break.
    while (!description.empty() && (description.back() == '\n' || description.back() == '\r'))
        description.remove_suffix(1);
    const CString text = description.empty() ? CString("Unknown error.") : CString(description);
    return CString::Format("Error %lu: ", error) + text;
}

CString UnreadableFolderText(const CString& folder, const CString& errorText)
{
    return "The folder '" + folder + "' cannot be read.\n\n" + errorText + "\n\nNothing has been renamed.";
}

CString DescribeProblem(const BatchCheck& check, const std::vector<RenameStep>& plan,
                        const CString& folder)
{
    if (check.ok() || check.step >= plan.size())
        return CString();
    const RenameStep& step = plan[check.step];
    CString reason;
    switch (check.problem) {
    case BatchProblem::SourceMissing:
        reason = "The file '" + step.oldName + "' is no longer in the folder '" + folder +
                 "'. Choose the folder again to see its files.";
        break;
    case BatchProblem::BadCharacter:
        reason = "'" + step.newName +
                 "' cannot be a file name: names may not hold any of \\ / : * ? \" < > | "
                 "or control characters.";
        break;
    case BatchProblem::ReservedName:
        reason = "'" + step.newName + "' cannot be a file name: Windows reserves it for a device.";
        break;
    case BatchProblem::PathTooLong:
        reason = "'" + step.newPath + "' is too long for a file path.";
        break;
    case BatchProblem::TargetExists:
        reason = "'" + step.oldName + "' cannot be renamed to '" + step.newName +
                 "': that name is already taken in the folder '" + folder + "'.";
        break;
    case BatchProblem::None:
        break;
    }
    return reason + "\n\nNothing has been renamed.";
}

CString RenameFailureText(const CString& errorText, const CString& oldPath, const CString& newPath)
{
    return errorText + "\n\nOld name: " + oldPath + "\nNew name: " + newPath +
           "\n\nThe files before this one have been renamed; this one and the files after it have not.";
}

}  // namespace pelmora
