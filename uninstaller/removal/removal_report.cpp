#include "uninstaller/removal/removal_report.h"

#include <cstdio>
#include <utility>

namespace {

const char* ModeName(int runMode)
{
    switch (runMode) {
    case RunModeUninstall: return "/R (uninstall)";
    case RunModeModify: return "/I (modify)";
    case RunModeSilentUninstall: return "/S (silent uninstall)";
    default: return "none";
    }
}

// A report line is one line whatever its texts hold: a log value may carry a
// lone carriage return, and the system's error texts end in a line break.
// Control characters become blanks, and blanks at the end go.
std::string OneLine(std::string text)
{
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            c = ' ';
    }
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

std::string TwoDigits(int value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

}  // namespace

CString ReportFileName(const CString& productCode)
{
    std::string name = productCode.str();
    for (char& c : name) {
        const bool control = static_cast<unsigned char>(c) < 0x20;
        if (control || c == '\\' || c == '/' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' ||
            c == '>' || c == '|')
            c = '_';
    }
    return "kelrun " + CString(name) + ".log";
}

RemovalReport::RemovalReport(ReportSink& sink, ErrorTextFunction errorText)
    : sink_(sink), errorText_(std::move(errorText))
{
}

void RemovalReport::Header(const ReportTime& time, const ProductValues& product)
{
    Write("kelrun removal report");
    Write("Time: " + std::to_string(time.year) + "-" + TwoDigits(time.month) + "-" + TwoDigits(time.day) + " " +
          TwoDigits(time.hour) + ":" + TwoDigits(time.minute) + ":" + TwoDigits(time.second));
    Write(std::string("Mode: ") + ModeName(product.RunMode));
    Write("Product: " + product.ProductDisplayName.str());
    Write("Product code: " + product.ProductCode.str());
    Write("InstallFolder: " + product.InstallFolder.str());
    Write("ProductFolder: " + product.ProductFolder.str());
    Write("");
}

void RemovalReport::Line(std::string_view what, const CString& subject, const RemovalOutcome& outcome)
{
    Write(std::string(what) + " " + subject.str() + ": " + FormatOutcome(outcome));
}

void RemovalReport::TreeItem(const CString& path, const RemovalOutcome& outcome)
{
    Write("  " + path.str() + ": " + FormatOutcome(outcome));
}

void RemovalReport::Note(const CString& text)
{
    Write(text.str());
}

void RemovalReport::ExitCode(int code)
{
    Write("");
    Write("Exit code: " + std::to_string(code) + " (" + ExitCodeMeaning(code) + ")");
}

std::string RemovalReport::FormatOutcome(const RemovalOutcome& outcome) const
{
    switch (outcome.result) {
    case RemovalResult::Removed:
        return "removed";
    case RemovalResult::AlreadyGone:
        return "already gone";
    case RemovalResult::Failed: {
        std::string text = "failed (" + FormatError(outcome.error) + ")";
        if (outcome.scheduleError != system_error::None)
            text += ", and could not be scheduled for removal at restart (" + FormatError(outcome.scheduleError) + ")";
        if (!outcome.detail.IsEmpty())
            text += ": " + outcome.detail.str();
        return text;
    }
    case RemovalResult::Scheduled:
        return "in use or locked, scheduled for removal at restart (" + FormatError(outcome.error) + ")";
    case RemovalResult::Refused:
        return "refused by the tree guard: " + outcome.detail.str();
    case RemovalResult::Skipped:
        return "skipped: " + outcome.detail.str();
    case RemovalResult::Done:
        return outcome.detail.str();
    }
    return std::string();
}

std::string RemovalReport::FormatError(SystemError error) const
{
    std::string text = "error " + std::to_string(error);
    const std::string reason = errorText_ ? OneLine(errorText_(error).str()) : std::string();
    if (!reason.empty())
        text += ": " + reason;
    return text;
}

void RemovalReport::Write(std::string line)
{
    sink_.WriteLine(OneLine(std::move(line)));
}

const char* ExitCodeMeaning(int code)
{
    switch (code) {
    case ExitRemovalRan: return "the removal ran";
    case ExitUserDeclined: return "the user cancelled: nothing was removed";
    case ExitStartupFailed: return "the run could not start";
    case ExitProductNotFound: return "no uninstall information for the product";
    case ExitBadCommandLine: return "bad command line";
    case ExitRestartRequired: return "a restart completes the removal";
    default: return "unknown";
    }
}
