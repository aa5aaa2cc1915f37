// Rules for removing a whole folder tree safely, and the path arithmetic
// that the current-folder climb uses.
#pragma once

#include "framework/cstring.h"
#include "uninstaller/removal/removal_system.h"

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

// Whether a tree removal of `fullPath` (already made absolute by
// RemovalSystem::FullPath) may go ahead. Refused: empty or relative paths,
// device paths, paths longer than the shell takes, wildcards, drive roots and
// share roots, every protected folder and every folder that holds one,
// every folder inside one of the whole trees (the Windows folder), the
// profiles root and any user's profile, and `productFolder`, what holds it
// and what lies in it. Letters compare case-insensitively.
bool IsTreeRemovalAllowed(const CString& fullPath, const ProtectedFolders& protectedFolders,
                          const CString& productFolder);

// Deletes a folder tree: refuses a `path` that is not absolute, resolves it
// with RemovalSystem::FullPath, refuses what IsTreeRemovalAllowed refuses,
// moves the process's current folder out of the tree, then removes the
// resolved path. True on success.
bool DeleteTree(RemovalSystem& system, const CString& path, bool quiet, const CString& productFolder);
