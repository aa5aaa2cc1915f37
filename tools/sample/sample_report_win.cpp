// What of the sample product is on the machine: one function for each kind
// of thing, each printing "present" or "gone" in front of every item.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "framework/handle_win.h"
#include "tools/sample/record_file_win.h"
#include "tools/sample/sample_setup_win.h"

namespace sample {
namespace {

void Heading(const char* title)
{
    std::printf("%s\n", title);
}

void Item(bool present, const std::string& what, const std::string& detail = "")
{
    std::printf("  %-8s %s%s\n", present ? "present" : "gone", what.c_str(),
                detail.empty() ? "" : ("  (" + detail + ")").c_str());
}

std::string AttributeText(DWORD attributes)
{
    std::string text;
    if (attributes & FILE_ATTRIBUTE_READONLY)
        text += "read-only";
    if (attributes & FILE_ATTRIBUTE_HIDDEN)
        text += text.empty() ? "hidden" : ", hidden";
    return text;
}

void ReportPath(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    Item(attributes != INVALID_FILE_ATTRIBUTES, path,
         attributes == INVALID_FILE_ATTRIBUTES ? "" : AttributeText(attributes));
}

void ReportFilesAndFolders(const Layout& layout)
{
    Heading("Files and folders");
    // The uninstall data and the Start menu have sections of their own.
    const std::string productFolder = layout.ProductFolder();
    for (const std::string& folder : layout.Folders())
        if (folder.compare(0, productFolder.size(), productFolder) != 0 && folder != layout.StartMenuFolder())
            ReportPath(folder + "\\");
    // The library's thousands of files make one line.
    const std::string library = layout.LibraryFolder() + "\\";
    int libraryFiles = 0;
    int libraryPresent = 0;
    for (const File& file : layout.Files()) {
        if (file.path.compare(0, library.size(), library) == 0) {
            ++libraryFiles;
            libraryPresent += GetFileAttributesA(file.path.c_str()) != INVALID_FILE_ATTRIBUTES ? 1 : 0;
            continue;
        }
        ReportPath(file.path);
    }
    Item(libraryPresent > 0, library + "*",
         std::to_string(libraryPresent) + " of " + std::to_string(libraryFiles) + " files");
}

void ReportShortcuts(const Layout& layout)
{
    Heading("Shortcuts");
    ReportPath(layout.StartMenuFolder() + "\\");
    for (const Shortcut& shortcut : layout.Shortcuts())
        ReportPath(shortcut.path);
}

// The value's text, or false when the value (or its key) is not there.
bool ReadStringValue(HKEY root, const std::string& keyPath, const std::string& name,
                     std::string* data, bool* keyExists)
{
    CRegKey key;
    *keyExists = RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_QUERY_VALUE, key.Receive()) ==
                 ERROR_SUCCESS;
    DWORD size = 0;
    if (!*keyExists ||
        RegQueryValueExA(key.Get(), name.c_str(), nullptr, nullptr, nullptr, &size) !=
            ERROR_SUCCESS)
        return false;
    std::string buffer(size + 1, '\0');
    if (RegQueryValueExA(key.Get(), name.c_str(), nullptr, nullptr,
                         reinterpret_cast<BYTE*>(&buffer[0]), &size) != ERROR_SUCCESS)
        return false;
    buffer.resize(strnlen(buffer.c_str(), size));
    *data = buffer;
    return true;
}

void ReportRegistryValues(const Layout& layout)
{
    Heading("Registry values");
    for (const RegistryValue& value : layout.RegistryValues()) {
        std::string data;
        bool keyExists = false;
        const bool present =
            ReadStringValue(RootKeyByName(value.root), value.keyPath, value.valueName, &data,
                            &keyExists);
        Item(present, value.LogPath(),
             present ? "\"" + data + "\"" : keyExists ? "the key is still there" : "");
    }
}

// Asked of the service manager itself: a stopped service and a missing one
// look alike to the command-line tools.
void ReportService(const Layout& layout)
{
    Heading("Service");
    CServiceHandle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT));
    if (!manager) {
        std::printf("  the service manager cannot be opened (error %lu)\n", GetLastError());
        return;
    }
    CServiceHandle service(
        OpenServiceA(manager.Get(), layout.ServiceName().c_str(), SERVICE_QUERY_STATUS));
    if (!service) {
        const DWORD error = GetLastError();
        Item(false, layout.ServiceName(),
             error == ERROR_SERVICE_MARKED_FOR_DELETE ? "marked for deletion" : "");
        return;
    }
    SERVICE_STATUS status{};
    QueryServiceStatus(service.Get(), &status);
    Item(true, layout.ServiceName(),
         status.dwCurrentState == SERVICE_STOPPED ? "stopped" : "running or pending");
}

void ReportUninstallKey(const Layout& layout)
{
    Heading("Uninstall key");
    CRegKey key;
    const bool present = RegOpenKeyExA(HKEY_LOCAL_MACHINE, layout.UninstallKeyPath().c_str(), 0,
                                       KEY_QUERY_VALUE, key.Receive()) == ERROR_SUCCESS;
    Item(present, "HKEY_LOCAL_MACHINE\\" + layout.UninstallKeyPath());
    if (!present)
        return;
    for (const auto& value : layout.UninstallValues()) {
        std::string data;
        bool keyExists = false;
        if (ReadStringValue(HKEY_LOCAL_MACHINE, layout.UninstallKeyPath(), value.first, &data,
                            &keyExists))
            std::printf("           %s = %s\n", value.first.c_str(), data.c_str());
    }
}

void ReportProductFolder(const Layout& layout)
{
    Heading("Uninstall data (the uninstaller leaves it)");
    ReportPath(layout.ProductFolder() + "\\uninstall.log");
    ReportPath(layout.ProductFolder() + "\\language.lan");
    ReportPath(layout.UninstallPagePath());
    ReportPath(layout.UninstallerPath());
}

void ReportRecords()
{
    const std::string path = RecordFilePath();
    std::printf("Records of the removal helpers (%s)\n", path.c_str());
    std::ifstream records(path, std::ios::binary);
    int count = 0;
    for (std::string line; std::getline(records, line); ++count) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::printf("  %s\n", line.c_str());
    }
    if (count == 0)
        std::printf("  (none)\n");
}

}  // namespace

void Report(const Layout& layout)
{
    std::printf("%s %s\n", layout.Where().name.c_str(), layout.Where().code.c_str());
    ReportFilesAndFolders(layout);
    ReportShortcuts(layout);
    ReportRegistryValues(layout);
    ReportService(layout);
    ReportUninstallKey(layout);
    ReportProductFolder(layout);
    ReportRecords();
    std::fflush(stdout);
}

}  // namespace sample
