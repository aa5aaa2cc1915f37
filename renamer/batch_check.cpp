#include "renamer/batch_check.h"

#include <algorithm>
#include <unordered_map>

#include "framework/ascii_case.h"
#include "renamer/utf.h"

namespace pelmora {

namespace {

// Characters that no file name may hold: the path syntax characters, the
// wildcards and the control characters.
bool HasForbiddenCharacter(std::string_view name)
{
    return std::any_of(name.begin(), name.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u < 32 || std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos;
    });
}

// Windows opens a device, not a file, for these stems whatever the extension
// ("COM1.txt" is the serial port).
bool IsReservedDeviceName(std::string_view storedName)
{
    std::string_view stem = storedName.substr(0, storedName.find('.'));
    while (!stem.empty() && stem.back() == ' ')
        stem.remove_suffix(1);
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL"};
    for (const char* device : kDevices) {
        if (EqualsIgnoringAsciiCase(stem, device))
            return true;
    }
    if (stem.size() != 4 || stem[3] < '1' || stem[3] > '9')
        return false;
    const std::string_view port = stem.substr(0, 3);
    return EqualsIgnoringAsciiCase(port, "COM") || EqualsIgnoringAsciiCase(port, "LPT");
}

}  // namespace

std::string_view StoredName(std::string_view name)
{
    while (!name.empty() && (name.back() == '.' || name.back() == ' '))
        name.remove_suffix(1);
    return name;
}

BatchCheck CheckBatch(const std::vector<RenameStep>& plan, const std::vector<CString>& entries,
                      FoldCase fold)
{
    // How many entries of the folder answer to each folded name: on a file
    // system that tells case apart, "a.txt" and "A.txt" can both be there.
    std::unordered_map<std::string, std::size_t> present;
    present.reserve(entries.size() + plan.size());
    for (const CString& entry : entries)
        ++present[fold(StoredName(entry.view()))];

    for (std::size_t i = 0; i < plan.size(); ++i) {
        const RenameStep& step = plan[i];
        const auto fail = [i](BatchProblem problem) { return BatchCheck{problem, i}; };

        const auto source = present.find(fold(StoredName(step.oldName.view())));
        if (source == present.end() || source->second == 0)
            return fail(BatchProblem::SourceMissing);

        const std::string_view stored = StoredName(step.newName.view());
        if (HasForbiddenCharacter(step.newName.view()))
            return fail(BatchProblem::BadCharacter);
        if (IsReservedDeviceName(stored))
            return fail(BatchProblem::ReservedName);
        if (Utf16Length(stored) > kMaxNameLength || Utf16Length(StoredName(step.newPath.view())) > kMaxPathLength)
            return fail(BatchProblem::PathTooLong);

        // The file leaves its old name first, so a rename onto the file's own
        // name (in any case) is no clash; a file that a later step renames is
        // still in the way of this one.
        --source->second;
        std::size_t& target = present[fold(stored)];
        if (target != 0)
            return fail(BatchProblem::TargetExists);
        target = 1;
    }
    return BatchCheck{};
}

}  // namespace pelmora
