// Rules for removing a whole folder tree safely, and the path arithmetic
// that the current-folder climb uses.
#pragma once

#include <functional>

#include "framework/cstring.h"
#include "uninstaller/removal/removal_outcome.h"
#include "uninstaller/removal/removal_system.h"
#include "uninstaller/removal/restart_scheduler.h"

// "C:" or "C:\" with a letter A to Z in either case.
bool IsDriveRoot(const CString& path);

// A is a proper ancestor of B: A is at least two characters shorter, B begins
// with A (letters compared upper-cased) and the character after it is "\".
bool IsProperAncestor(const CString& ancestor, const CString& path);

// "X:\..." or "\\server\..." ("/" counting as "\"): a path that does not
// depend on the current drive or folder.
bool IsAbsolutePath(const CString& path);

// The full path of something below a root, in the one form an installer
// writes: a drive letter, ":" and "\", or "\\server\share\", followed by at
// least one character. "/" is no separator here. Refused: "C:", "C:name"
// (relative to the drive's current folder), "\name", "\\server" without a
// share, a bare root, and device paths ("\\?\", "\\.\").
bool IsFullPath(const CString& path);

// Why a tree removal of `fullPath` (already made absolute by
// RemovalSystem::FullPath) may not go ahead; empty when it may. Refused:
// empty or relative paths, device paths, paths longer than the shell takes,
// wildcards, drive roots and share roots, Boot, Recovery, System Volume
// Information and $Recycle.Bin at the root of a drive, every protected
// folder and every folder that holds one, every folder inside one of the
// whole trees (the Windows folder), the profiles folders, every profile and
// everything in one but the per-user products below AppData (see
// ProfileFolderRefusal), and `productFolder`, what holds it and what lies
// in it. Letters compare case-insensitively.
//
// Without `identity` the path is judged by its text alone. With it, an
// existing folder is judged by its final path too (pass the protected
// folders through WithFinalPaths first), so that another drive letter, a
// link or junction above it, a short name or another letter case leads to
// the same answer; the tree is refused when either is refused.
CString TreeRemovalRefusal(const CString& fullPath, const ProtectedFolders& protectedFolders,
                           const CString& productFolder, FolderIdentity* identity = nullptr);

// Why DeleteTree refuses `path` as it is given, before resolving it: empty
// ("no folder named") or not absolute ("not a full path"). Empty when it
// goes on to resolve the path and ask TreeRemovalRefusal.
CString UnresolvedTreeRefusal(const CString& path);

bool IsTreeRemovalAllowed(const CString& fullPath, const ProtectedFolders& protectedFolders,
                          const CString& productFolder, FolderIdentity* identity = nullptr);

// The protected folders with the final path of each one that exists added
// beside its text: both count.
ProtectedFolders WithFinalPaths(FolderIdentity& identity, const ProtectedFolders& protectedFolders);

// Deletes a folder tree: refuses a `path` that is not absolute, resolves it
// with RemovalSystem::FullPath, refuses what TreeRemovalRefusal refuses
// (by the path's text and by its final path),
// moves the process's current folder out of the tree, then removes the
// resolved path: through the shell's delete, or bottom-up when the tree
// holds a link (a link is removed itself, never followed) or when the shell
// stops part way. Bottom-up, a file in use is scheduled for removal at the
// next restart through `scheduler`, and so is every folder left holding
// only scheduled things, children before parents. `onItemLeft` hears of
// each thing inside the tree that did not go at once (it may be empty).
// The outcome is the tree's own: Removed, AlreadyGone (no such folder),
// Scheduled, Failed or Refused (with the reason).
using TreeItemListener = std::function<void(const CString& path, const RemovalOutcome& outcome)>;
RemovalOutcome DeleteTree(RemovalSystem& system, const CString& path, bool quiet, const CString& productFolder,
                          RestartScheduler& scheduler, const TreeItemListener& onItemLeft = {});
