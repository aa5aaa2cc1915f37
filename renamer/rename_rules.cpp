#include "renamer/rename_rules.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "framework/ascii_case.h"

namespace pelmora {

namespace {

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

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
    std::string upper = FoldAsciiCase(stem);
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL"};
    for (const char* device : kDevices) {
        if (upper == device)
            return true;
    }
    return upper.size() == 4 && (upper.compare(0, 3, "COM") == 0 || upper.compare(0, 3, "LPT") == 0) &&
           upper[3] >= '1' && upper[3] <= '9';
}

// Compares two runs of digits by value; a run may be longer than any integer.
int CompareDigitRuns(std::string_view a, std::string_view b)
{
    const auto significant = [](std::string_view run) {
        const std::size_t first = run.find_first_not_of('0');
        return first == std::string_view::npos ? std::string_view() : run.substr(first);
    };
    const std::string_view sa = significant(a);
    const std::string_view sb = significant(b);
    if (sa.size() != sb.size())
        return sa.size() < sb.size() ? -1 : 1;
    const int byValue = sa.compare(sb);
    return byValue < 0 ? -1 : (byValue > 0 ? 1 : 0);
}

}  // namespace

CString GetExtName(const CString& path)
{
    const std::string_view text = path.view();
    std::size_t nameStart = 0;
    for (std::size_t i = text.size(); i > 0; --i) {
        if (IsSeparator(text[i - 1])) {
            nameStart = i;
            break;
        }
    }
    const std::string_view name = text.substr(nameStart);
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos)
        return CString();
    return CString(TrimBlanks(name.substr(dot + 1)));
}

CString JoinPath(const CString& folder, const CString& name)
{
    if (folder.IsEmpty())
        return name;
    if (IsSeparator(folder.GetAt(folder.GetLength() - 1)))
        return folder + name;
    return folder + "\\" + name;
}

CString MakeNewName(const CString& prefix, std::size_t index, const CString& extension)
{
    return prefix + std::to_string(index).c_str() + "." + extension;
}

int BatchPercent(std::size_t index, std::size_t last)
{
    // A batch of one file has no step between first and last: its one rename
    // completes the batch.
    if (last == 0 || index >= last)
        return 100;
    const double exact = static_cast<double>(index) / static_cast<double>(last) * 100.0;
    const double below = std::floor(exact);
    const double fraction = exact - below;
    double rounded = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0))
        rounded = below + 1.0;
    return static_cast<int>(rounded);
}

int NaturalCompare(std::string_view a, std::string_view b)
{
    std::size_t i = 0;
    std::size_t j = 0;
    int zerosTieBreak = 0;  // "01" and "1" are equal in value; fewer zeros first
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            const std::size_t startA = i;
            const std::size_t startB = j;
            while (i < a.size() && IsDigit(a[i]))
                ++i;
            while (j < b.size() && IsDigit(b[j]))
                ++j;
            const std::string_view runA = a.substr(startA, i - startA);
            const std::string_view runB = b.substr(startB, j - startB);
            if (const int byValue = CompareDigitRuns(runA, runB))
                return byValue;
            if (zerosTieBreak == 0 && runA.size() != runB.size())
                zerosTieBreak = runA.size() < runB.size() ? -1 : 1;
            continue;
        }
        const auto ca = static_cast<unsigned char>(AsciiLower(a[i]));
        const auto cb = static_cast<unsigned char>(AsciiLower(b[j]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size())
        return 1;
    if (j < b.size())
        return -1;
    if (zerosTieBreak != 0)
        return zerosTieBreak;
    // Names that differ in case only still get a fixed order.
    const int exact = a.compare(b);
    return exact < 0 ? -1 : (exact > 0 ? 1 : 0);
}

bool NaturalLess(const CString& a, const CString& b)
{
    return NaturalCompare(a.view(), b.view()) < 0;
}

void SortNaturally(std::vector<CString>& names)
{
    std::sort(names.begin(), names.end(), &NaturalLess);
}

std::string_view StoredName(std::string_view name)
{
    while (!name.empty() && (name.back() == '.' || name.back() == ' '))
        name.remove_suffix(1);
    return name;
}

std::string FoldAsciiCase(std::string_view name)
{
    return ToAsciiUpper(name);
}

std::vector<RenameStep> PlanBatch(const CString& folder, const std::vector<CString>& names,
                                  const CString& prefix)
{
    std::vector<RenameStep> plan;
    plan.reserve(names.size());
    const std::size_t last = names.empty() ? 0 : names.size() - 1;
    for (std::size_t i = 0; i < names.size(); ++i) {
        RenameStep step;
        step.oldName = names[i];
        step.oldPath = JoinPath(folder, names[i]);
        step.newName = MakeNewName(prefix, i, GetExtName(step.oldPath));
        step.newPath = JoinPath(folder, step.newName);
        step.percent = BatchPercent(i, last);
        plan.push_back(std::move(step));
    }
    return plan;
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
        if (stored.size() > kMaxNameLength || StoredName(step.newPath.view()).size() > kMaxPathLength)
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

CString DescribeProblem(const BatchCheck& check, const std::vector<RenameStep>& plan,
                        const CString& folder)
{
    if (check.ok() || check.step >= plan.size())
        return CString();
    const RenameStep& step = plan[check.step];
    CString reason;
    switch (check.problem) {
    case BatchProblem::SourceMissing:
        reason = "The file '" + step.oldName + "' is no longer in the folder '" + folder +
                 "'. Choose the folder again to see its files.";
        break;
    case BatchProblem::BadCharacter:
        reason = "'" + step.newName +
                 "' cannot be a file name: names may not hold any of \\ / : * ? \" < > | "
                 "or control characters.";
        break;
    case BatchProblem::ReservedName:
        reason = "'" + step.newName + "' cannot be a file name: Windows reserves it for a device.";
        break;
    case BatchProblem::PathTooLong:
        reason = "'" + step.newPath + "' is too long for a file path.";
        break;
    case BatchProblem::TargetExists:
        reason = "'" + step.oldName + "' cannot be renamed to '" + step.newName +
                 "': that name is already taken in the folder '" + folder + "'.";
        break;
    case BatchProblem::None:
        break;
    }
    return reason + "\n\nNothing has been renamed.";
}

}  // namespace pelmora
