#include "uninstaller/removal/comparable_path.h"

#include <string_view>

#include "framework/ascii_case.h"

namespace {

bool IsLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

std::vector<std::string> SplitNames(std::string_view text)
{
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\\', start);
        if (end == std::string_view::npos)
            end = text.size();
        if (end > start)
            names.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

// Drops trailing dots and blanks of each name. A name that is nothing but
// dots and blanks ("." or "..") means the path was never made full.
bool TrimNames(std::vector<std::string>& names)
{
    for (std::string& name : names) {
        const std::size_t last = name.find_last_not_of(". ");
        if (last == std::string::npos)
            return false;
        name.erase(last + 1);
    }
    return true;
}

}  // namespace

ComparablePath Comparable(const CString& path)
{
    ComparablePath result;
    std::string text = ToAsciiUpper(path.view());
    for (char& c : text) {
        if (c == '/')
            c = '\\';
    }

    if (text.size() >= 2 && IsLetter(text[0]) && text[1] == ':') {
        if (text.size() > 2 && text[2] != '\\')
            return result;  // "C:name" is relative to the drive's current folder
        result.root = text.substr(0, 2);
        result.names = SplitNames(std::string_view(text).substr(2));
    } else if (text.size() > 2 && text[0] == '\\' && text[1] == '\\' && text[2] != '\\') {
        // \\server\share\...: the share is the root, as the drive is for a
        // drive path.
        std::vector<std::string> parts = SplitNames(std::string_view(text).substr(2));
        if (parts.size() < 2)
            return result;
        const std::string& server = parts[0];
        const std::string& share = parts[1];
        // "\\.\" and "\\?\" open the device namespace, where "\\.\C:\Windows"
        // names C:\Windows without looking like it; and "\\host\C$" is a whole
        // drive behind a share name. Neither can be compared with the
        // protected folders, so neither counts as a full path.
        if (server == "." || server == "?")
            return result;
        if (share.size() == 2 && IsLetter(share[0]) && share[1] == '$')
            return result;
        result.root = "\\\\" + server + "\\" + share;
        result.names.assign(parts.begin() + 2, parts.end());
    } else {
        return result;  // relative, or relative to the current drive's root
    }
    result.valid = TrimNames(result.names);
    return result;
}

// `inner` is `outer` itself or lies somewhere below it.
bool IsSameOrInside(const ComparablePath& outer, const ComparablePath& inner)
{
    if (!outer.valid || !inner.valid || outer.root != inner.root ||
        inner.names.size() < outer.names.size())
        return false;
    for (std::size_t i = 0; i < outer.names.size(); ++i) {
        if (outer.names[i] != inner.names[i])
            return false;
    }
    return true;
}

