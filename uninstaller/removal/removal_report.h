// The removal report: a plain-text account of one kelrun run for a support
// desk. The header names the time, the mode and the product; then one line
// per thing acted on, in order, with its result; last the exit code. Lines
// are handed to a ReportSink one by one as the run goes, so a run that dies
// leaves its report up to its last step.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "framework/cstring.h"
#include "uninstaller/common/product_values.h"
#include "uninstaller/removal/removal_outcome.h"

// Where the report's lines go. Writing never fails as far as the caller can
// tell: a report that cannot be written must not stop the removal.
class ReportSink {
public:
    virtual ~ReportSink() = default;
    // One line, without its line end.
    virtual void WriteLine(std::string_view line) = 0;
};

// The local time of the run's start.
struct ReportTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The report's file name for a product code: "kelrun <code>.log". Characters
// that a file name cannot hold (a "\" would lead into another folder) become
// "_", so the report always lands in the folder it is meant for.
CString ReportFileName(const CString& productCode);

class RemovalReport {
public:
    // The system's text for an error code; empty when it has none.
    using ErrorTextFunction = std::function<CString(SystemError)>;

    RemovalReport(ReportSink& sink, ErrorTextFunction errorText);

    void Header(const ReportTime& time, const ProductValues& product);
    // "<what> <subject>: <result>", e.g. "FILE C:\App\app.exe: removed".
    void Line(std::string_view what, const CString& subject, const RemovalOutcome& outcome);
    // Something inside the installation tree that did not go at once.
    void TreeItem(const CString& path, const RemovalOutcome& outcome);
    // A line of plain text.
    void Note(const CString& text);
    void ExitCode(int code);

    // The result part of a line: "removed", "failed (error 5: Access is
    // denied.)", "scheduled for removal at restart (error 32: ...)", ...
    std::string FormatOutcome(const RemovalOutcome& outcome) const;

private:
    std::string FormatError(SystemError error) const;
    void Write(std::string line);

    ReportSink& sink_;  // borrowed
    ErrorTextFunction errorText_;
};

// The meaning of an exit code, as the report's last line gives it.
const char* ExitCodeMeaning(int code);
