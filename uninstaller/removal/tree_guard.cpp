#include "uninstaller/removal/tree_guard.h"

#include <cstdint>
#include <string>
#include <vector>

#include "framework/ascii_case.h"
#include "uninstaller/removal/comparable_path.h"
#include "uninstaller/removal/profile_rules.h"

namespace {

// The shell's ANSI file operation takes paths of at most MAX_PATH - 1
// characters. A longer path is refused rather than cut: the cut text could
// name a different folder that exists.
constexpr int MaxShellPathLength = 259;

bool IsLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsSameOrInside(const CString& outer, const CString& inner)
{
    return IsSameOrInside(Comparable(outer), Comparable(inner));
}

CString WithoutTrailingSeparator(const CString& path)
{
    CString result = path;
    while (result.GetLength() > 3 && result.Right(1) == "\\")
        result = result.Left(result.GetLength() - 1);
    return result;
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

namespace {

// Folders Windows keeps at the root of every drive: its boot files, its
// recovery environment, the volume's shadow copies and indexes, and the
// recycle bin of every user.
const char* const kDriveRootSystemFolders[] = {"BOOT", "RECOVERY", "SYSTEM VOLUME INFORMATION", "$RECYCLE.BIN"};

bool IsDriveRootSystemFolder(const ComparablePath& tree)
{
    if (tree.root.size() != 2)  // a drive, not a share
        return false;
    for (const char* name : kDriveRootSystemFolders) {
        if (tree.names[0] == name)
            return true;
    }
    return false;
}

// The names of `inner` below `outer`, when `inner` lies inside it.
bool NamesBelow(const ComparablePath& outer, const ComparablePath& inner, std::vector<std::string>* below)
{
    if (!IsSameOrInside(outer, inner))
        return false;
    below->assign(inner.names.begin() + static_cast<std::ptrdiff_t>(outer.names.size()), inner.names.end());
    return true;
}

CString ProfileRefusal(const ComparablePath& tree, const ProtectedFolders& protectedFolders)
{
    // Each folder right below a profiles folder is a profile, listed or not
    // (Public and Default are no user's, yet every user's programs read them).
    for (const CString& root : protectedFolders.profileRoots) {
        const ComparablePath profiles = Comparable(root);
        if (IsSameOrInside(tree, profiles))
            return "the users' profiles folder, or holds it: " + root;
        std::vector<std::string> below;
        if (NamesBelow(profiles, tree, &below)) {
            below.erase(below.begin());
            return ProfileFolderRefusal(below);
        }
    }
    for (const CString& profile : protectedFolders.profiles) {
        const ComparablePath folder = Comparable(profile);
        if (IsSameOrInside(tree, folder) && tree.names.size() < folder.names.size())
            return "holds a user's profile: " + profile;
        std::vector<std::string> below;
        if (NamesBelow(folder, tree, &below))
            return ProfileFolderRefusal(below);
    }
    return CString();
}

CString RefusalOf(const CString& fullPath, const ProtectedFolders& protectedFolders,
                  const std::vector<CString>& productFolders)
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
    if (IsDriveRootSystemFolder(tree))
        return "a folder Windows keeps at the root of a drive, or inside it";

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
    const CString profileRefusal = ProfileRefusal(tree, protectedFolders);
    if (!profileRefusal.IsEmpty())
        return profileRefusal;

    // The product's folder holds the log being read and the page being shown;
    // it stays whole, and so does everything in it.
    for (const CString& productFolder : productFolders) {
        const ComparablePath product = Comparable(productFolder);
        if (IsSameOrInside(tree, product) || IsSameOrInside(product, tree))
            return "the product's folder of uninstall data, inside it or holding it: " + productFolder;
    }
    return CString();
}

void AddFinalPaths(FolderIdentity& identity, std::vector<CString>* folders)
{
    const std::size_t count = folders->size();
    for (std::size_t i = 0; i < count; ++i) {
        const CString finalPath = identity.FinalPath((*folders)[i]);
        if (!finalPath.IsEmpty() && !EqualsIgnoringAsciiCase(finalPath.view(), (*folders)[i].view()))
            folders->push_back(finalPath);
    }
}

}  // namespace

ProtectedFolders WithFinalPaths(FolderIdentity& identity, const ProtectedFolders& protectedFolders)
{
    ProtectedFolders result = protectedFolders;
    for (std::vector<CString>* folders : {&result.folders, &result.wholeTrees, &result.profileRoots, &result.profiles})
        AddFinalPaths(identity, folders);
    return result;
}

CString TreeRemovalRefusal(const CString& fullPath, const ProtectedFolders& protectedFolders,
                           const CString& productFolder, FolderIdentity* identity)
{
    std::vector<CString> productFolders = {productFolder};
    CString refusal = RefusalOf(fullPath, protectedFolders, productFolders);
    if (!refusal.IsEmpty() || !identity)
        return refusal;
    // The spelling decides what a folder is to the user (under Wine a
    // profile's Documents is a link out of the profile, and only its name
    // shows whose it is); the final path decides which folder it is on disk
    // (another drive letter for the Windows folder, a link above a profile).
    // Either one refusing refuses the tree.
    const CString finalPath = identity->FinalPath(fullPath);
    if (finalPath.IsEmpty() || EqualsIgnoringAsciiCase(finalPath.view(), fullPath.view()))
        return CString();
    const CString productFinalPath = identity->FinalPath(WithoutTrailingSeparator(productFolder));
    if (!productFinalPath.IsEmpty())
        productFolders.push_back(productFinalPath);
    refusal = RefusalOf(finalPath, protectedFolders, productFolders);
    if (!refusal.IsEmpty())
        return refusal + " (the folder is " + finalPath + ")";
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
                          const CString& productFolder, FolderIdentity* identity)
{
    return TreeRemovalRefusal(fullPath, protectedFolders, productFolder, identity).IsEmpty();
}

namespace {

bool IsLink(std::uint32_t attributes)
{
    return (attributes & FileAttributeReparsePoint) != 0;
}

// True when the folder is a link itself or holds one anywhere below it, or
// holds an entry that cannot be named (and so not looked into).
bool TreeHoldsLink(RemovalSystem& system, const CString& folder)
{
    std::uint32_t attributes = 0;
    if (system.GetAttributes(folder, &attributes) && IsLink(attributes))
        return true;
    for (const FolderEntry& entry : system.ListFolder(folder)) {
        // What cannot be named cannot be looked into: it may be a link.
        if (IsLink(entry.attributes) || entry.name.IsEmpty())
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
        if (entry.name.IsEmpty()) {
            Tell(onItemLeft, path,
                 RemovalOutcome::With(RemovalResult::Skipped, "a name the system's code page cannot spell, left as it is"));
        } else if (IsLink(entry.attributes)) {
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
    // The folders' identities are asked once for the whole tree, never for
    // each thing in it.
    const CString fullPath = system.FullPath(path);
    const CString refusal =
        TreeRemovalRefusal(fullPath, WithFinalPaths(system, system.GetProtectedFolders()), productFolder, &system);
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
