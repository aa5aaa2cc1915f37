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
    int lineNumber = 0;
    while (at < contents.size()) {
        // CR, LF and CR LF each end a line, so CR LF, LF and CR files read
        // alike; blank lines are counted and then skipped.
        const std::size_t end = contents.find_first_of("\r\n", at);
        const std::size_t lineEnd = end == std::string_view::npos ? contents.size() : end;
        const std::string_view line = TrimBlanks(contents.substr(at, lineEnd - at));
        ++lineNumber;
        at = lineEnd + 1;
        if (end != std::string_view::npos && contents[end] == '\r' && at < contents.size() && contents[at] == '\n')
            ++at;
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
                file.sections[current].line = lineNumber;
                const std::string name = ToAsciiUpper(TrimBlanks(UpToNul(line.substr(1, close - 1))));
                file.firstSection.emplace(name, current);
                continue;
            }
        }

        Key key;
        key.line = lineNumber;
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

const MemoryProfileReader::Section* MemoryProfileReader::FindSection(const CString& path,
                                                                     std::string_view section) const
{
    const auto file = files_.find(path.str());
    if (file == files_.end())
        return nullptr;
    const auto found = file->second.firstSection.find(ToAsciiUpper(TrimBlanks(section)));
    return found == file->second.firstSection.end() ? nullptr : &file->second.sections[found->second];
}

const MemoryProfileReader::Key* MemoryProfileReader::FindKey(const CString& path, std::string_view section,
                                                             std::string_view key) const
{
    // The first key of the name wins, even a line without "=", which reads
    // as empty.
    const Section* inSection = FindSection(path, section);
    if (!inSection)
        return nullptr;
    const auto entry = inSection->firstKey.find(ToAsciiUpper(TrimBlanks(key)));
    return entry == inSection->firstKey.end() ? nullptr : &inSection->keys[entry->second];
}

CString MemoryProfileReader::ReadString(const CString& path, const CString& section, const CString& key,
                                        int bufferSize)
{
    if (bufferSize <= 0)
        return CString();
    const Key* found = FindKey(path, section.view(), key.view());
    if (!found || !found->hasValue)
        return CString();
    const std::string_view value = DropEnclosingQuotes(found->value);
    return CString(value.substr(0, static_cast<std::size_t>(bufferSize) - 1));
}

std::vector<CString> MemoryProfileReader::ReadKeyNames(const CString& path, const CString& section)
{
    std::vector<CString> names;
    const Section* found = FindSection(path, section.view());
    if (!found)
        return names;
    // Lines without "=" are not listed.
    for (const Key& key : found->keys) {
        if (key.hasValue)
            names.emplace_back(key.name);
    }
    return names;
}

int MemoryProfileReader::SectionLine(const CString& path, std::string_view section) const
{
    const Section* found = FindSection(path, section);
    return found ? found->line : 0;
}

int MemoryProfileReader::KeyLine(const CString& path, std::string_view section, std::string_view key) const
{
    const Key* found = FindKey(path, section, key);
    return found ? found->line : 0;
}

int MemoryProfileReader::LineOf(const CString& path, std::string_view section, std::string_view key) const
{
    if (const int line = KeyLine(path, section, key))
        return line;
    if (const int line = SectionLine(path, section))
        return line;
    return 1;
}
