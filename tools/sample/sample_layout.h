// The sample product "Parvane Sample": what its installation puts on a
// machine, and the uninstall data that records it. Portable: the Win32 side
// (sample_setup) supplies the machine's folders and does the work.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace sample {

constexpr char kDefaultCode[] = "{6F3A2C1E-5B7D-4E8A-9C0F-2D4B6A8E1C35}";
constexpr char kDefaultName[] = "Parvane Sample";
constexpr char kUninstallRoot[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
// The product's library of small data files: enough of them that its
// removal takes a moment and the uninstall page's bar can be seen moving.
constexpr int kLibraryFiles = 3000;
// The background picture of the uninstall page, drawn at build time
// (make-page-picture.sh) beside sample_setup, which installs it.
constexpr char kPagePicture[] = "uninstall_page.jpg";

// Where the machine keeps things. Folders carry no trailing backslash.
struct Locations {
    std::string code;
    std::string name;
    std::string installFolder;
    std::string programsFolder;  // the common Start menu's programs folder
    std::string desktopFolder;   // the common desktop
    std::string windowsFolder;
    int libraryFiles = kLibraryFiles;  // files in data\library
};

enum FileFlags : unsigned { kPlain = 0, kReadOnly = 1, kHidden = 2 };

struct File {
    std::string path;
    unsigned flags = kPlain;
    std::string content;     // written as it is, unless copyOf is set
    std::string copyOf;      // a helper program beside sample_setup, copied here
    bool logged = true;      // false: left for the removal of the whole folder
};

struct Shortcut {
    std::string path;
    std::string target;
    std::string arguments;
    std::string description;
};

struct RegistryValue {
    std::string root;  // "HKEY_CURRENT_USER" or "HKEY_LOCAL_MACHINE"
    std::string keyPath;
    std::string valueName;
    std::string data;  // a string value
    std::string LogPath() const { return root + "\\" + keyPath + "\\" + valueName; }
};

class Layout {
public:
    explicit Layout(Locations locations);

    const Locations& Where() const { return where_; }

    // Folders to create, parents before their subfolders.
    std::vector<std::string> Folders() const;
    std::vector<File> Files() const;
    std::vector<Shortcut> Shortcuts() const;
    std::vector<RegistryValue> RegistryValues() const;

    // The product name's letters and digits ("ParvaneSample").
    std::string CompactName() const;
    // The service's key name: CompactName() + "Svc".
    std::string ServiceName() const;
    std::string ServiceProgram() const;
    // The values of the product's Uninstall key, in writing order.
    std::vector<std::pair<std::string, std::string>> UninstallValues() const;
    std::string UninstallKeyPath() const { return kUninstallRoot + where_.code; }
    std::string ProductFolder() const;
    std::string UninstallerPath() const;
    std::string StartMenuFolder() const;
    std::string WebAddress() const;

    // uninstall.log and language.lan, lines ending in CR LF.
    std::string UninstallLog() const;
    std::string LanguageFile() const;
    // The uninstall page, theme\uninstall.lcd of the product folder, and
    // where its background picture is installed. The picture lies in the
    // installation folder: a page names its background by a full path
    // without braces, which the product folder's path always holds.
    std::string UninstallPage() const;
    std::string LibraryFolder() const;
    std::string UninstallPagePath() const;
    std::string PagePicturePath() const;

private:
    std::string InInstallFolder(const std::string& relative) const;

    Locations where_;
};

}  // namespace sample
