// The removal system on Win32: files, folders, the shell's tree delete,
// services, the registry, programs, libraries and web addresses.
#pragma once

#include "uninstaller/removal/removal_system.h"

class Win32RemovalSystem : public RemovalSystem {
public:
    bool ReadTextFile(const CString& path, std::string* contents, std::uint32_t* error) override;

    bool PathExists(const CString& path) override;
    bool GetAttributes(const CString& path, std::uint32_t* attributes) override;
    void SetAttributes(const CString& path, std::uint32_t attributes) override;
    SystemError RemoveFile(const CString& path) override;
    SystemError RemoveEmptyFolder(const CString& path) override;
    SystemError RemoveLink(const CString& path, std::uint32_t attributes) override;
    std::vector<FolderEntry> ListFolder(const CString& path) override;
    SystemError ScheduleRemovalAtRestart(const CString& path) override;
    CString ErrorText(SystemError error) override;

    CString FullPath(const CString& path) override;
    CString FinalPath(const CString& path) override;
    ProtectedFolders GetProtectedFolders() override;
    CString GetCurrentFolder() override;
    bool SetCurrentFolder(const CString& path) override;
    bool DeleteFolderTree(const CString& path, bool quiet) override;

    SystemError DeleteService(const CString& name) override;
    SystemError DeleteRegistryValue(RegistryRoot root, const CString& keyPath, const CString& valueName) override;
    SystemError DeleteMachineKey(const CString& keyPath) override;

    SystemError OpenWebAddress(const CString& address) override;
    SystemError CallLibraryFunction(const CString& libraryPath, const CString& functionName) override;
    SystemError RunProgramAndWait(const CString& programPath, const CString& commandLine) override;

    CString ReadProfileText(const CString& path, const char* section, const char* key) override;
};

// Reads a whole file as the removal reads its log. False when it cannot be
// opened (missing, a folder, locked without sharing, access denied) or read
// to its end; `error` then holds the system's error code, never 0.
bool ReadWholeFile(const CString& path, std::string* contents, std::uint32_t* error);

// The system's text for an error code (FormatMessage), as the system gives
// it; empty when it has none.
CString SystemErrorText(std::uint32_t code);

// True when the system's file search finds the path as a file or a folder.
// An empty path, one that ends in a backslash and one with wildcards do not
// exist.
bool FileSearchFinds(const CString& path);

// One key of an INI-style file through the system's private-profile reader,
// whole whatever its length; empty when missing.
CString ReadProfileText(const CString& path, const char* section, const char* key);

// Reads one value below HKEY_LOCAL_MACHINE as text; empty when the key cannot
// be opened with full access or the value cannot be read.
CString ReadRegistryText(const CString& keyPath, const CString& valueName);
