#include "uninstaller/removal/uninstall_log.h"

#include <climits>

#include "uninstaller/common/lenient_integer.h"

namespace {

struct Keyword {
    const char* key;
    RecordKind kind;
};

constexpr Keyword Keywords[] = {
    {"TOTALFILE", RecordKind::TotalFile}, {"FILE", RecordKind::File},
    {"SHORTCUT", RecordKind::Shortcut},   {"DIR", RecordKind::Dir},
    {"NTSERVICE", RecordKind::NtService}, {"RUN3RD", RecordKind::Run3rd},
    {"RUN3RDCMD", RecordKind::Run3rdCmd}, {"REMOVEALL", RecordKind::RemoveAll},
    {"REGVAL", RecordKind::RegVal},
};

// Text-mode reading of a file stops at Ctrl-Z, and everything behind it is
// never seen.
constexpr char EndOfText = '\x1A';

}  // namespace

LogRecord ParseLogLine(std::string_view line)
{
    LogRecord record;
    // A NUL byte cannot stand in a path: every Windows call would see the
    // text only up to it and so act on a different, shorter path. Such a
    // line is damaged and is ignored as a whole.
    if (line.find('\0') != std::string_view::npos)
        return record;

    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return record;  // no "=": the key is empty, and an empty key is no keyword

    record.key = CString(line.substr(0, equals));
    std::string value;
    for (char c : line.substr(equals + 1)) {
        if (c != '\n')
            value += c;
    }
    record.value = CString(std::move(value));

    for (const Keyword& keyword : Keywords) {
        if (record.key == keyword.key) {
            record.kind = keyword.kind;
            break;
        }
    }
    return record;
}

void ForEachLogLine(std::string_view contents, const std::function<void(std::string_view)>& onLine)
{
    const std::size_t end = contents.find(EndOfText);
    if (end != std::string_view::npos)
        contents = contents.substr(0, end);

    // Lines are cut only at line feeds, so a line of any length arrives whole
    // as one record; nothing is ever split off into a record of its own.
    std::size_t start = 0;
    while (start < contents.size()) {
        std::size_t lineEnd = contents.find('\n', start);
        const bool lastLine = lineEnd == std::string_view::npos;
        if (lastLine)
            lineEnd = contents.size();
        std::string_view line = contents.substr(start, lineEnd - start);
        // Carriage return and line feed is one line end, as text-mode reading
        // makes it; a carriage return elsewhere is text.
        if (!lastLine && !line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        onLine(line);
        start = lineEnd + 1;
    }
}

RegistryValuePath ParseRegistryValuePath(const CString& text)
{
    // The root is found by a plain substring search, wherever the name stands.
    // When several root names occur, the one later in this list wins.
    static constexpr struct {
        const char* name;
        RegistryRoot root;
    } RootSearch[] = {
        {"HKEY_CLASSES_ROOT", RegistryRoot::ClassesRoot},
        {"HKEY_CURRENT_CONFIG", RegistryRoot::CurrentConfig},
        {"HKEY_CURRENT_USER", RegistryRoot::CurrentUser},
        {"HKEY_LOCAL_MACHINE", RegistryRoot::LocalMachine},
        {"HKEY_USERS", RegistryRoot::Users},
    };
    // Every root prefix is then cut out of the text, wherever it stands, in
    // this order.
    static constexpr const char* RootPrefixes[] = {
        "HKEY_CLASSES_ROOT\\", "HKEY_CURRENT_USER\\", "HKEY_LOCAL_MACHINE\\",
        "HKEY_USERS\\", "HKEY_CURRENT_CONFIG\\",
    };

    RegistryValuePath result;
    for (const auto& candidate : RootSearch) {
        if (text.Find(candidate.name) >= 0)
            result.root = candidate.root;
    }
    if (result.root == RegistryRoot::None)
        return result;

    CString rest = text;
    for (const char* prefix : RootPrefixes)
        rest.Replace(prefix, "");

    const int lastBackslash = rest.ReverseFind('\\');
    if (lastBackslash < 0) {
        result.keyPath = rest;  // no value name: the key's default value
    } else {
        result.keyPath = rest.Left(lastBackslash);
        result.valueName = rest.Mid(lastBackslash + 1);
    }
    return result;
}
