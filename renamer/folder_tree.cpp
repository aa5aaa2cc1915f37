#include "renamer/folder_tree.h"

#include <string_view>

#include "framework/ascii_case.h"
#include "renamer/name_rule.h"

namespace pelmora {

CString DriveEntryText(char letter, const CString& volumeLabel)
{
    CString text;
    text += AsciiLower(letter);
    text += ':';
    if (!volumeLabel.IsEmpty())
        text += " [" + volumeLabel + "]";
    return text;
}

std::vector<FolderLine> BuildFolderTree(const CString& folder, const std::vector<CString>& subfolders)
{
    std::vector<FolderLine> lines;
    std::string_view rest = folder.view();
    // The root is everything up to and including the first separator ("C:\");
    // a bare "C:" stands for the same root.
    std::size_t rootEnd = rest.find_first_of("\\/");
    rootEnd = rootEnd == std::string_view::npos ? rest.size() : rootEnd + 1;
    CString root(rest.substr(0, rootEnd));
    rest.remove_prefix(rootEnd);
    if (root.GetLength() == 2 && root.GetAt(1) == ':')
        root += '\\';

    FolderLine rootLine;
    rootLine.path = root;
    // A drive root reads as the drive list writes drives: "c:\".
    const bool driveRoot = root.GetLength() >= 2 && root.GetAt(1) == ':';
    rootLine.text = driveRoot ? DriveEntryText(root.GetAt(0), CString()) + root.Mid(2) : root;
    rootLine.open = true;
    lines.push_back(rootLine);

    CString path = root;
    int depth = 0;
    while (!rest.empty()) {
        const std::size_t end = rest.find_first_of("\\/");
        const std::string_view part = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        if (part.empty())
            continue;  // doubled or trailing separators
        path = JoinPath(path, CString(part));
        lines.push_back(FolderLine{CString(part), path, ++depth, true});
    }
    for (const CString& name : subfolders)
        lines.push_back(FolderLine{name, JoinPath(path, name), depth + 1, false});
    return lines;
}

}  // namespace pelmora
