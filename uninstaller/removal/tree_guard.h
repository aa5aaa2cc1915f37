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
// wildcards, drive roots and share roots, every protected folder and every
// folder that holds one, every folder inside one of the whole trees (the
// Windows folder), the profiles root and any user's profile, and
// `productFolder`, what holds it and what lies in it. Letters compare
// case-insensitively.
CString TreeRemovalRefusal(const CString& fullPath, const ProtectedFolders& protectedFolders,
                           const CString& productFolder);

// Why DeleteTree refuses `path` as it is given, before resolving it: empty
// ("no folder named") or not absolute ("not a full path"). Empty when it
// goes on to resolve the path and ask TreeRemovalRefusal.
CString UnresolvedTreeRefusal(const CString& path);

bool IsTreeRemovalAllowed(const CString& fullPath, const ProtectedFolders& protectedFolders,
                          const CString& productFolder);

// Deletes a folder tree: refuses a `path` that is not absolute, resolves it
// with RemovalSystem::FullPath, refuses what TreeRemovalRefusal refuses,
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
