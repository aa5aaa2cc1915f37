// The uninstall log: one KEY=VALUE record a line, read in file order.
#pragma once

#include <functional>
#include <string_view>

#include "framework/cstring.h"
#include "uninstaller/removal/removal_system.h"

enum class RecordKind {
    Ignored,  // no "=", an empty line, or a key that is no keyword
    TotalFile,
    File,
    Shortcut,
    Dir,
    NtService,
    Run3rd,
    Run3rdCmd,
    RemoveAll,
    RegVal,
};

struct LogRecord {
    RecordKind kind = RecordKind::Ignored;
    CString key;    // everything before the first "=", compared exactly
    CString value;  // everything after it, line feeds removed, nothing trimmed
};

// Splits one line (its line end already taken off) into a record. A line
// holding a NUL byte is Ignored: Windows would read its path only up to the
// NUL, a different path than the one written.
LogRecord ParseLogLine(std::string_view line);

// Calls `onLine` for every line of a log's contents, in order. LF and CR LF
// both end a line; a last line without a line end counts; lines of any
// length are passed whole. A Ctrl-Z ends the text, as text-mode reading does.
void ForEachLogLine(std::string_view contents, const std::function<void(std::string_view)>& onLine);


// A REGVAL value split into root, key path and value name.
struct RegistryValuePath {
    RegistryRoot root = RegistryRoot::None;  // None: nothing is to be deleted
    CString keyPath;
    CString valueName;  // empty: the key's default value
};
RegistryValuePath ParseRegistryValuePath(const CString& text);
