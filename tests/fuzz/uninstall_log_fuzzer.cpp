// Arbitrary bytes as an uninstall log: split into lines and records, REGVAL
// paths parsed, and a whole removal run over MachineWithOtherNames with its
// report. "INSTALLFOLDER=" and "HELD=" (a file in use) steer the machine, and
// what the records name is made first. The oracle: what goes or waits for the
// restart is named by a record or lies in the tree (no link followed), and is
// neither a link nor a kept path.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>
#include <vector>

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

// By the keys of the machine's entries: `inner` is `outer` or lies below it.
bool IsInside(const std::string& outer, const std::string& inner)
{
    return inner.rfind(outer, 0) == 0 && (inner.size() == outer.size() || inner[outer.size()] == '\\');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view contents(reinterpret_cast<const char*>(data), size);
    FakeRemovalSystem system = MachineWithOtherNames();
    CString installFolder = "C:\\Apps\\Sample\\";
    std::set<std::string> named;
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
        installFolder = record.key == "INSTALLFOLDER" ? record.value : installFolder;
        const bool held = record.key == "HELD", dir = record.kind == RecordKind::Dir;
        if ((held || dir || record.kind == RecordKind::File || record.kind == RecordKind::Shortcut) &&
            IsFullPath(record.value) && record.value.str().find_first_of("*?/") == std::string::npos) {
            system.AddPath(record.value, dir);
            if (held)
                system.HoldFile(record.value, record.value.GetLength() % 2 ? 32 : 5);
            else
                named.insert(system.KeyOf(record.value));
        }
    });
    const std::map<std::string, FakeRemovalSystem::Entry> before = system.Entries();
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

    const std::string tree = system.KeyOf(installFolder);
    auto mayGo = [&](const std::string& key) {
        for (const char* kept : kKeptPaths)
            Require(named.count(key) != 0 || (IsInside(tree, key) && !IsInside(key, system.KeyOf(kept))));
    };
    for (const auto& entry : before) {
        if (system.Entries().count(entry.first) == 0)
            mayGo(entry.first);
    }
    for (const std::string& event : system.events) {
        std::uint32_t attributes = 0;
        if (event.rfind("ScheduleRemovalAtRestart ", 0) == 0) {
            Require(!system.GetAttributes(event.substr(25), &attributes) || (attributes & FileAttributeReparsePoint) == 0);
            mayGo(system.KeyOf(event.substr(25)));
        }
    }
    return 0;
}
