// What kelcheck reads of the machine, behind one interface: kelcheck only
// reads, never changes anything. The Win32 implementation is
// check_system_win.*; the unit tests hand files in from memory.
#pragma once

#include <cstdint>
#include <string>

#include "framework/cstring.h"
#include "uninstaller/pages/profile_reader.h"
#include "uninstaller/removal/removal_system.h"

// A FolderIdentity too: the tree guard judges a folder by its final path,
// as kelrun's removal does.
class CheckSystem : public FolderIdentity {
public:
    virtual ~CheckSystem() = default;

    // The whole file, bytes as they are, as kelrun reads its log. False when
    // it cannot be opened or read; `error` then holds the system's code.
    virtual bool ReadFile(const CString& path, std::string* contents, std::uint32_t* error) = 0;
    // The system's text for an error code; empty when it has none.
    virtual CString ErrorText(std::uint32_t error) = 0;
    // The size of an existing file (not a folder), as a picture must be;
    // -1 when there is no such file.
    virtual long long FileSize(const CString& path) = 0;
    // The page and language files as kelrun reads them, key by key.
    virtual ProfileReader& Profiles() = 0;
    // What kelrun's tree guard compares with (RemovalSystem has the same).
    virtual CString FullPath(const CString& path) = 0;
    virtual ProtectedFolders GetProtectedFolders() = 0;
};

// What is checked. `productFolder` is a full path ending in a backslash.
// An installed product (found by its product code) has its installation
// folder from its Uninstall key; a folder checked before any installation
// has none, and the rules that need one are skipped.
struct CheckTarget {
    CString productFolder;
    bool installed = false;
    CString installFolder;  // LastInstallationPath, as kelrun reads it; only when installed
};
