// Arbitrary bytes as an uninstall log: split into lines and records, REGVAL
// paths parsed, and a whole removal run over an empty stand-in machine, with
// its removal report.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "uninstaller/removal/removal_worker.h"
#include "uninstaller/removal/tests/fake_removal_system.h"
#include "uninstaller/removal/uninstall_log.h"

namespace {

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view contents(reinterpret_cast<const char*>(data), size);
    std::size_t seen = 0;
    ForEachLogLine(contents, [&seen, size](std::string_view line) {
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
    });

    // The stand-in machine holds no files: its wildcard matching is no
    // business of this fuzzer.
    FakeRemovalSystem system;
    system.logContents = std::string(contents);
    system.protectedFolders.folders = {"C:\\Windows", "C:\\Program Files"};
    system.protectedFolders.profileRoots = {"C:\\Users"};
    ProductValues product;
    product.ProductCode = "{P}";
    product.InstallFolder = "C:\\Apps\\Sample\\";
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
    return 0;
}
