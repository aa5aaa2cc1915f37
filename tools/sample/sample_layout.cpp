#include "tools/sample/sample_layout.h"

#include <cctype>
#include <utility>

namespace sample {
namespace {

const char kCrLf[] = "\r\n";

// Subfolders of the installation folder, parents first.
const char* const kSubfolders[] = {"data", "data\\more", "docs"};

void AddLine(std::string* text, const std::string& key, const std::string& value)
{
    *text += key + "=" + value + kCrLf;
}

}  // namespace

Layout::Layout(Locations locations) : where_(std::move(locations)) {}

std::string Layout::InInstallFolder(const std::string& relative) const
{
    return where_.installFolder + "\\" + relative;
}

std::vector<std::string> Layout::Folders() const
{
    std::vector<std::string> folders = {where_.installFolder};
    for (const char* subfolder : kSubfolders)
        folders.push_back(InInstallFolder(subfolder));
    folders.push_back(StartMenuFolder());
    folders.push_back(ProductFolder());
    return folders;
}

std::vector<File> Layout::Files() const
{
    std::vector<File> files = {
        {InInstallFolder("readme.txt"), kPlain, where_.name + " is a sample product.\r\n", "", true},
        {InInstallFolder("settings.ini"), kReadOnly, "[Options]\r\nColour=blue\r\n", "", true},
        {InInstallFolder("cache.dat"), kHidden, "cache\r\n", "", true},
        {InInstallFolder("licence.key"), kReadOnly | kHidden, "SAMPLE-0000\r\n", "", true},
        {InInstallFolder("data\\items.dat"), kPlain, "one\r\ntwo\r\n", "", true},
        {InInstallFolder("data\\more\\deep.dat"), kPlain, "deep\r\n", "", true},
        {InInstallFolder("docs\\guide.txt"), kReadOnly, "Read me first.\r\n", "", true},
        // The removal program and library run after the files are gone, so
        // the log does not name them: the removal of the whole folder takes
        // them, and the file the program made while it was used.
        {InInstallFolder("cleanup.exe"), kPlain, "", "record_run.exe", false},
        {InInstallFolder("hook.dll"), kPlain, "", "record_hook.dll", false},
        {InInstallFolder("user notes.txt"), kPlain, "Written while the product was used.\r\n", "",
         false},
    };
    return files;
}

std::vector<Shortcut> Layout::Shortcuts() const
{
    const std::string readme = InInstallFolder("readme.txt");
    return {
        {StartMenuFolder() + "\\" + where_.name + ".lnk", readme, "", "Read about " + where_.name},
        {StartMenuFolder() + "\\Uninstall " + where_.name + ".lnk", UninstallerPath(),
         "/R " + where_.code, "Remove " + where_.name},
        {where_.desktopFolder + "\\" + where_.name + ".lnk", readme, "", "Read about " + where_.name},
    };
}

std::vector<RegistryValue> Layout::RegistryValues() const
{
    const std::string key = "Software\\" + where_.name;
    return {
        {"HKEY_CURRENT_USER", key, "Language", "English"},
        {"HKEY_CURRENT_USER", key + "\\Settings", "LastFolder", where_.installFolder},
        {"HKEY_LOCAL_MACHINE", key, "InstallPath", where_.installFolder},
        {"HKEY_LOCAL_MACHINE", key, "Version", "1.0"},
    };
}

std::string Layout::CompactName() const
{
    std::string name;
    for (char c : where_.name)
        if (std::isalnum(static_cast<unsigned char>(c)))
            name += c;
    return name;
}

std::string Layout::ServiceName() const
{
    return CompactName() + "Svc";
}

std::string Layout::ServiceProgram() const
{
    return InInstallFolder("cleanup.exe");
}

std::vector<std::pair<std::string, std::string>> Layout::UninstallValues() const
{
    return {
        {"DisplayName", where_.name},
        {"DisplayVersion", "1.0"},
        {"Publisher", "Lumetra"},
        // The installer records the folder with a trailing backslash.
        {"LastInstallationPath", where_.installFolder + "\\"},
        {"UninstallString", "\"" + UninstallerPath() + "\" /R " + where_.code},
    };
}

std::string Layout::ProductFolder() const
{
    return where_.windowsFolder + "\\Installer\\" + where_.code;
}

std::string Layout::UninstallerPath() const
{
    return where_.windowsFolder + "\\kelrun.exe";
}

std::string Layout::StartMenuFolder() const
{
    return where_.programsFolder + "\\" + where_.name;
}

std::string Layout::WebAddress() const
{
    return "http://www.example.com/parvane/uninstalled.html?product=" + CompactName();
}

// The reader acts on each line as it comes, so the order is the contract:
// the count before the files it counts; files and shortcuts, the service and
// the registry values while the removal program and library still exist;
// each RUN3RD right before its RUN3RDCMD; folders after their files and
// subfolders before their parents, since a folder is removed only when empty;
// the whole installation folder last.
std::string Layout::UninstallLog() const
{
    std::string log;
    std::vector<std::string> removedOneByOne;
    for (const File& file : Files())
        if (file.logged)
            removedOneByOne.push_back(file.path);
    const std::vector<Shortcut> shortcuts = Shortcuts();
    AddLine(&log, "TOTALFILE", std::to_string(removedOneByOne.size() + shortcuts.size()));
    for (const std::string& path : removedOneByOne)
        AddLine(&log, "FILE", path);
    for (const Shortcut& shortcut : shortcuts)
        AddLine(&log, "SHORTCUT", shortcut.path);
    AddLine(&log, "NTSERVICE", ServiceName());
    for (const RegistryValue& value : RegistryValues())
        AddLine(&log, "REGVAL", value.LogPath());
    AddLine(&log, "RUN3RD", "cleanup.exe");
    AddLine(&log, "RUN3RDCMD", "cleanup.exe /uninstall");
    AddLine(&log, "RUN3RD", "hook.dll");
    AddLine(&log, "RUN3RDCMD", "UnregisterSample");
    AddLine(&log, "RUN3RD", WebAddress());
    AddLine(&log, "RUN3RDCMD", "open");
    for (auto subfolder = std::rbegin(kSubfolders); subfolder != std::rend(kSubfolders); ++subfolder)
        AddLine(&log, "DIR", InInstallFolder(*subfolder) + "\\");
    AddLine(&log, "DIR", StartMenuFolder() + "\\");
    AddLine(&log, "DIR", where_.installFolder + "\\");
    AddLine(&log, "REMOVEALL", "1");
    return log;
}

std::string Layout::LanguageFile() const
{
    std::string text;
    text += std::string("[SetupProgress]") + kCrLf;
    AddLine(&text, "14", "Do you want to remove <ProductName> from this computer?");
    AddLine(&text, "10", where_.name + " has been removed.");
    text += std::string("[SetupCompleteSuccess]") + kCrLf;
    AddLine(&text, "1", where_.name + " has been removed from your computer.");
    AddLine(&text, "5", "Click Close to finish.");
    return text;
}

}  // namespace sample
