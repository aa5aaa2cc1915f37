#include "uninstaller/pages/memory_profile_reader.h"

#include <algorithm>

#include "framework/ascii_case.h"

namespace {

// The reader takes Ctrl-Z, the old end-of-file mark, for a blank too.
bool IsProfileBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == '\x1a';
}

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && IsProfileBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsProfileBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The system's reader hands names and values on as C strings: whatever
// follows a NUL byte is never seen.
std::string_view UpToNul(std::string_view text)
{
    return text.substr(0, text.find('\0'));
}

// One pair of enclosing quotes goes, both " or both ', when there is
// something between them or they are the whole value ("" reads as empty).
std::string_view DropEnclosingQuotes(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

}  // namespace

MemoryProfileReader::File MemoryProfileReader::Parse(std::string_view contents)
{
    File file;
    // Keys before the first section header belong to a nameless section
    // that no lookup by name reaches.
    file.sections.emplace_back();
    std::size_t current = 0;

    std::size_t at = 0;
    while (at < contents.size()) {
        // CR, LF and any run of them end a line, so CR LF, LF and CR files
        // read alike and blank lines vanish.
        const std::size_t end = contents.find_first_of("\r\n", at);
        const std::size_t lineEnd = end == std::string_view::npos ? contents.size() : end;
        const std::string_view line = TrimBlanks(contents.substr(at, lineEnd - at));
        at = contents.find_first_not_of("\r\n", lineEnd);
        if (at == std::string_view::npos)
            at = contents.size();
        if (line.empty() || line.front() == ';')
            continue;

        if (line.front() == '[') {
            const std::size_t close = line.rfind(']');
            if (close != std::string_view::npos) {
                // The name is what stands between "[" and the last "]",
                // without blanks around it; text after the "]" is ignored.
                // Only the first section of a name is ever read.
                file.sections.emplace_back();
                current = file.sections.size() - 1;
                const std::string name = ToAsciiUpper(TrimBlanks(UpToNul(line.substr(1, close - 1))));
                file.firstSection.emplace(name, current);
                continue;
            }
        }

        Key key;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            key.name = std::string(UpToNul(line));
        } else {
            key.name = std::string(UpToNul(TrimBlanks(line.substr(0, equals))));
            key.value = std::string(UpToNul(TrimBlanks(line.substr(equals + 1))));
            key.hasValue = true;
        }
        Section& section = file.sections[current];
        section.firstKey.emplace(ToAsciiUpper(key.name), section.keys.size());
        section.keys.push_back(std::move(key));
    }
    return file;
}

void MemoryProfileReader::SetFile(const CString& path, std::string_view contents)
{
    files_[path.str()] = Parse(contents);
}

void MemoryProfileReader::RemoveFile(const CString& path)
{
    files_.erase(path.str());
}

CString MemoryProfileReader::ReadString(const CString& path, const CString& section, const CString& key,
                                        int bufferSize)
{
    if (bufferSize <= 0)
        return CString();
    const auto file = files_.find(path.str());
    if (file == files_.end())
        return CString();
    const auto found = file->second.firstSection.find(ToAsciiUpper(TrimBlanks(section.view())));
    if (found == file->second.firstSection.end())
        return CString();
    // The first key of the name wins, even a line without "=", which reads
    // as empty.
    const Section& inSection = file->second.sections[found->second];
    const auto entry = inSection.firstKey.find(ToAsciiUpper(TrimBlanks(key.view())));
    if (entry == inSection.firstKey.end() || !inSection.keys[entry->second].hasValue)
        return CString();
    const std::string_view value = DropEnclosingQuotes(inSection.keys[entry->second].value);
    return CString(value.substr(0, static_cast<std::size_t>(bufferSize) - 1));
}

std::vector<CString> MemoryProfileReader::ReadKeyNames(const CString& path, const CString& section)
{
    std::vector<CString> names;
    const auto file = files_.find(path.str());
    if (file == files_.end())
        return names;
    const auto found = file->second.firstSection.find(ToAsciiUpper(TrimBlanks(section.view())));
    if (found == file->second.firstSection.end())
        return names;
    // Lines without "=" are not listed.
    for (const Key& key : file->second.sections[found->second].keys) {
        if (key.hasValue)
            names.emplace_back(key.name);
    }
    return names;
}
