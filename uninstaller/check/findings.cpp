#include "uninstaller/check/findings.h"

#include <algorithm>

const char* CheckedFileName(CheckedFile file)
{
    switch (file) {
    case CheckedFile::Log: return "uninstall.log";
    case CheckedFile::Language: return "language.lan";
    case CheckedFile::Page: return "theme\\uninstall.lcd";
    }
    return "";
}

void Findings::Add(CheckedFile file, int line, Severity severity, const CString& text)
{
    findings_.push_back({file, line < 1 ? 1 : line, severity, text});
}

int Findings::Count(Severity severity) const
{
    return static_cast<int>(std::count_if(findings_.begin(), findings_.end(),
                                          [severity](const Finding& f) { return f.severity == severity; }));
}

CString FormatFinding(const Finding& finding)
{
    return CString::Format("%s:%d: %s: %s", CheckedFileName(finding.file), finding.line,
                           finding.severity == Severity::Error ? "error" : "warning", finding.text.GetString());
}

std::vector<CString> Findings::Lines() const
{
    std::vector<Finding> sorted = findings_;
    std::stable_sort(sorted.begin(), sorted.end(), [](const Finding& a, const Finding& b) {
        return a.file != b.file ? a.file < b.file : a.line < b.line;
    });
    std::vector<CString> lines;
    for (const Finding& finding : sorted)
        lines.push_back(FormatFinding(finding));
    // One form whatever the numbers, for the scripts that read it.
    lines.push_back(CString::Format("%d errors, %d warnings", Count(Severity::Error), Count(Severity::Warning)));
    return lines;
}
