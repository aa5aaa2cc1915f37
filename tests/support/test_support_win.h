// Helpers for the Win32 tests that run under Wine: scratch folders, files,
// links, registry keys, services, environment, and where the programs are.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/cstring.h"
#include "framework/handle_win.h"

namespace testsupport {

// A fresh folder below C:\kelrun-tests, removed with everything in it
// (links removed, never followed) when the object goes.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& name);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

void WriteFile(const std::string& path, const std::string& contents);
std::string ReadFile(const std::string& path);
// The file's lines without their line ends; empty when the file is missing.
std::vector<std::string> ReadLines(const std::string& path);
bool PathExists(const std::string& path);
void MakeFolders(const std::string& path);
// Removes a tree bottom-up; links are removed as links, never entered.
void RemoveTree(const std::string& path);

// A link at `link` to the folder (or file) `target`. Under Wine it is a
// Unix symbolic link, which Windows programs see as a reparse point.
bool MakeFolderLink(const std::string& link, const std::string& target);
bool MakeFileLink(const std::string& link, const std::string& target);

// The registry view of the programs under test. On 64-bit Windows a 32-bit
// program reads and writes HKEY_LOCAL_MACHINE\Software through the 32-bit
// view (Software\WOW6432Node), as the 32-bit installer that registered the
// product did; a 64-bit program through the 64-bit view. Tests write what
// the program under test reads, and put into the other view only what it
// must never see. (A 32-bit Windows has one view and ignores both flags.)
#ifdef _WIN64
constexpr REGSAM kProgramView = KEY_WOW64_64KEY;
constexpr REGSAM kOtherView = KEY_WOW64_32KEY;
#else
constexpr REGSAM kProgramView = KEY_WOW64_32KEY;
constexpr REGSAM kOtherView = KEY_WOW64_64KEY;
#endif

// A key below HKEY_LOCAL_MACHINE in the programs' view, created now and
// deleted with its subkeys when the object goes.
class MachineKey {
public:
    explicit MachineKey(const std::string& path);
    ~MachineKey();
    MachineKey(const MachineKey&) = delete;
    MachineKey& operator=(const MachineKey&) = delete;
    HKEY Get() const { return key_.Get(); }
    void Close() { key_.Close(); }

private:
    std::string path_;
    CRegKey key_;
};

bool KeyExists(HKEY root, const std::string& path, REGSAM view = kProgramView);
bool ValueExists(HKEY root, const std::string& key, const std::string& name, REGSAM view = kProgramView);
void SetStringValue(HKEY root, const std::string& key, const std::string& name, const std::string& value,
                    REGSAM view = kProgramView);
// Deletes a key with its subkeys.
void DeleteKeyTree(HKEY root, const std::string& path, REGSAM view = kProgramView);

// What the system is asked to delete when Windows next starts: the sources
// of PendingFileRenameOperations that have no new name, in order, without
// their "\??\" prefix.
std::vector<std::string> PendingRemovals();
// Takes every pending operation whose source lies at or below `prefix` out of
// PendingFileRenameOperations, and the value itself when nothing is left.
// Tests that make kelrun schedule files clean up with it: the value belongs
// to the whole prefix, which every test of one run shares.
void ForgetPendingRemovals(const std::string& prefix);

// A demand-start service whose program is never run.
bool CreateDemandService(const std::string& name);
bool ServiceExists(const std::string& name);
void DeleteServiceIfPresent(const std::string& name);

// Sets an environment variable for the object's life (children inherit it).
class ScopedEnvironment {
public:
    ScopedEnvironment(const std::string& name, const std::string& value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::string name_;
    std::string old_;
    bool hadOld_ = false;
};

// A Linux path as Wine shows it (Z: is the Linux root).
std::string WindowsPathOf(const std::string& unixPath);
// The helper programs of the tests (record_run.exe, record_hook.dll, ...).
CString HelperProgram(const std::string& fileName);
// The kelrun program under test.
std::string KelrunProgram();
std::string WindowsFolder();

// Runs a command line to its end and gives its exit code (-1 when it does
// not start, or not end within `timeoutMs`) and all it wrote to its output
// and error streams, a line feed after each line, from `folder` when one is
// given (RunWithOutput, below).
long RunCapturingOutput(const std::string& commandLine, std::string* output, DWORD timeoutMs,
                        const std::string& folder = "");

// Asks `condition` every `pollMs` until it holds; false when `timeoutMs`
// passes first. Windows of another process change on their own time, and a
// window can exist before its children or texts do.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD pollMs = 20);

// A program run to its end with its standard output and error going to a
// file, as a caller that reads the output runs it.
struct ProgramRun {
    bool started = false;
    long long exitCode = -1;         // the full exit code; -1: it did not end in time (it was ended)
    std::vector<std::string> lines;  // its output, without line ends
};
// Runs `commandLine` (program path first) in `folder` (empty: the test's
// own) and waits for its end, at most `timeoutMs`.
ProgramRun RunWithOutput(const std::string& commandLine, const std::string& folder, DWORD timeoutMs);

// Sets a file's attributes; true when all of them read back as set (under
// Wine, hidden lives in an extended attribute that not every file system keeps).
bool SetAttributes(const std::string& path, DWORD attributes);

// The names of a folder's entries, sorted byte by byte: hidden and system
// files and subfolders included, "." and ".." left out.
std::vector<std::string> NamesIn(const std::string& folder);

}  // namespace testsupport
