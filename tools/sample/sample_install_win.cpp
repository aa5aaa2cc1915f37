// Installing the sample product: one function for each kind of thing the
// installation leaves on the machine.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>
#include <string>
#include <utility>

#include "framework/handle_win.h"
#include "tools/sample/sample_setup_win.h"

namespace sample {
namespace {

// Owns one COM interface pointer.
template <typename Interface>
class ComRef {
public:
    ComRef() = default;
    ~ComRef()
    {
        if (pointer_)
            pointer_->Release();
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;

    Interface* operator->() const { return pointer_; }
    Interface* Get() const { return pointer_; }
    void** Receive() { return reinterpret_cast<void**>(&pointer_); }

private:
    Interface* pointer_ = nullptr;  // owned
};

// COM for the calling thread, for the shortcuts.
class ComScope {
public:
    ComScope() : ok_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComScope()
    {
        if (ok_)
            CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool ok_;
};

bool Fail(const std::string& what, DWORD error)
{
    std::fprintf(stderr, "sample_setup: %s failed (error %lu)\n", what.c_str(), error);
    return false;
}

void Done(const char* kind, const std::string& what)
{
    std::printf("installed %-10s %s\n", kind, what.c_str());
}

// A file of an earlier install may be read-only; make it writable first.
void MakeReplaceable(const std::string& path)
{
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

bool WriteWholeFile(const std::string& path, const std::string& content)
{
    MakeReplaceable(path);
    CFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return Fail("writing " + path, GetLastError());
    DWORD written = 0;
    if (!WriteFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &written,
                   nullptr) ||
        written != content.size())
        return Fail("writing " + path, GetLastError());
    return true;
}

DWORD AttributesOf(unsigned flags)
{
    DWORD attributes = 0;
    if (flags & kReadOnly)
        attributes |= FILE_ATTRIBUTE_READONLY;
    if (flags & kHidden)
        attributes |= FILE_ATTRIBUTE_HIDDEN;
    return attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
}

bool CreateFolders(const Layout& layout)
{
    for (const std::string& folder : layout.Folders()) {
        // Makes missing parents too (the Installer folder, for one).
        const int result = SHCreateDirectoryExA(nullptr, folder.c_str(), nullptr);
        if (result != ERROR_SUCCESS && result != ERROR_ALREADY_EXISTS)
            return Fail("creating " + folder, static_cast<DWORD>(result));
        Done("folder", folder);
    }
    return true;
}

bool CreateFiles(const Layout& layout, const std::string& helperFolder)
{
    for (const File& file : layout.Files()) {
        if (!file.copyOf.empty()) {
            const std::string source = helperFolder + "\\" + file.copyOf;
            MakeReplaceable(file.path);
            if (!CopyFileA(source.c_str(), file.path.c_str(), FALSE))
                return Fail("copying " + source + " to " + file.path, GetLastError());
        } else if (!WriteWholeFile(file.path, file.content)) {
            return false;
        }
        if (!SetFileAttributesA(file.path.c_str(), AttributesOf(file.flags)))
            return Fail("setting the attributes of " + file.path, GetLastError());
        Done("file", file.path);
    }
    return true;
}

std::wstring Wide(const std::string& text)
{
    const int size = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size > 0 ? size : 1), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], size);
    wide.resize(wide.size() - 1);
    return wide;
}

bool CreateShortcuts(const Layout& layout)
{
    ComScope com;
    for (const Shortcut& shortcut : layout.Shortcuts()) {
        ComRef<IShellLinkA> link;
        HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                          IID_IShellLinkA, link.Receive());
        if (FAILED(result))
            return Fail("making the shortcut " + shortcut.path, static_cast<DWORD>(result));
        link->SetPath(shortcut.target.c_str());
        link->SetArguments(shortcut.arguments.c_str());
        link->SetDescription(shortcut.description.c_str());
        link->SetWorkingDirectory(layout.Where().installFolder.c_str());
        ComRef<IPersistFile> file;
        result = link->QueryInterface(IID_IPersistFile, file.Receive());
        if (SUCCEEDED(result)) {
            MakeReplaceable(shortcut.path);
            result = file->Save(Wide(shortcut.path).c_str(), TRUE);
        }
        if (FAILED(result))
            return Fail("saving the shortcut " + shortcut.path, static_cast<DWORD>(result));
        Done("shortcut", shortcut.path);
    }
    return true;
}

bool SetStringValue(HKEY root, const std::string& keyPath, const std::string& name,
                    const std::string& data)
{
    CRegKey key;
    LONG result = RegCreateKeyExA(root, keyPath.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                  key.Receive(), nullptr);
    if (result == ERROR_SUCCESS)
        result = RegSetValueExA(key.Get(), name.c_str(), 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(data.c_str()),
                                static_cast<DWORD>(data.size() + 1));
    if (result != ERROR_SUCCESS)
        return Fail("writing the registry value " + keyPath + "\\" + name,
                    static_cast<DWORD>(result));
    return true;
}

bool WriteRegistryValues(const Layout& layout)
{
    for (const RegistryValue& value : layout.RegistryValues()) {
        if (!SetStringValue(RootKeyByName(value.root), value.keyPath, value.valueName, value.data))
            return false;
        Done("value", value.LogPath());
    }
    return true;
}

// A service that is registered and never started: demand start, and its
// program is the removal helper, which would end at once anyway.
bool CreateSampleService(const Layout& layout)
{
    CServiceHandle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CREATE_SERVICE));
    if (!manager)
        return Fail("opening the service manager", GetLastError());
    const std::string program = "\"" + layout.ServiceProgram() + "\"";
    const std::string displayName = layout.Where().name + " Service";
    CServiceHandle service(CreateServiceA(manager.Get(), layout.ServiceName().c_str(),
                                          displayName.c_str(), SERVICE_QUERY_STATUS,
                                          SERVICE_WIN32_OWN_PROCESS, SERVICE_DEMAND_START,
                                          SERVICE_ERROR_NORMAL, program.c_str(), nullptr, nullptr,
                                          nullptr, nullptr, nullptr));
    if (!service && GetLastError() != ERROR_SERVICE_EXISTS)
        return Fail("creating the service " + layout.ServiceName(), GetLastError());
    Done("service", layout.ServiceName());
    return true;
}

bool WriteUninstallKey(const Layout& layout)
{
    for (const auto& value : layout.UninstallValues())
        if (!SetStringValue(HKEY_LOCAL_MACHINE, layout.UninstallKeyPath(), value.first,
                            value.second))
            return false;
    Done("key", "HKEY_LOCAL_MACHINE\\" + layout.UninstallKeyPath());
    return true;
}

bool WriteProductFolder(const Layout& layout)
{
    const std::string log = layout.ProductFolder() + "\\uninstall.log";
    const std::string language = layout.ProductFolder() + "\\language.lan";
    const std::string page = layout.UninstallPagePath();
    if (!WriteWholeFile(log, layout.UninstallLog()) ||
        !WriteWholeFile(language, layout.LanguageFile()) || !WriteWholeFile(page, layout.UninstallPage()))
        return false;
    Done("file", log);
    Done("file", language);
    Done("page", page);
    return true;
}

bool CopyUninstaller(const Layout& layout, const std::string& kelrunPath)
{
    if (kelrunPath.empty())
        return true;
    if (!CopyFileA(kelrunPath.c_str(), layout.UninstallerPath().c_str(), FALSE))
        return Fail("copying " + kelrunPath + " to " + layout.UninstallerPath(), GetLastError());
    Done("program", layout.UninstallerPath());
    return true;
}

}  // namespace

bool Install(const Layout& layout, const std::string& helperFolder, const std::string& kelrunPath)
{
    const bool installed = CreateFolders(layout) && CreateFiles(layout, helperFolder) &&
                           CreateShortcuts(layout) && WriteRegistryValues(layout) &&
                           CreateSampleService(layout) && WriteUninstallKey(layout) &&
                           WriteProductFolder(layout) && CopyUninstaller(layout, kelrunPath);
    std::printf(installed ? "%s %s is installed.\n" : "%s %s is not completely installed.\n",
                layout.Where().name.c_str(), layout.Where().code.c_str());
    std::fflush(stdout);
    return installed;
}

}  // namespace sample
