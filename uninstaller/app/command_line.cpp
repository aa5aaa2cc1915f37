#include "uninstaller/app/command_line.h"

#include <string>

#include "uninstaller/common/placeholders.h"

namespace {

bool Contains(const CString& text, const char* what)
{
    return text.Find(what) >= 0;
}

}  // namespace

int ParseRunSwitch(const CString& argument)
{
    // Each test that hits replaces the mode found before it, so with several
    // switches in one argument the last test decides.
    int mode = RunModeNone;
    if (Contains(argument, "/R"))
        mode = RunModeUninstall;
    if (Contains(argument, "/I"))
        mode = RunModeModify;
    if (Contains(argument, "/S"))
        mode = RunModeSilentUninstall;
    return mode;
}

CString UsageMessage()
{
    return "Parvane Uninstaller\r\n"
           "\r\n"
           "Usage:\r\n"
           "kelrun.exe /R {productcode} to uninstall.\r\n"
           "kelrun.exe /I {productcode} to modify.\r\n"
           "\r\n"
           "kelrun.exe /S {productcode} to silent uninstall.";
}

CString ConfirmationQuestion(const CString& languageText, const CString& displayName,
                             const CString& productCode)
{
    if (!languageText.IsEmpty())
        return ExpandProductPlaceholders(languageText, displayName, productCode);
    // Appended rather than formatted, so that a "%" in the name is shown as is.
    return "This will remove " + displayName + " from your system, do you want to continue?";
}

CString LogNotFoundMessage()
{
    return "Uninstallation information not found. Parvane can't uninstall this software";
}

CString UnreadableLogMessage(const CString& logPath, const CString& systemReason, std::uint32_t errorCode)
{
    // The system's texts end in a line break (and Wine's sometimes in a
    // blank): the box shows the text without them.
    std::string reason = systemReason.str();
    while (!reason.empty() && (reason.back() == '\r' || reason.back() == '\n' || reason.back() == ' '))
        reason.pop_back();
    if (reason.empty())
        reason = "System error " + std::to_string(errorCode) + ".";
    return "Uninstallation information cannot be read. Parvane can't uninstall this software\r\n\r\n" +
           logPath + "\r\n" + CString(reason);
}

CString RestartSentence(const CString& languageText, const CString& displayName, const CString& productCode)
{
    if (!languageText.IsEmpty())
        return ExpandProductPlaceholders(languageText, displayName, productCode);
    return "Some files are in use. They will be removed when Windows restarts.";
}

CString UninstalledMessage(const CString& note)
{
    const CString done = "Product uninstalled.";
    return note.IsEmpty() ? done : done + "\r\n" + note;
}
