#include "uninstaller/removal/tree_guard.h"

#include <cstdint>
#include <string>
#include <vector>

#include "framework/ascii_case.h"

namespace {

// The shell's ANSI file operation takes paths of at most MAX_PATH - 1
// characters. A longer path is refused rather than cut: the cut text could
// name a different folder that exists.
constexpr int MaxShellPathLength = 259;

bool IsLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// A full path in one comparable form: the root ("C:" or "\\SERVER\SHARE")
// and the folder names below it, all upper-cased. Repeated and trailing
// backslashes vanish, "/" counts as "\", and trailing dots and blanks of a
// name are dropped as Windows drops them, so "C:\Windows.\" compares equal
// to "C:\WINDOWS".
struct ComparablePath {
    bool valid = false;
    std::string root;
    std::vector<std::string> names;
};

std::vector<std::string> SplitNames(std::string_view text)
{
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\\', start);
        if (end == std::string_view::npos)
            end = text.size();
        if (end > start)
            names.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

// Drops trailing dots and blanks of each name. A name that is nothing but
// dots and blanks ("." or "..") means the path was never made full.
bool TrimNames(std::vector<std::string>& names)
{
    for (std::string& name : names) {
        const std::size_t last = name.find_last_not_of(". ");
        if (last == std::string::npos)
            return false;
        name.erase(last + 1);
    }
    return true;
}

ComparablePath Comparable(const CString& path)
{
    ComparablePath result;
    std::string text = ToAsciiUpper(path.view());
    for (char& c : text) {
        if (c == '/')
            c = '\\';
    }

    if (text.size() >= 2 && IsLetter(text[0]) && text[1] == ':') {
        if (text.size() > 2 && text[2] != '\\')
            return result;  // "C:name" is relative to the drive's current folder
        result.root = text.substr(0, 2);
        result.names = SplitNames(std::string_view(text).substr(2));
    } else if (text.size() > 2 && text[0] == '\\' && text[1] == '\\' && text[2] != '\\') {
        // \\server\share\...: the share is the root, as the drive is for a
        // drive path.
        std::vector<std::string> parts = SplitNames(std::string_view(text).substr(2));
        if (parts.size() < 2)
            return result;
        const std::string& server = parts[0];
        const std::string& share = parts[1];
        // "\\.\" and "\\?\" open the device namespace, where "\\.\C:\Windows"
        // names C:\Windows without looking like it; and "\\host\C$" is a whole
        // drive behind a share name. Neither can be compared with the
        // protected folders, so neither counts as a full path.
        if (server == "." || server == "?")
            return result;
        if (share.size() == 2 && IsLetter(share[0]) && share[1] == '$')
            return result;
        result.root = "\\\\" + server + "\\" + share;
        result.names.assign(parts.begin() + 2, parts.end());
    } else {
        return result;  // relative, or relative to the current drive's root
    }
    result.valid = TrimNames(result.names);
    return result;
}

// `inner` is `outer` itself or lies somewhere below it.
bool IsSameOrInside(const ComparablePath& outer, const ComparablePath& inner)
{
    if (!outer.valid || !inner.valid || outer.root != inner.root ||
        inner.names.size() < outer.names.size())
        return false;
    for (std::size_t i = 0; i < outer.names.size(); ++i) {
        if (outer.names[i] != inner.names[i])
            return false;
    }
    return true;
}

bool IsSameOrInside(const CString& outer, const CString& inner)
{
    return IsSameOrInside(Comparable(outer), Comparable(inner));
}

}  // namespace

bool IsDriveRoot(const CString& path)
{
    const int length = path.GetLength();
    if (length != 2 && length != 3)
        return false;
    return IsLetter(path.GetAt(0)) && path.GetAt(1) == ':' && (length == 2 || path.GetAt(2) == '\\');
}

bool IsProperAncestor(const CString& ancestor, const CString& path)
{
    const int length = ancestor.GetLength();
    if (path.GetLength() - length < 2)
        return false;
    for (int i = 0; i < length; ++i) {
        if (AsciiUpper(ancestor.GetAt(i)) != AsciiUpper(path.GetAt(i)))
            return false;
    }
    return path.GetAt(length) == '\\';
}

bool IsAbsolutePath(const CString& path)
{
    // Windows takes "/" for "\" in both forms.
    auto separator = [&path](int at) { return path.GetAt(at) == '\\' || path.GetAt(at) == '/'; };
    const int length = path.GetLength();
    if (length < 3)
        return false;
    if (IsLetter(path.GetAt(0)) && path.GetAt(1) == ':' && separator(2))
        return true;
    return separator(0) && separator(1) && !separator(2);
}

bool IsFullPath(const CString& path)
{
    // Below the root there must be a name, not just more backslashes: "C:\\"
    // is still the root.
    const std::string_view text = path.view();
    auto namesSomethingFrom = [&text](std::size_t at) {
        return at < text.size() && text.find_first_not_of('\\', at) != std::string_view::npos;
    };
    if (text.size() >= 3 && IsLetter(text[0]) && text[1] == ':' && text[2] == '\\')
        return namesSomethingFrom(3);
    if (text.size() < 2 || text[0] != '\\' || text[1] != '\\')
        return false;
    // \\server\share\name: a server, a share, and something below the share.
    const std::size_t serverEnd = text.find('\\', 2);
    if (serverEnd == std::string_view::npos || serverEnd == 2)
        return false;
    // "\\?\" and "\\.\" open the device namespace, where a path can name a
    // disk or a pipe rather than a file.
    const std::string_view server = text.substr(2, serverEnd - 2);
    if (server == "?" || server == ".")
        return false;
    const std::size_t shareEnd = text.find('\\', serverEnd + 1);
    return shareEnd != std::string_view::npos && shareEnd > serverEnd + 1 && namesSomethingFrom(shareEnd + 1);
}

CString TreeRemovalRefusal(const CString& fullPath, const ProtectedFolders& protectedFolders,
                           const CString& productFolder)
{
    if (fullPath.IsEmpty())
        return "no folder named";
    if (fullPath.GetLength() > MaxShellPathLength)
        return "longer than the " + std::to_string(MaxShellPathLength) + " characters the shell takes";
    // The shell expands wildcards: "C:\*" would empty the whole drive.
    if (fullPath.Find('*') >= 0 || fullPath.Find('?') >= 0)
        return "holds wildcards";

    const ComparablePath tree = Comparable(fullPath);
    if (!tree.valid)
        return "not a full path";
    if (tree.names.empty())
        return "a drive or share root";

    for (const CString& folder : protectedFolders.folders) {
        if (IsSameOrInside(tree, Comparable(folder)))
            return "a system or user folder, or holds one: " + folder;
    }
    // Nothing in the Windows folder is the product's to take whole: an
    // installation folder of "<system>\drivers" names no protected folder
    // itself, yet its loss leaves the machine unable to start.
    for (const CString& folder : protectedFolders.wholeTrees) {
        const ComparablePath whole = Comparable(folder);
        if (IsSameOrInside(tree, whole) || IsSameOrInside(whole, tree))
            return "the Windows folder, inside it or holding it: " + folder;
    }

    // The profiles root holds every user's profile; taking one profile is as
    // bad as taking them all.
    const ComparablePath profiles = Comparable(protectedFolders.profilesRoot);
    if (IsSameOrInside(tree, profiles))
        return "the users' profiles folder, or holds it: " + protectedFolders.profilesRoot;
    if (IsSameOrInside(profiles, tree) && tree.names.size() == profiles.names.size() + 1)
        return "a user's profile";

    // The product's folder holds the log being read and the page being shown;
    // it stays whole, and so does everything in it.
    const ComparablePath product = Comparable(productFolder);
    if (IsSameOrInside(tree, product) || IsSameOrInside(product, tree))
        return "the product's folder of uninstall data, inside it or holding it: " + productFolder;
    return CString();
}

CString UnresolvedTreeRefusal(const CString& path)
{
    // A relative path names a folder below wherever the process happens to
    // stand, which says nothing about the product.
    if (IsAbsolutePath(path))
        return CString();
    return path.IsEmpty() ? "no folder named" : "not a full path";
}

bool IsTreeRemovalAllowed(const CString& fullPath, const ProtectedFolders& protectedFolders,
                          const CString& productFolder)
{
    return TreeRemovalRefusal(fullPath, protectedFolders, productFolder).IsEmpty();
}

namespace {

bool IsLink(std::uint32_t attributes)
{
    return (attributes & FileAttributeReparsePoint) != 0;
}

// True when the folder is a link itself or holds one anywhere below it.
bool TreeHoldsLink(RemovalSystem& system, const CString& folder)
{
    std::uint32_t attributes = 0;
    if (system.GetAttributes(folder, &attributes) && IsLink(attributes))
        return true;
    for (const FolderEntry& entry : system.ListFolder(folder)) {
        if (IsLink(entry.attributes))
            return true;
        if ((entry.attributes & FileAttributeDirectory) != 0 && TreeHoldsLink(system, folder + "\\" + entry.name))
            return true;
    }
    return false;
}

void Tell(const TreeItemListener& onItemLeft, const CString& path, const RemovalOutcome& outcome)
{
    if (onItemLeft)
        onItemLeft(path, outcome);
}

// Empties a folder bottom-up without ever entering a link: a link is removed
// itself (Windows removes a junction or file link as a link; Wine cannot
// remove a folder link and leaves it), a file in use is scheduled, and a
// subfolder goes, or is scheduled, after everything in it.
void EmptyFolderBottomUp(RemovalSystem& system, RestartScheduler& scheduler, const CString& folder,
                         const TreeItemListener& onItemLeft)
{
    for (const FolderEntry& entry : system.ListFolder(folder)) {
        const CString path = folder + "\\" + entry.name;
        if (IsLink(entry.attributes)) {
            const SystemError error = system.RemoveLink(path, entry.attributes);
            if (error != system_error::None) {
                RemovalOutcome outcome = RemovalOutcome::Of(RemovalResult::Failed, error);
                outcome.detail = "a link, left as it is";
                Tell(onItemLeft, path, outcome);
            }
        } else if ((entry.attributes & FileAttributeDirectory) != 0) {
            EmptyFolderBottomUp(system, scheduler, path, onItemLeft);
            const RemovalOutcome outcome = scheduler.RemoveFolder(path, true);
            if (outcome.result != RemovalResult::Removed)
                Tell(onItemLeft, path, outcome);
        } else {
            const RemovalOutcome outcome = scheduler.RemoveFile(path);
            if (outcome.result != RemovalResult::Removed && outcome.result != RemovalResult::AlreadyGone)
                Tell(onItemLeft, path, outcome);
        }
    }
}

}  // namespace

RemovalOutcome DeleteTree(RemovalSystem& system, const CString& path, bool quiet, const CString& productFolder,
                          RestartScheduler& scheduler, const TreeItemListener& onItemLeft)
{
    const CString unresolved = UnresolvedTreeRefusal(path);
    if (!unresolved.IsEmpty())
        return RemovalOutcome::With(RemovalResult::Refused, unresolved);

    // Everything below works on the resolved path: the check, the climb and
    // the removal see the same folder, whatever changes the climb makes.
    const CString fullPath = system.FullPath(path);
    const CString refusal = TreeRemovalRefusal(fullPath, system.GetProtectedFolders(), productFolder);
    if (!refusal.IsEmpty())
        return RemovalOutcome::With(RemovalResult::Refused, refusal);
    if (!system.PathExists(fullPath))
        return RemovalOutcome::Of(RemovalResult::AlreadyGone);

    // Windows will not remove a folder that a process holds as its current
    // folder, so climb out of the tree first.
    CString current = system.GetCurrentFolder();
    while (!IsProperAncestor(current, fullPath)) {
        if (IsDriveRoot(current))
            break;
        const int cut = current.ReverseFind('\\');
        if (cut < 0)
            break;
        const CString parent = current.Left(cut);
        if (IsDriveRoot(parent)) {
            // One level below the root, such as C:\Sample: the parent "C:"
            // alone would mean "the current folder of drive C", so the root
            // itself becomes current, and only when the tree holds us.
            if (IsSameOrInside(fullPath, current))
                system.SetCurrentFolder(parent.Left(2) + "\\");
            break;
        }
        // A folder that cannot be made current (\\server of \\server\share)
        // ends the climb; trying again would never end.
        if (!system.SetCurrentFolder(parent))
            break;
        current = system.GetCurrentFolder();
    }

    // The shell's delete may follow a link and empty the folder it points
    // to, outside the tree; such a tree goes bottom-up. So does what the
    // shell leaves when it stops at a file in use.
    if (!TreeHoldsLink(system, fullPath)) {
        system.DeleteFolderTree(fullPath, quiet);
        if (!system.PathExists(fullPath))
            return RemovalOutcome::Of(RemovalResult::Removed);
    }

    std::uint32_t attributes = 0;
    if (system.GetAttributes(fullPath, &attributes) && IsLink(attributes)) {
        const SystemError error = system.RemoveLink(fullPath, attributes);
        if (error == system_error::None)
            return RemovalOutcome::Of(RemovalResult::Removed);
        RemovalOutcome outcome = RemovalOutcome::Of(RemovalResult::Failed, error);
        outcome.detail = "a link, left as it is";
        return outcome;
    }
    EmptyFolderBottomUp(system, scheduler, fullPath, onItemLeft);
    return scheduler.RemoveFolder(fullPath, true);
}
