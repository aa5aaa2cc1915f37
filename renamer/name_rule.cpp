#include "renamer/name_rule.h"

#include <cmath>
#include <string>
#include <string_view>

namespace pelmora {

namespace {

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
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

}  // namespace pelmora
