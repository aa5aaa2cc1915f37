#include "uninstaller/removal/removal_system_win.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <userenv.h>

#include <string>
#include <vector>

#include "framework/ansi_text_win.h"
#include "framework/handle_win.h"
#include "uninstaller/removal/library_argument.h"
#include "uninstaller/removal/library_export_win.h"

namespace {

bool HasWildcard(const CString& path)
{
    return path.Find('*') >= 0 || path.Find('?') >= 0;
}

bool IsDotEntry(const wchar_t* name)
{
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

// A name in the system code page only when it converts back to the very
// same name. The ANSI calls would give a best-fit spelling instead ("Ωmega"
// reads "Omega?", a full-width "．．" reads ".."), which names no entry or
// another one: the folder could not be looked into, or a walk would leave
// the tree.
bool ExactNarrowName(const wchar_t* name, CString* narrow)
{
    BOOL usedDefault = FALSE;
    const int size = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name, -1, nullptr, 0, nullptr, &usedDefault);
    if (size <= 1 || usedDefault)
        return false;
    std::vector<char> buffer(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name, -1, buffer.data(), size, nullptr, &usedDefault);
    if (usedDefault)
        return false;
    *narrow = CString(buffer.data());
    return true;
}

// Calls `onEntry` for every entry of a folder but "." and "..", with the name
// that reaches it through the ANSI calls: its own, or else its short name;
// an empty name when it has neither. The folder is read through its wide
// names, so nothing in it is missed or mistaken for another entry.
template <typename OnEntry>
void ForEachEntry(const CString& folder, OnEntry onEntry)
{
    WIN32_FIND_DATAW found{};
    CFindHandle search(::FindFirstFileW((WideFromAnsi(folder) + L"\\*").c_str(), &found));
    if (!search)
        return;
    do {
        if (IsDotEntry(found.cFileName))
            continue;
        CString name;
        if (!ExactNarrowName(found.cFileName, &name) && !ExactNarrowName(found.cAlternateFileName, &name))
            name.Empty();
        onEntry(name, found.dwFileAttributes);
    } while (::FindNextFileW(search.Get(), &found));
}

// The calling thread's last error, never 0: a failure must not read as success.
SystemError LastError()
{
    const DWORD error = ::GetLastError();
    return error != ERROR_SUCCESS ? error : ERROR_GEN_FAILURE;
}

SystemError ResultOf(BOOL succeeded)
{
    return succeeded ? system_error::None : LastError();
}

HKEY RootKey(RegistryRoot root)
{
    switch (root) {
    case RegistryRoot::ClassesRoot: return HKEY_CLASSES_ROOT;
    case RegistryRoot::CurrentUser: return HKEY_CURRENT_USER;
    case RegistryRoot::LocalMachine: return HKEY_LOCAL_MACHINE;
    case RegistryRoot::Users: return HKEY_USERS;
    case RegistryRoot::CurrentConfig: return HKEY_CURRENT_CONFIG;
    case RegistryRoot::None: break;
    }
    return nullptr;
}

CString ShellFolder(int csidl)
{
    char path[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)))
        return CString();
    return CString(path);
}

CString EnvironmentText(const char* name)
{
    const DWORD size = ::GetEnvironmentVariableA(name, nullptr, 0);
    if (size == 0)
        return CString();
    std::vector<char> buffer(size, '\0');
    const DWORD length = ::GetEnvironmentVariableA(name, buffer.data(), size);
    return length < size ? CString(buffer.data(), length) : CString();
}

CString SystemWindowsFolder()
{
    const UINT size = ::GetSystemWindowsDirectoryA(nullptr, 0);
    if (size == 0)
        return CString();
    std::vector<char> buffer(size + 1, '\0');
    const UINT length = ::GetSystemWindowsDirectoryA(buffer.data(), size + 1);
    return (length > 0 && length <= size) ? CString(buffer.data(), length) : CString();
}

// Expands "%SystemDrive%\Users" and the like; the text itself when it
// holds nothing to expand or expanding fails.
CString ExpandedText(const CString& text)
{
    const DWORD size = ::ExpandEnvironmentStringsA(text, nullptr, 0);
    if (size == 0)
        return text;
    std::vector<char> buffer(size + 1, '\0');
    const DWORD length = ::ExpandEnvironmentStringsA(text, buffer.data(), size + 1);
    return (length > 0 && length <= size + 1) ? CString(buffer.data()) : text;
}

constexpr char kProfileListKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";

// The profile list: the profiles folder, the Public and Default profiles, and
// each account's own profile, wherever it lies.
void AddListedProfiles(ProtectedFolders* result)
{
    for (const char* name : {"ProfilesDirectory"}) {
        const CString folder = ExpandedText(ReadRegistryText(kProfileListKey, name));
        if (!folder.IsEmpty())
            result->profileRoots.push_back(folder);
    }
    for (const char* name : {"Public", "Default"}) {
        const CString folder = ExpandedText(ReadRegistryText(kProfileListKey, name));
        if (!folder.IsEmpty())
            result->profiles.push_back(folder);
    }
    CRegKey list;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kProfileListKey, 0, KEY_READ, list.Receive()) != ERROR_SUCCESS)
        return;
    char name[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name;
        if (::RegEnumKeyExA(list.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        const CString key = CString(kProfileListKey) + "\\" + CString(name, length);
        const CString profile = ExpandedText(ReadRegistryText(key, "ProfileImagePath"));
        if (!profile.IsEmpty())
            result->profiles.push_back(profile);
    }
}

CString ProfilesRoot()
{
    char folder[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (::GetProfilesDirectoryA(folder, &size) && folder[0] != '\0')
        return CString(folder);
    // Where the system does not say, the profiles root is the folder that
    // holds the user's own profile.
    CString profile = ShellFolder(CSIDL_PROFILE);
    const int slash = profile.ReverseFind('\\');
    return slash > 2 ? profile.Left(slash) : CString();
}

}  // namespace

bool Win32RemovalSystem::ReadTextFile(const CString& path, std::string* contents, std::uint32_t* error)
{
    return ReadWholeFile(path, contents, error);
}

bool Win32RemovalSystem::PathExists(const CString& path)
{
    return FileSearchFinds(path);
}

bool Win32RemovalSystem::GetAttributes(const CString& path, std::uint32_t* attributes)
{
    const DWORD value = ::GetFileAttributesA(path);
    if (value == INVALID_FILE_ATTRIBUTES)
        return false;
    *attributes = value;
    return true;
}

void Win32RemovalSystem::SetAttributes(const CString& path, std::uint32_t attributes)
{
    // "No attributes" is spelled FILE_ATTRIBUTE_NORMAL.
    ::SetFileAttributesA(path, attributes == 0 ? FILE_ATTRIBUTE_NORMAL : attributes);
}

SystemError Win32RemovalSystem::RemoveFile(const CString& path)
{
    return ResultOf(::DeleteFileA(path));
}

SystemError Win32RemovalSystem::RemoveEmptyFolder(const CString& path)
{
    return ResultOf(::RemoveDirectoryA(path));
}

SystemError Win32RemovalSystem::RemoveLink(const CString& path, std::uint32_t attributes)
{
    // On Windows RemoveDirectory takes away a junction or folder link and
    // DeleteFile a file link, never what they point to. Wine cannot remove a
    // folder link (error 145) and then leaves it where it is.
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return ResultOf(::RemoveDirectoryA(path));
    return ResultOf(::DeleteFileA(path));
}

std::vector<FolderEntry> Win32RemovalSystem::ListFolder(const CString& path)
{
    std::vector<FolderEntry> entries;
    ForEachEntry(path, [&](const CString& name, DWORD attributes) { entries.push_back(FolderEntry{name, attributes}); });
    return entries;
}

SystemError Win32RemovalSystem::ScheduleRemovalAtRestart(const CString& path)
{
    // With no new name the session manager deletes the file, or the folder
    // if it is empty by then, early in the next start, before any program
    // can hold it. The request lands in PendingFileRenameOperations in the
    // order made, so children must be asked for before their folders.
    return ResultOf(::MoveFileExA(path, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT));
}

CString Win32RemovalSystem::ErrorText(SystemError error)
{
    return SystemErrorText(error);
}

CString Win32RemovalSystem::FullPath(const CString& path)
{
    if (path.IsEmpty())
        return CString();
    const DWORD size = ::GetFullPathNameA(path, 0, nullptr, nullptr);
    if (size == 0)
        return CString();
    std::vector<char> full(size + 1, '\0');
    DWORD length = ::GetFullPathNameA(path, size + 1, full.data(), nullptr);
    if (length == 0 || length > size)
        return CString();
    // Short (8.3) names would hide a protected folder from a text comparison.
    const DWORD longSize = ::GetLongPathNameA(full.data(), nullptr, 0);
    CString result(full.data(), length);
    if (longSize > 0) {
        std::vector<char> longName(longSize + 1, '\0');
        const DWORD longLength = ::GetLongPathNameA(full.data(), longName.data(), longSize + 1);
        if (longLength > 0 && longLength <= longSize)
            result = CString(longName.data(), longLength);
    }
    while (result.GetLength() > 3 && result.Right(1) == "\\")
        result = result.Left(result.GetLength() - 1);
    return result;
}

CString Win32RemovalSystem::FinalPath(const CString& path)
{
    if (path.IsEmpty() || HasWildcard(path))
        return CString();
    // Opened for its attributes only, with backup semantics so that a folder
    // opens too; shared every way, so nobody's use of it is disturbed.
    CFileHandle file(::CreateFileA(path, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file)
        return CString();
    // Measured under Wine 8: every Unix symbolic link in the path is
    // resolved (a profile's Documents, a link to $HOME, gives "Z:\...\home");
    // short names come back long, in the letter case on disk; and of the
    // drive letters that reach a folder, the one whose own folder lies
    // deepest is named: with X: made a link to drive_c/windows, both
    // C:\windows\data and X:\data give X:\data, and C:\windows gives X:\.
    // The protected folders are resolved the same way, so both sides name
    // one folder alike. Windows gives the volume's own drive letter for a
    // subst drive and resolves junctions and folder links.
    const DWORD flags = FILE_NAME_NORMALIZED | VOLUME_NAME_DOS;
    const DWORD size = ::GetFinalPathNameByHandleA(file.Get(), nullptr, 0, flags);
    if (size == 0)
        return CString();
    std::vector<char> buffer(size + 1, '\0');
    const DWORD length = ::GetFinalPathNameByHandleA(file.Get(), buffer.data(), size + 1, flags);
    if (length == 0 || length > size)
        return CString();
    const CString finalPath(buffer.data(), length);
    // The answer is a device path: "\\?\C:\..." or "\\?\UNC\server\share\...".
    if (finalPath.Left(8) == "\\\\?\\UNC\\")
        return "\\\\" + finalPath.Mid(8);
    if (finalPath.Left(4) == "\\\\?\\")
        return finalPath.Mid(4);
    return finalPath;
}

ProtectedFolders Win32RemovalSystem::GetProtectedFolders()
{
    // The folders whose loss would wreck Windows or a user's data. A 32-bit
    // process on 64-bit Windows sees "Program Files (x86)" as its program
    // folder; the 64-bit one is named by ProgramW6432.
    static const int kShellFolders[] = {
        CSIDL_WINDOWS,           CSIDL_SYSTEM,          CSIDL_SYSTEMX86,
        CSIDL_PROGRAM_FILES,     CSIDL_PROGRAM_FILESX86, CSIDL_PROGRAM_FILES_COMMON,
        CSIDL_PROGRAM_FILES_COMMONX86, CSIDL_COMMON_APPDATA, CSIDL_PROFILE,
        CSIDL_APPDATA,           CSIDL_LOCAL_APPDATA,   CSIDL_DESKTOPDIRECTORY,
        CSIDL_PERSONAL,          CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_COMMON_DOCUMENTS,
        CSIDL_STARTMENU,         CSIDL_COMMON_STARTMENU, CSIDL_PROGRAMS,
        CSIDL_COMMON_PROGRAMS,   CSIDL_FONTS,
    };
    ProtectedFolders result;
    auto add = [&](const CString& folder) {
        if (!folder.IsEmpty())
            result.folders.push_back(FullPath(folder));
    };
    for (int csidl : kShellFolders)
        add(ShellFolder(csidl));
    // Both program folders, whatever this program's own bitness.
    for (const char* name : {"ProgramW6432", "ProgramFiles", "ProgramFiles(x86)", "CommonProgramW6432",
                             "CommonProgramFiles", "CommonProgramFiles(x86)", "ProgramData", "SystemRoot"})
        add(EnvironmentText(name));
    // The Windows folder as each source names it: on a terminal server
    // GetWindowsDirectory may give a private folder of the user's, while
    // GetSystemWindowsDirectory gives the shared one.
    for (const CString& windows : {ShellFolder(CSIDL_WINDOWS), SystemWindowsFolder(), EnvironmentText("SystemRoot")}) {
        if (!windows.IsEmpty())
            result.wholeTrees.push_back(FullPath(windows));
    }
    const CString profilesRoot = ProfilesRoot();
    if (!profilesRoot.IsEmpty())
        result.profileRoots.push_back(FullPath(profilesRoot));
    AddListedProfiles(&result);
    return result;
}

CString Win32RemovalSystem::GetCurrentFolder()
{
    const DWORD size = ::GetCurrentDirectoryA(0, nullptr);
    if (size == 0)
        return CString();
    std::vector<char> buffer(size + 1, '\0');
    const DWORD length = ::GetCurrentDirectoryA(size + 1, buffer.data());
    return (length > 0 && length <= size) ? CString(buffer.data(), length) : CString();
}

bool Win32RemovalSystem::SetCurrentFolder(const CString& path)
{
    return ::SetCurrentDirectoryA(path) != FALSE;
}

bool Win32RemovalSystem::DeleteFolderTree(const CString& path, bool quiet)
{
    // The shell's source list: the path, then two zero bytes.
    std::string source(path.str());
    source.append(2, '\0');
    SHFILEOPSTRUCTA operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = source.c_str();
    // No undo: nothing goes to the recycle bin. Quiet also means no error
    // box: a file in use would otherwise stop the delete on a question that
    // nobody answers in a silent run, and what the shell leaves is finished
    // bottom-up by the caller.
    operation.fFlags =
        quiet ? static_cast<FILEOP_FLAGS>(FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR | FOF_NOERRORUI) : 0;
    return ::SHFileOperationA(&operation) == 0;
}

SystemError Win32RemovalSystem::DeleteService(const CString& name)
{
    CServiceHandle manager(::OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    if (!manager)
        return LastError();
    CServiceHandle service(::OpenServiceA(manager.Get(), name, DELETE));
    if (!service)
        return LastError();
    // Not stopped first: a running service is only marked for deletion.
    return ResultOf(::DeleteService(service.Get()));
}

SystemError Win32RemovalSystem::DeleteRegistryValue(RegistryRoot root, const CString& keyPath,
                                                    const CString& valueName)
{
    HKEY rootKey = RootKey(root);
    if (!rootKey)
        return ERROR_INVALID_PARAMETER;
    CRegKey key;
    const LONG opened = ::RegOpenKeyExA(rootKey, keyPath, 0, KEY_SET_VALUE, key.Receive());
    if (opened != ERROR_SUCCESS)
        return static_cast<SystemError>(opened);
    // An empty name is the key's default value.
    return static_cast<SystemError>(::RegDeleteValueA(key.Get(), valueName));
}

SystemError Win32RemovalSystem::DeleteMachineKey(const CString& keyPath)
{
    return static_cast<SystemError>(::RegDeleteKeyA(HKEY_LOCAL_MACHINE, keyPath));
}

SystemError Win32RemovalSystem::OpenWebAddress(const CString& address)
{
    // ShellExecute tells success by a value above 32; up to 32 it is an
    // error code of its own, most of them system error codes (0: no memory).
    const auto result = reinterpret_cast<INT_PTR>(
        ::ShellExecuteA(nullptr, nullptr, address, nullptr, nullptr, SW_SHOWDEFAULT));
    if (result > 32)
        return system_error::None;
    return result == 0 ? ERROR_OUTOFMEMORY : static_cast<SystemError>(result);
}

SystemError Win32RemovalSystem::CallLibraryFunction(const CString& libraryPath, const CString& functionName)
{
    CLibrary library(::LoadLibraryA(libraryPath));
    if (!library)
        return LastError();
    // The export takes one argument, a text buffer of at least 256 bytes
    // holding the library's path, and removes its argument itself.
    const auto function = reinterpret_cast<LibraryExport>(
        reinterpret_cast<void*>(::GetProcAddress(library.Get(), functionName)));
    if (!function)
        return LastError();
    std::vector<char> buffer = LibraryArgument(libraryPath);
    CallLibraryExport(function, buffer.data());
    return system_error::None;
}

SystemError Win32RemovalSystem::RunProgramAndWait(const CString& programPath, const CString& commandLine)
{
    // CreateProcess may write into the command line, so it gets a copy.
    std::vector<char> command(commandLine.str().begin(), commandLine.str().end());
    command.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!::CreateProcessA(programPath, commandLine.IsEmpty() ? nullptr : command.data(), nullptr,
                          nullptr, TRUE, DETACHED_PROCESS | NORMAL_PRIORITY_CLASS, nullptr, nullptr,
                          &startup, &started)) {
        return LastError();
    }
    CHandle process(started.hProcess);
    CHandle thread(started.hThread);
    ::WaitForSingleObject(process.Get(), INFINITE);
    return system_error::None;
}

CString Win32RemovalSystem::ReadProfileText(const CString& path, const char* section, const char* key)
{
    return ::ReadProfileText(path, section, key);
}

bool ReadWholeFile(const CString& path, std::string* contents, std::uint32_t* error)
{
    // The system's own error code, never 0: a failure must not read as success.
    auto fail = [error](DWORD code) {
        *error = code != ERROR_SUCCESS ? code : ERROR_READ_FAULT;
        return false;
    };
    // Others may hold the log open for reading or writing. A file opened
    // elsewhere without sharing fails here with a sharing violation; a folder
    // of that name fails with access denied on Windows, and is caught below
    // where the system opens it after all.
    CFileHandle file(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file)
        return fail(::GetLastError());
    BY_HANDLE_FILE_INFORMATION information{};
    if (!::GetFileInformationByHandle(file.Get(), &information))
        return fail(::GetLastError());
    if (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return fail(ERROR_ACCESS_DENIED);
    contents->clear();
    char buffer[64 * 1024];
    for (;;) {
        DWORD got = 0;
        // A read that fails part way leaves a log cut short, which would
        // read as a shorter, still valid log.
        if (!::ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr))
            return fail(::GetLastError());
        if (got == 0)
            return true;
        contents->append(buffer, got);
    }
}

CString SystemErrorText(std::uint32_t code)
{
    char* text = nullptr;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    // FormatMessage allocates with LocalAlloc; the text is copied out first.
    const CString result = length > 0 && text ? CString(text, length) : CString();
    if (text)
        ::LocalFree(text);
    return result;
}

bool FileSearchFinds(const CString& path)
{
    // The file search does not find a path that ends in a backslash, and a
    // wildcard would match other names: neither names an existing path.
    if (path.IsEmpty() || path.Right(1) == "\\" || HasWildcard(path))
        return false;
    WIN32_FIND_DATAA found{};
    CFindHandle search(::FindFirstFileA(path, &found));
    return search.IsValid();
}

CString ReadProfileText(const CString& path, const char* section, const char* key)
{
    // The reader tells of a cut text only by filling the buffer: grow it
    // until the text fits.
    for (DWORD size = 256;; size *= 2) {
        std::vector<char> buffer(size, '\0');
        const DWORD length = ::GetPrivateProfileStringA(section, key, "", buffer.data(), size, path);
        if (length < size - 1 || size >= (1u << 20))
            return CString(buffer.data(), length);
    }
}

CString ReadRegistryText(const CString& keyPath, const CString& valueName)
{
    CRegKey key;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_READ, key.Receive()) != ERROR_SUCCESS)
        return CString();
    DWORD size = 0;
    if (::RegQueryValueExA(key.Get(), valueName, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS)
        return CString();
    // The value may not end in a zero, and may grow between the two queries:
    // read into a block one byte longer than reported, retry while it grows,
    // and take the text only up to the first zero within what was read.
    for (int attempt = 0; attempt < 8; ++attempt) {
        std::vector<char> data(static_cast<std::size_t>(size) + 1, '\0');
        DWORD got = size;
        const LONG status = ::RegQueryValueExA(key.Get(), valueName, nullptr, nullptr,
                                               reinterpret_cast<BYTE*>(data.data()), &got);
        if (status == ERROR_MORE_DATA) {
            size = got > size ? got : size * 2 + 1;
            continue;
        }
        if (status != ERROR_SUCCESS)
            return CString();
        std::size_t length = 0;
        while (length < got && data[length] != '\0')
            ++length;
        return CString(data.data(), length);
    }
    return CString();
}
