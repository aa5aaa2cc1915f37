#include "tools/sample/sample_layout.h"

#include <cctype>
#include <cstdio>
#include <iterator>
#include <utility>

namespace sample {
namespace {

const char kCrLf[] = "\r\n";

// Subfolders of the installation folder, parents first.
const char* const kSubfolders[] = {"data", "data\\more", "data\\library", "docs"};

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
    folders.push_back(ProductFolder() + "\\theme");
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
        // Loaded by the page before the removal starts: the page keeps the
        // picture it decoded when the file goes.
        {PagePicturePath(), kPlain, "", kPagePicture, true},
        // The removal program and library run after the files are gone, so
        // the log does not name them: the removal of the whole folder takes
        // them, and the file the program made while it was used.
        {InInstallFolder("cleanup.exe"), kPlain, "", "record_run.exe", false},
        {InInstallFolder("hook.dll"), kPlain, "", "record_hook.dll", false},
        {InInstallFolder("user notes.txt"), kPlain, "Written while the product was used.\r\n", "",
         false},
    };
    for (int item = 1; item <= where_.libraryFiles; ++item) {
        char name[32];
        std::snprintf(name, sizeof name, "item%04d.dat", item);
        files.push_back({LibraryFolder() + "\\" + name, kPlain, "sample data\r\n", "", true});
    }
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
    // 1 is the caption of the page's button once the removal is over, 5 the
    // page's last status line.
    text += std::string("[SetupCompleteSuccess]") + kCrLf;
    AddLine(&text, "1", "Close");
    AddLine(&text, "5", "<ProductName> has been removed from your computer. Click Close to finish.");
    return text;
}

std::string Layout::LibraryFolder() const
{
    return InInstallFolder("data\\library");
}

std::string Layout::UninstallPagePath() const
{
    return ProductFolder() + "\\theme\\uninstall.lcd";
}

std::string Layout::PagePicturePath() const
{
    return InInstallFolder(kPagePicture);
}

// The page's texts stand on the flat parts of the picture and carry the
// colour of the picture there as their own background: the header band
// (31,78,121), the body (248,250,252) and the footer (238,242,247).
std::string Layout::UninstallPage() const
{
    std::string page;
    auto section = [&](const char* name) { page += std::string("[") + name + "]" + kCrLf; };
    section("MAINWINDOW");
    AddLine(&page, "idcname", "IDD_UNINSTALL");
    AddLine(&page, "caption", "Uninstall [ProductName]");
    AddLine(&page, "bkimage", PagePicturePath());
    AddLine(&page, "border", "1");
    AddLine(&page, "startup", "0");
    AddLine(&page, "bkcolor", "248,250,252");
    AddLine(&page, "width", "520");
    AddLine(&page, "height", "340");
    AddLine(&page, "soundfile", "");
    AddLine(&page, "minwindow", "Yes");
    AddLine(&page, "maxwindow", "No");
    AddLine(&page, "closewindow", "No");
    AddLine(&page, "fontname", "Tahoma");
    AddLine(&page, "fontsize", "9");
    AddLine(&page, "fontbold", "No");
    AddLine(&page, "fontitalic", "No");

    // x, y, width, height, kind; the controls are numbered in this order.
    struct Control {
        int x, y, width, height;
        const char* kind;
    };
    const Control controls[] = {
        {24, 16, 320, 28, "TEXT"},    // 0 the title
        {24, 50, 320, 20, "TEXT"},    // 1 the line under it
        {24, 110, 466, 20, "TEXT"},   // 2 status line 0
        {24, 136, 466, 18, "PROGRESS"},
        {24, 166, 466, 40, "TEXT"},   // 4 status line 1
        {400, 252, 90, 26, "BUTTON"},
    };
    section("INFO");
    AddLine(&page, "TOTAL", std::to_string(std::size(controls)));
    for (std::size_t i = 0; i < std::size(controls); ++i) {
        const Control& c = controls[i];
        AddLine(&page, std::to_string(i),
                "0," + std::to_string(c.x) + "," + std::to_string(c.y) + "," + std::to_string(c.width) + "," +
                    std::to_string(c.height) + "," + c.kind + ",,0," + std::to_string(i));
    }

    section("DADOS");
    // A text's properties by position: id, caption, alignment (1 left),
    // text colour, back colour, face, size, bold, italic, link.
    auto text = [&](int index, const char* id, const std::string& caption, const char* color, const char* back,
                    const char* size, const char* bold) {
        const std::string n = std::to_string(index);
        AddLine(&page, n + ",t", "10");
        const std::string values[] = {std::string("ID|") + id,  "Caption|" + caption, "Text Align|1",
                                      std::string("Text Color|") + color, std::string("BackColor|") + back,
                                      "Font|Tahoma", std::string("Size|") + size, std::string("Bold|") + bold,
                                      "Italic|No", "URL Link|No"};
        for (std::size_t position = 0; position < std::size(values); ++position)
            AddLine(&page, n + "," + std::to_string(position), values[position] + "|0");
    };
    text(0, "IDC_TITLE", "Removing <ProductName>", "255,255,255", "31,78,121", "14", "Yes");
    text(1, "IDC_SUBTITLE", "Please wait while the product is taken off this computer.", "198,218,238",
         "31,78,121", "9", "No");
    text(2, "IDC_INFO", "Preparing...", "33,37,41", "248,250,252", "9", "Yes");
    AddLine(&page, "3,t", "1");
    AddLine(&page, "3,0", "ID|IDC_PROGRESS1|0");
    text(4, "IDC_STATIC1", "", "73,80,87", "248,250,252", "9", "No");
    AddLine(&page, "5,t", "7");
    const char* const button[] = {"ID|IDCANCEL", "Caption|Cancel", "Text Align|0", "Font|Tahoma",
                                  "Size|9", "Bold|No", "Italic|No"};
    for (std::size_t position = 0; position < std::size(button); ++position)
        AddLine(&page, "5," + std::to_string(position), std::string(button[position]) + "|0");
    return page;
}

}  // namespace sample
