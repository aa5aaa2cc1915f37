#include "uninstaller/check/product_check.h"

#include <string>

#include "uninstaller/check/language_check.h"
#include "uninstaller/check/log_check.h"
#include "uninstaller/check/page_check.h"
#include "uninstaller/pages/memory_profile_reader.h"

namespace {

enum class FileState { Read, Missing, Unreadable };

struct ProductFile {
    CString path;
    FileState state = FileState::Missing;
    std::string contents;
    CString reason;  // why it cannot be read
};

ProductFile ReadProductFile(CheckSystem& system, const CString& path)
{
    ProductFile file;
    file.path = path;
    std::uint32_t error = 0;
    if (system.ReadFile(path, &file.contents, &error)) {
        file.state = FileState::Read;
    } else {
        // Not found, whether the file or a folder on its way is missing.
        file.state = error == system_error::FileNotFound || error == system_error::PathNotFound
                         ? FileState::Missing
                         : FileState::Unreadable;
        file.reason = system.ErrorText(error);
        while (!file.reason.IsEmpty() && std::string(" \r\n.").find(file.reason.GetAt(file.reason.GetLength() - 1)) !=
                                             std::string::npos)
            file.reason = file.reason.Left(file.reason.GetLength() - 1);
        if (file.reason.IsEmpty())
            file.reason = CString::Format("system error %u", static_cast<unsigned>(error));
    }
    return file;
}

}  // namespace

Findings CheckProduct(CheckSystem& system, const CheckTarget& target)
{
    Findings findings;

    const ProductFile log = ReadProductFile(system, target.productFolder + "uninstall.log");
    if (log.state == FileState::Missing)
        findings.Error(CheckedFile::Log, 1, "missing: kelrun says \"Uninstallation information not found\", "
                                            "removes nothing and ends with 1605");
    else if (log.state == FileState::Unreadable)
        findings.Error(CheckedFile::Log, 1, "cannot be read (" + log.reason + "): kelrun removes nothing and ends "
                                            "with 1603");
    else
        CheckUninstallLog(log.contents, system, target, findings);

    // Without a page kelrun works without one: nothing to check, and the
    // language file's page texts are not needed.
    const ProductFile page = ReadProductFile(system, target.productFolder + "theme\\uninstall.lcd");
    if (page.state == FileState::Unreadable) {
        findings.Error(CheckedFile::Page, 1, "cannot be read (" + page.reason + "): kelrun shows an empty page");
    } else if (page.state == FileState::Read) {
        MemoryProfileReader lines;
        lines.SetFile("", page.contents);
        CheckPageFile(system, target, page.path, lines, findings);
    }

    const ProductFile language = ReadProductFile(system, target.productFolder + "language.lan");
    if (language.state != FileState::Read) {
        findings.Warning(CheckedFile::Language, 1,
                         (language.state == FileState::Missing ? CString("missing")
                                                               : "cannot be read (" + language.reason + ")") +
                             ": kelrun asks its own question, and its page shows no texts of the product's");
    } else {
        MemoryProfileReader lines;
        lines.SetFile("", language.contents);
        CheckLanguageFile(system, language.path, lines, page.state != FileState::Missing, findings);
    }
    return findings;
}
