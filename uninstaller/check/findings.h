// What kelcheck found in a product folder: one finding a line, as a
// compiler reports, "FILE:LINE: error: TEXT" or "FILE:LINE: warning: TEXT",
// then "N errors, M warnings".
#pragma once

#include <vector>

#include "framework/cstring.h"

// The files of a product folder, named as kelrun opens them, in the order
// their findings are listed.
enum class CheckedFile { Log, Language, Page };
const char* CheckedFileName(CheckedFile file);

enum class Severity { Error, Warning };

struct Finding {
    CheckedFile file;
    int line;  // from 1; 1 for a finding about the whole file
    Severity severity;
    CString text;
};

// Exit codes of kelcheck.
enum CheckExitCode : int {
    CheckClean = 0,        // no errors (warnings allowed)
    CheckFoundErrors = 1,  // at least one error
    CheckNothingRead = 2,  // no such folder or product, or a bad command line
};

class Findings {
public:
    void Error(CheckedFile file, int line, const CString& text) { Add(file, line, Severity::Error, text); }
    void Warning(CheckedFile file, int line, const CString& text) { Add(file, line, Severity::Warning, text); }
    void Add(CheckedFile file, int line, Severity severity, const CString& text);

    const std::vector<Finding>& All() const { return findings_; }
    int Count(Severity severity) const;
    // The finding lines in file order, each file's by line (findings of one
    // line in the order they were found), then the summary line.
    std::vector<CString> Lines() const;
    int ExitCode() const { return Count(Severity::Error) > 0 ? CheckFoundErrors : CheckClean; }

private:
    std::vector<Finding> findings_;
};

CString FormatFinding(const Finding& finding);
