// Arbitrary bytes as an uninstall log: split into lines and records, REGVAL
// paths parsed, and a whole removal run with its removal report over a
// stand-in machine with files, folders, links, other drive letters and short
// names, and protected folders. The oracle: nothing but what the log names
// and what lies in the installation tree is ever removed or scheduled, and
// no protected folder or precious file goes under any spelling.
//
// Two keys that kelrun ignores steer the machine: "INSTALLFOLDER=path" is
// the installation folder, and "HELD=path" a file that another program holds.
// Every path that a FILE, SHORTCUT, DIR or HELD record names is made first,
// so that the records act on something.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "uninstaller/removal/comparable_path.h"
#include "uninstaller/removal/removal_worker.h"
#include "uninstaller/removal/tests/fake_removal_system.h"
#include "uninstaller/removal/tree_guard.h"
#include "uninstaller/removal/uninstall_log.h"

namespace {

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

// Folders and files of the machine that no tree removal may take.
const char* const kPreciousFolders[] = {
    "C:\\Windows", "C:\\Windows\\System32", "C:\\Program Files", "C:\\ProgramData", "C:\\Users",
    "C:\\Users\\bob", "C:\\Users\\bob\\Documents", "C:\\Users\\bob\\AppData", "C:\\Users\\bob\\AppData\\Local",
    "C:\\Users\\bob\\AppData\\Local\\Microsoft", "C:\\Users\\bob\\AppData\\Local\\Programs", "D:\\Profiles\\carol",
    "C:\\Boot", "C:\\Other", "D:\\Real",
};
const char* const kPreciousFiles[] = {
    "C:\\Windows\\System32\\kernel32.dll", "C:\\Program Files\\Common\\shared.dll", "C:\\Users\\bob\\Documents\\doc.txt",
    "C:\\Users\\bob\\AppData\\Local\\Microsoft\\cred.dat", "D:\\Profiles\\carol\\ntuser.dat", "C:\\Boot\\bcd",
    "C:\\Other\\keep.txt", "D:\\Real\\lib.dll",
};

void AddWithParents(FakeRemovalSystem& system, const CString& path, bool folder)
{
    if (!IsFullPath(path) || path.Find('*') >= 0 || path.Find('?') >= 0 || system.Has(path))
        return;
    for (int slash = path.Find('\\', 3); slash > 0; slash = path.Find('\\', slash + 1)) {
        if (!system.Has(path.Left(slash)))
            system.AddFolder(path.Left(slash));
    }
    if (path.Right(1) == "\\")
        return;
    if (folder)
        system.AddFolder(path);
    else
        system.AddFile(path);
}

FakeRemovalSystem Machine()
{
    FakeRemovalSystem system;
    for (const char* folder : kPreciousFolders)
        AddWithParents(system, folder, true);
    for (const char* file : kPreciousFiles)
        AddWithParents(system, file, false);
    for (const char* file : {"C:\\Apps\\Sample\\bin\\app.exe", "C:\\Apps\\Sample\\data\\cache.db",
                             "C:\\Users\\bob\\AppData\\Local\\Programs\\App\\app.exe"})
        AddWithParents(system, file, false);
    system.AddFile("C:\\Apps\\Sample\\readme.txt", 0x1);
    system.AddAlias("X:", "C:\\Windows");
    system.AddAlias("C:\\PROGRA~1", "C:\\Program Files");
    system.AddFolderLink("C:\\Documents and Settings", "C:\\Users");
    system.AddFolderLink("C:\\Apps\\Sample\\shared", "C:\\Other");
    system.AddFolderLink("C:\\Linked", "D:\\Real");
    system.protectedFolders.folders = {"C:\\Windows", "C:\\PROGRA~1", "C:\\ProgramData"};
    system.protectedFolders.wholeTrees = {"X:\\"};
    system.protectedFolders.profileRoots = {"C:\\Documents and Settings"};
    system.protectedFolders.profiles = {"D:\\Profiles\\carol"};
    return system;
}

bool IsInside(const std::string& outer, const std::string& inner)
{
    return IsSameOrInside(Comparable(outer), Comparable(inner));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view contents(reinterpret_cast<const char*>(data), size);
    FakeRemovalSystem system = Machine();
    CString installFolder = "C:\\Apps\\Sample\\";
    std::set<std::string> named;  // where the log's FILE, SHORTCUT and DIR records lead
    std::size_t seen = 0;
    ForEachLogLine(contents, [&](std::string_view line) {
        seen += line.size();
        Require(seen <= size);
        const LogRecord record = ParseLogLine(line);
        Require(record.kind == RecordKind::Ignored || record.key.GetLength() > 0);
        if (record.kind == RecordKind::RegVal) {
            const RegistryValuePath path = ParseRegistryValuePath(record.value);
            if (path.root == RegistryRoot::None)
                Require(path.keyPath.IsEmpty() && path.valueName.IsEmpty());
            Require(path.keyPath.GetLength() + path.valueName.GetLength() <= record.value.GetLength());
        }
        const bool file = record.kind == RecordKind::File || record.kind == RecordKind::Shortcut;
        if (file || record.kind == RecordKind::Dir) {
            AddWithParents(system, record.value, !file);
            CString value = record.value;
            if (value.Right(1) == "\\")
                value = value.Left(value.GetLength() - 1);
            named.insert(system.RealKey(value));
            named.insert(system.EntryKey(value));
        } else if (record.key == "INSTALLFOLDER") {
            installFolder = record.value;
        } else if (record.key == "HELD") {
            AddWithParents(system, record.value, false);
            system.HoldFile(record.value, record.value.GetLength() % 2 ? 32 : 5);
        }
    });

    system.logContents = std::string(contents);
    ProductValues product;
    product.ProductCode = "{P}";
    product.InstallFolder = installFolder;
    product.UninstallKeyPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{P}";
    product.ProductFolder = "C:\\Windows\\Installer\\{P}\\";
    product.UninstallLogPath = "C:\\Windows\\Installer\\{P}\\uninstall.log";
    product.LanguageFilePath = "C:\\Windows\\Installer\\{P}\\language.lan";
    FakeReporter page{system.events};
    // The report's formatting sees every record too, error texts included.
    FakeReportSink reportSink{system.events};
    RemovalReport report{reportSink, [](std::uint32_t error) { return CString("error\r\n" + std::to_string(error)); }};
    RemovalWorker worker(system, product, &page, &report);
    Require(worker.RunRemoval() == 0);
    Require(worker.FolderCount >= 0 && worker.FolderCount <= RemovalWorker::MaxQueuedFolders);

    // What went, or waits for the restart, is what the log named or lies in
    // the installation tree, and never a precious file or folder unless a
    // record named it itself.
    CString treePath = installFolder;
    while (treePath.GetLength() > 3 && treePath.Right(1) == "\\")
        treePath = treePath.Left(treePath.GetLength() - 1);
    const std::string trees[] = {system.RealKey(treePath), system.EntryKey(treePath)};
    std::vector<std::string> touched;
    for (const std::string& path : system.removedPaths)
        touched.push_back(system.EntryKey(path));
    for (const std::string& event : system.events) {
        if (event.rfind("ScheduleRemovalAtRestart ", 0) == 0) {
            const CString path = event.substr(25);
            std::uint32_t attributes = 0;
            Require(!system.GetAttributes(path, &attributes) || (attributes & FileAttributeReparsePoint) == 0);
            touched.push_back(system.EntryKey(path));
        }
    }
    for (const std::string& key : touched) {
        if (named.count(key))
            continue;
        Require(IsInside(trees[0], key) || IsInside(trees[1], key));
        for (const char* precious : kPreciousFolders)
            Require(!IsInside(key, system.EntryKey(precious)));
        for (const char* precious : kPreciousFiles)
            Require(key != system.EntryKey(precious));
    }
    return 0;
}
