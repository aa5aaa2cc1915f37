#include "tests/support/test_support_win.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <sstream>

namespace testsupport {

namespace {

std::atomic<int> scratchCounter{0};

bool IsDotEntry(const char* name)
{
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// Wine's own export that gives the Unix path of a Windows path; null on Windows.
std::string UnixPathOf(const std::string& windowsPath)
{
    using WineGetUnixFileName = char*(CDECL*)(const WCHAR*);
    auto convert = reinterpret_cast<WineGetUnixFileName>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!convert)
        return std::string();
    WCHAR wide[MAX_PATH * 2] = {};
    ::MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH * 2);
    char* unixPath = convert(wide);
    if (!unixPath)
        return std::string();
    std::string result(unixPath);
    ::HeapFree(::GetProcessHeap(), 0, unixPath);
    return result;
}

}  // namespace

ScratchFolder::ScratchFolder(const std::string& name)
{
    // Not in the temporary folder: under Wine that lies in the user's
    // profile, where the tree guard lets no tree go.
    std::ostringstream path;
    path << "C:\\kelrun-tests\\" << name << '-' << ::GetCurrentProcessId() << '-' << ++scratchCounter;
    path_ = path.str();
    RemoveTree(path_);
    MakeFolders(path_);
}

ScratchFolder::~ScratchFolder()
{
    RemoveTree(path_);
}

void WriteFile(const std::string& path, const std::string& contents)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << contents;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> ReadLines(const std::string& path)
{
    std::vector<std::string> lines;
    std::istringstream text(ReadFile(path));
    std::string line;
    while (std::getline(text, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

bool PathExists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void MakeFolders(const std::string& path)
{
    for (std::size_t slash = path.find('\\', 3); slash != std::string::npos; slash = path.find('\\', slash + 1))
        ::CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
    ::CreateDirectoryA(path.c_str(), nullptr);
}

void RemoveTree(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        ::RemoveDirectoryA(path.c_str());
        return;
    }
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileA(path.c_str());
        return;
    }
    WIN32_FIND_DATAA found{};
    CFindHandle search(::FindFirstFileA((path + "\\*").c_str(), &found));
    if (search) {
        do {
            if (!IsDotEntry(found.cFileName))
                RemoveTree(path + "\\" + found.cFileName);
        } while (::FindNextFileA(search.Get(), &found));
    }
    search.Close();
    ::RemoveDirectoryA(path.c_str());
}

bool MakeFolderLink(const std::string& link, const std::string& target)
{
    const std::string unixLink = UnixPathOf(link);
    const std::string unixTarget = UnixPathOf(target);
    if (unixLink.empty() || unixTarget.empty()) {
        return ::CreateSymbolicLinkA(link.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY) != FALSE;
    }
    // Wine starts Unix programs too: let ln make the link. Wine does not wait
    // for a Unix program's end, so poll for the link.
    std::string command = "/bin/ln -s \"" + unixTarget + "\" \"" + unixLink + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &started)) {
        return false;
    }
    CHandle process(started.hProcess);
    CHandle thread(started.hThread);
    for (int attempt = 0; attempt < 100 && !PathExists(link); ++attempt)
        ::Sleep(50);
    return PathExists(link);
}

bool MakeFileLink(const std::string& link, const std::string& target)
{
    // Under Wine ln links a file as it links a folder.
    if (UnixPathOf(link).empty())
        return ::CreateSymbolicLinkA(link.c_str(), target.c_str(), 0) != FALSE;
    return MakeFolderLink(link, target);
}

MachineKey::MachineKey(const std::string& path) : path_(path)
{
    ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | kProgramView, nullptr,
                      key_.Receive(), nullptr);
}

MachineKey::~MachineKey()
{
    key_.Close();
    DeleteKeyTree(HKEY_LOCAL_MACHINE, path_);
}

bool KeyExists(HKEY root, const std::string& path, REGSAM view)
{
    CRegKey key;
    return ::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | view, key.Receive()) == ERROR_SUCCESS;
}

bool ValueExists(HKEY root, const std::string& key, const std::string& name, REGSAM view)
{
    CRegKey opened;
    if (::RegOpenKeyExA(root, key.c_str(), 0, KEY_READ | view, opened.Receive()) != ERROR_SUCCESS)
        return false;
    return ::RegQueryValueExA(opened.Get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

void SetStringValue(HKEY root, const std::string& key, const std::string& name, const std::string& value,
                    REGSAM view)
{
    CRegKey opened;
    if (::RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, opened.Receive(),
                          nullptr) != ERROR_SUCCESS) {
        return;
    }
    ::RegSetValueExA(opened.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>(value.size() + 1));
}

void DeleteKeyTree(HKEY root, const std::string& path, REGSAM view)
{
    {
        CRegKey key;
        if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS | view, key.Receive()) == ERROR_SUCCESS)
            ::RegDeleteTreeA(key.Get(), nullptr);
    }
    ::RegDeleteKeyExA(root, path.c_str(), view, 0);
}

bool CreateDemandService(const std::string& name)
{
    CServiceHandle manager(::OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    if (!manager)
        return false;
    CServiceHandle service(::CreateServiceA(manager.Get(), name.c_str(), name.c_str(), SERVICE_ALL_ACCESS,
                                            SERVICE_WIN32_OWN_PROCESS, SERVICE_DEMAND_START,
                                            SERVICE_ERROR_IGNORE, "C:\\windows\\system32\\notepad.exe",
                                            nullptr, nullptr, nullptr, nullptr, nullptr));
    return service.IsValid() || ::GetLastError() == ERROR_SERVICE_EXISTS;
}

bool ServiceExists(const std::string& name)
{
    CServiceHandle manager(::OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT));
    if (!manager)
        return false;
    CServiceHandle service(::OpenServiceA(manager.Get(), name.c_str(), SERVICE_QUERY_STATUS));
    return service.IsValid();
}

void DeleteServiceIfPresent(const std::string& name)
{
    CServiceHandle manager(::OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    if (!manager)
        return;
    CServiceHandle service(::OpenServiceA(manager.Get(), name.c_str(), DELETE));
    if (service)
        ::DeleteService(service.Get());
}

ScopedEnvironment::ScopedEnvironment(const std::string& name, const std::string& value) : name_(name)
{
    char old[32768] = {};
    const DWORD length = ::GetEnvironmentVariableA(name.c_str(), old, sizeof old);
    hadOld_ = length > 0 && length < sizeof old;
    if (hadOld_)
        old_.assign(old, length);
    ::SetEnvironmentVariableA(name.c_str(), value.c_str());
}

ScopedEnvironment::~ScopedEnvironment()
{
    ::SetEnvironmentVariableA(name_.c_str(), hadOld_ ? old_.c_str() : nullptr);
}

std::string WindowsPathOf(const std::string& unixPath)
{
    std::string path = "Z:" + unixPath;
    for (char& c : path) {
        if (c == '/')
            c = '\\';
    }
    return path;
}

CString HelperProgram(const std::string& fileName)
{
    return CString(WindowsPathOf(KELRUN_TEST_HELPER_DIR) + "\\" + fileName);
}

std::string KelrunProgram()
{
    return WindowsPathOf(KELRUN_TEST_PROGRAM);
}

std::string WindowsFolder()
{
    char folder[MAX_PATH] = {};
    ::GetWindowsDirectoryA(folder, MAX_PATH);
    return folder;
}

long RunCapturingOutput(const std::string& commandLine, std::string* output, DWORD timeoutMs,
                        const std::string& folder)
{
    const ProgramRun run = RunWithOutput(commandLine, folder, timeoutMs);
    output->clear();
    for (const std::string& line : run.lines)
        *output += line + "\n";
    return run.started ? static_cast<long>(run.exitCode) : -1;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD pollMs)
{
    const DWORD start = ::GetTickCount();
    while (!condition()) {
        if (::GetTickCount() - start > timeoutMs)
            return false;
        ::Sleep(pollMs);
    }
    return true;
}

bool SetAttributes(const std::string& path, DWORD attributes)
{
    if (!::SetFileAttributesA(path.c_str(), attributes))
        return false;
    const DWORD now = ::GetFileAttributesA(path.c_str());
    return now != INVALID_FILE_ATTRIBUTES && (now & attributes) == attributes;
}

std::vector<std::string> NamesIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    CFindHandle search(::FindFirstFileA((folder + "\\*").c_str(), &found));
    if (!search)
        return names;
    do {
        if (!IsDotEntry(found.cFileName))
            names.push_back(found.cFileName);
    } while (::FindNextFileA(search.Get(), &found));
    std::sort(names.begin(), names.end());
    return names;
}

namespace {

const char kSessionManager[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
const char kPendingOperations[] = "PendingFileRenameOperations";

// The value's strings, in order, empty ones included (each operation is a
// pair: source, then new name or nothing).
std::vector<std::string> PendingStrings()
{
    std::vector<std::string> strings;
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return strings;
    DWORD size = 0;
    if (::RegQueryValueExA(key, kPendingOperations, nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS && size > 0) {
        std::string data(size, '\0');
        if (::RegQueryValueExA(key, kPendingOperations, nullptr, nullptr, reinterpret_cast<BYTE*>(&data[0]),
                               &size) == ERROR_SUCCESS) {
            data.resize(size);
            // Strings end in a zero each; the list ends in one more, which
            // must not be read as an empty string of its own.
            while (data.size() >= 2 && data[data.size() - 1] == '\0' && data[data.size() - 2] == '\0')
                data.pop_back();
            std::size_t start = 0;
            while (start < data.size()) {
                const std::size_t end = data.find('\0', start);
                strings.push_back(data.substr(start, end == std::string::npos ? std::string::npos : end - start));
                if (end == std::string::npos)
                    break;
                start = end + 1;
            }
        }
    }
    ::RegCloseKey(key);
    return strings;
}

std::string WithoutNtPrefix(const std::string& path)
{
    return path.rfind("\\??\\", 0) == 0 ? path.substr(4) : path;
}

bool StartsWithIgnoringCase(const std::string& text, const std::string& prefix)
{
    return text.size() >= prefix.size() && ::CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, text.c_str(),
                                                             static_cast<int>(prefix.size()), prefix.c_str(),
                                                             static_cast<int>(prefix.size())) == CSTR_EQUAL;
}

}  // namespace

std::vector<std::string> PendingRemovals()
{
    const std::vector<std::string> strings = PendingStrings();
    std::vector<std::string> removals;
    for (std::size_t i = 0; i < strings.size(); i += 2) {
        const bool noNewName = i + 1 >= strings.size() || strings[i + 1].empty();
        if (noNewName)
            removals.push_back(WithoutNtPrefix(strings[i]));
    }
    return removals;
}

void ForgetPendingRemovals(const std::string& prefix)
{
    const std::vector<std::string> strings = PendingStrings();
    std::string kept;
    for (std::size_t i = 0; i < strings.size(); i += 2) {
        if (StartsWithIgnoringCase(WithoutNtPrefix(strings[i]), prefix))
            continue;
        kept += strings[i] + '\0';
        kept += (i + 1 < strings.size() ? strings[i + 1] : std::string()) + '\0';
    }
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    if (kept.empty()) {
        ::RegDeleteValueA(key, kPendingOperations);
    } else {
        kept += '\0';
        ::RegSetValueExA(key, kPendingOperations, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(kept.data()),
                         static_cast<DWORD>(kept.size()));
    }
    ::RegCloseKey(key);
}

ProgramRun RunWithOutput(const std::string& commandLine, const std::string& folder, DWORD timeoutMs)
{
    ProgramRun run;
    ScratchFolder scratch("program-output");
    const std::string outputPath = scratch.Path() + "\\output.txt";
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    CFileHandle output(::CreateFileA(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!output)
        return run;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nullptr;
    startup.hStdOutput = output.Get();
    startup.hStdError = output.Get();
    PROCESS_INFORMATION process{};
    std::string writable = commandLine;  // CreateProcessA may write into it
    run.started = ::CreateProcessA(nullptr, &writable[0], nullptr, nullptr, TRUE, 0, nullptr,
                                   folder.empty() ? nullptr : folder.c_str(), &startup, &process) != FALSE;
    if (!run.started)
        return run;
    CHandle processHandle(process.hProcess);
    CHandle threadHandle(process.hThread);
    output.Close();
    if (::WaitForSingleObject(processHandle.Get(), timeoutMs) != WAIT_OBJECT_0) {
        ::TerminateProcess(processHandle.Get(), 1);
        ::WaitForSingleObject(processHandle.Get(), 5000);
    } else {
        DWORD code = 0;
        ::GetExitCodeProcess(processHandle.Get(), &code);
        run.exitCode = code;
    }
    run.lines = ReadLines(outputPath);
    return run;
}

}  // namespace testsupport
