#include "uninstaller/controls/folder_checks.h"

#include <cstring>
#include <string>

namespace {

bool IsAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The folder goes into the texts as it is: appended, never used as a format,
// so a "%" the user typed shows as typed.
CString FolderMessage(const CString& folder, const char* tail)
{
    return CString("The folder:\n\n") + folder + "\n\n" + tail;
}

}  // namespace

int IsValidFolderName(std::string_view part)
{
    if (part.empty())
        return 0;
    // Windows drops trailing blanks and dots from a name, so such a folder
    // would be made under another name than the one typed; leading ones are
    // refused alike (they also keep "." and ".." out).
    for (const char edge : {part.front(), part.back()}) {
        if (edge == ' ' || edge == '\t' || edge == '.')
            return 0;
    }
    return part.find_first_of("\"*/:<>?\\|") == std::string_view::npos ? 1 : 0;
}

int CreateFolderPath(FolderCheckSystem& system, const char* folder, bool checkOnly)
{
    if (!folder)
        return kFolderInvalid;
    const std::string_view text(folder, std::strlen(folder));
    // A text too long for the folder buffer is refused rather than cut: a cut
    // text would name (and create) a folder the user never typed.
    if (text.size() < 3 || text.size() > static_cast<std::size_t>(kMaxFolderLength))
        return kFolderInvalid;
    if (!IsAsciiLetter(text[0]) || text[1] != ':' || text[2] != '\\')
        return kFolderInvalid;
    if (text.size() == 3) {
        // A drive root cannot be created; it either exists or not.
        if (checkOnly)
            return kFolderAccepted;
        return system.FolderExists(CString(text)) ? kFolderAccepted : kFolderNotCreated;
    }

    // Each part runs to the next backslash or to the end. A backslash at the
    // end, or two in a row, leaves an empty part, which is invalid.
    std::size_t start = 3;
    for (;;) {
        const std::size_t backslash = text.find('\\', start);
        const std::size_t partEnd = backslash == std::string_view::npos ? text.size() : backslash;
        if (!IsValidFolderName(text.substr(start, partEnd - start)))
            return kFolderInvalid;
        if (!checkOnly) {
            // Creating an existing level fails harmlessly; what counts is
            // whether the level is there afterwards.
            const CString level(text.substr(0, partEnd));
            system.CreateOneFolder(level);
            if (!system.FolderExists(level))
                return kFolderNotCreated;
        }
        if (backslash == std::string_view::npos)
            return kFolderAccepted;
        start = backslash + 1;
    }
}

namespace {

// A folder that the tree guard refuses is no installation folder: the
// removal would leave it behind, or, chosen during a removal, it would be
// the tree that the removal takes.
bool RefusedAsInstallFolder(FolderCheckSystem& system, const CString& folder)
{
    const CString reason = system.InstallFolderRefusal(folder);
    if (reason.IsEmpty())
        return false;
    const std::string tail = "can not be the installation folder (" + reason.str() + "). Please choose another folder.";
    system.ShowMessageBox(FolderMessage(folder, tail.c_str()), kFolderErrorFlags);
    return true;
}

}  // namespace

int CheckFolder(FolderCheckSystem& system, const CString& folder)
{
    int result = CreateFolderPath(system, folder, true);
    if (result == kFolderAccepted && RefusedAsInstallFolder(system, folder))
        return kFolderRefused;
    if (result == kFolderAccepted && !system.FolderExists(folder)) {
        const CString question = FolderMessage(
            folder, "does not exist. Do you want the folder to be created?");
        if (system.ShowMessageBox(question, kFolderQuestionFlags) != kAnswerYes)
            return kFolderDeclined;
        result = CreateFolderPath(system, folder, false);
        // Made now, the folder is judged by where it really lies too: a link
        // above it may lead into a profile.
        if (result == kFolderAccepted && RefusedAsInstallFolder(system, folder))
            return kFolderRefused;
    }
    if (result == kFolderAccepted)
        return kFolderAccepted;
    const char* tail = result == kFolderInvalid ? "is invalid. Please reenter."
                                                : "can not be created. Please double check.";
    system.ShowMessageBox(FolderMessage(folder, tail), kFolderErrorFlags);
    return result;
}
