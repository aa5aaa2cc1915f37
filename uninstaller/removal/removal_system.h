// What the removal engine does to the machine, behind one interface: the
// engine decides, an implementation acts. The Win32 implementation lives in
// removal_system_win.*; the unit tests use a recording fake.
//
// An operation that can fail returns the system's error code (0 for
// success), so that the engine can decide what follows a failure (a file in
// use is removed at the next restart) and the removal report can name it.
// The engine never stops on a failure.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/cstring.h"

// A system error code as the system gives it; 0 is success.
using SystemError = std::uint32_t;

// The few system error codes the engine tells apart.
namespace system_error {
constexpr SystemError None = 0;
constexpr SystemError FileNotFound = 2;
constexpr SystemError PathNotFound = 3;
constexpr SystemError AccessDenied = 5;
constexpr SystemError SharingViolation = 32;
constexpr SystemError ProcNotFound = 127;
constexpr SystemError DirNotEmpty = 145;
constexpr SystemError ServiceDoesNotExist = 1060;
}  // namespace system_error

// File attribute bits as the system reports them.
constexpr std::uint32_t FileAttributeReadOnly = 0x1;
constexpr std::uint32_t FileAttributeDirectory = 0x10;
constexpr std::uint32_t FileAttributeReparsePoint = 0x400;

// One entry of a folder ("." and ".." are never listed).
struct FolderEntry {
    // The name in the system code page, or the entry's short name when its
    // own has no exact spelling there; empty when it has neither, and the
    // entry cannot be named at all.
    CString name;
    std::uint32_t attributes = 0;
};

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
    // The folders holding the users' profiles: each folder directly below
    // one is a profile.
    std::vector<CString> profileRoots;
    // The profiles the system lists, wherever they lie.
    std::vector<CString> profiles;
};

// Which folder a path names, as the file system sees it.
class FolderIdentity {
public:
    virtual ~FolderIdentity() = default;
    // The real, final path of an existing file or folder: other drive
    // letters, links and junctions anywhere in it and short names resolved.
    // Empty when the path does not exist or cannot be opened.
    virtual CString FinalPath(const CString& path) = 0;
};

class RemovalSystem : public FolderIdentity {
public:
    virtual ~RemovalSystem() = default;

    // The whole file, bytes as they are. False when it cannot be opened or
    // read to its end; `error` then holds the system's error code (never 0).
    virtual bool ReadTextFile(const CString& path, std::string* contents, std::uint32_t* error) = 0;

    // True when the system's file search finds the path as a file or a folder.
    virtual bool PathExists(const CString& path) = 0;
    virtual bool GetAttributes(const CString& path, std::uint32_t* attributes) = 0;
    virtual void SetAttributes(const CString& path, std::uint32_t attributes) = 0;
    virtual SystemError RemoveFile(const CString& path) = 0;
    // Removes a folder only when it is empty.
    virtual SystemError RemoveEmptyFolder(const CString& path) = 0;
    // Removes a link (a folder link or junction, or a file link) itself,
    // never what it points to.
    virtual SystemError RemoveLink(const CString& path, std::uint32_t attributes) = 0;
    // The entries of a folder; empty when it cannot be read.
    virtual std::vector<FolderEntry> ListFolder(const CString& path) = 0;
    // Has the system delete a file, or an empty folder, when Windows next
    // starts. Needs administrator rights.
    virtual SystemError ScheduleRemovalAtRestart(const CString& path) = 0;
    // The system's text for an error code; empty when it has none.
    virtual CString ErrorText(SystemError error) = 0;

    // Absolute form of a path: "." and ".." resolved, "/" turned into "\",
    // long names for short ones where the path exists, no trailing backslash
    // (except after a drive root). Empty when the path cannot be resolved.
    virtual CString FullPath(const CString& path) = 0;
    virtual ProtectedFolders GetProtectedFolders() = 0;
    virtual CString GetCurrentFolder() = 0;
    virtual bool SetCurrentFolder(const CString& path) = 0;
    // The shell's delete of a folder and everything in it. Quiet: no
    // confirmation questions and no error boxes. The shell may follow a link
    // inside the tree, so a tree that holds one never comes here (DeleteTree
    // removes it bottom-up instead). True when the shell reports success.
    virtual bool DeleteFolderTree(const CString& path, bool quiet) = 0;

    // Deletes a service from the service control manager (not stopped first).
    virtual SystemError DeleteService(const CString& name) = 0;
    virtual SystemError DeleteRegistryValue(RegistryRoot root, const CString& keyPath,
                                            const CString& valueName) = 0;
    // Deletes one key below HKEY_LOCAL_MACHINE (no subkeys walked).
    virtual SystemError DeleteMachineKey(const CString& keyPath) = 0;

    // Opens a web address with the shell's default program; does not wait.
    virtual SystemError OpenWebAddress(const CString& address) = 0;
    // Loads a library, calls its export `functionName` with the address of a
    // text buffer of at least 256 bytes holding `libraryPath`, unloads it.
    virtual SystemError CallLibraryFunction(const CString& libraryPath, const CString& functionName) = 0;
    // Starts a program (empty command: no command line at all) and waits for it.
    virtual SystemError RunProgramAndWait(const CString& programPath, const CString& commandLine) = 0;

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
