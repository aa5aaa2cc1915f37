// What the removal engine does to the machine, behind one interface: the
// engine decides, an implementation acts. The Win32 implementation lives in
// removal_system_win.*; the unit tests use a recording fake.
//
// Every operation that can fail reports nothing (or a plain flag): the
// engine never stops on a failure.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/cstring.h"

enum class RegistryRoot {
    None,
    ClassesRoot,
    CurrentUser,
    LocalMachine,
    Users,
    CurrentConfig,
};

// Folders that a tree removal must never take away, nor any folder holding one.
struct ProtectedFolders {
    std::vector<CString> folders;  // full paths: Windows, system, Program Files, ProgramData, ...
    // Folders nothing inside of which may go as a tree either, however deep:
    // the Windows folder, whose subfolders (drivers, fonts, the product's
    // own uninstall data) belong to the system.
    std::vector<CString> wholeTrees;
    CString profilesRoot;  // the folder holding the users' profiles; each child is a profile
};

class RemovalSystem {
public:
    virtual ~RemovalSystem() = default;

    // The whole file, bytes as they are. False when it cannot be opened or
    // read to its end; `error` then holds the system's error code (never 0).
    virtual bool ReadTextFile(const CString& path, std::string* contents, std::uint32_t* error) = 0;

    // True when the system's file search finds the path as a file or a folder.
    virtual bool PathExists(const CString& path) = 0;
    virtual bool GetAttributes(const CString& path, std::uint32_t* attributes) = 0;
    virtual void SetAttributes(const CString& path, std::uint32_t attributes) = 0;
    virtual void RemoveFile(const CString& path) = 0;
    // Removes a folder only when it is empty.
    virtual void RemoveEmptyFolder(const CString& path) = 0;

    // Absolute form of a path: "." and ".." resolved, "/" turned into "\",
    // long names for short ones where the path exists, no trailing backslash
    // (except after a drive root). Empty when the path cannot be resolved.
    virtual CString FullPath(const CString& path) = 0;
    virtual ProtectedFolders GetProtectedFolders() = 0;
    virtual CString GetCurrentFolder() = 0;
    virtual bool SetCurrentFolder(const CString& path) = 0;
    // Deletes a folder and everything in it (links inside are removed as
    // links or left alone, never followed). Quiet: no confirmation questions.
    virtual bool DeleteFolderTree(const CString& path, bool quiet) = 0;

    // Deletes a service from the service control manager (not stopped first).
    virtual void DeleteService(const CString& name) = 0;
    virtual void DeleteRegistryValue(RegistryRoot root, const CString& keyPath,
                                     const CString& valueName) = 0;
    // Deletes one key below HKEY_LOCAL_MACHINE (no subkeys walked).
    virtual void DeleteMachineKey(const CString& keyPath) = 0;

    // Opens a web address with the shell's default program; does not wait.
    virtual void OpenWebAddress(const CString& address) = 0;
    // Loads a library, calls its export `functionName` with the address of a
    // text buffer of at least 256 bytes holding `libraryPath`, unloads it.
    virtual void CallLibraryFunction(const CString& libraryPath, const CString& functionName) = 0;
    // Starts a program (empty command: no command line at all) and waits for it.
    virtual void RunProgramAndWait(const CString& programPath, const CString& commandLine) = 0;

    // One key of an INI-style file; empty when missing.
    virtual CString ReadProfileText(const CString& path, const char* section, const char* key) = 0;
};

// Where the engine reports progress and status: the page, when there is one.
class RemovalReporter {
public:
    virtual ~RemovalReporter() = default;
    virtual void SetProgressRange(int total) = 0;
    virtual void SetProgressPos(int position) = 0;
    virtual void SetStatusText(const CString& text, int line) = 0;
};
