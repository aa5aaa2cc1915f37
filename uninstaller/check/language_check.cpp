#include "uninstaller/check/language_check.h"

namespace {

struct LanguageText {
    const char* section;
    const char* key;
    const char* lostWithout;
};

// What the page shows from the language file, and what it loses without it.
// Key 14 of [SetupProgress] (the question) and key 1 of [RestartToComplete]
// have texts of kelrun's own to fall back on.
constexpr LanguageText PageTexts[] = {
    {"SetupProgress", "10", "the page's status line is empty when the removal is done"},
    {"SetupCompleteSuccess", "1", "the page's IDCANCEL button has no caption when the removal is done"},
    {"SetupCompleteSuccess", "5", "the page's IDC_STATIC1 line stays empty when the removal is done"},
};

}  // namespace

void CheckLanguageFile(CheckSystem& system, const CString& path, const MemoryProfileReader& lines, bool hasPage,
                       Findings& findings)
{
    if (!hasPage)
        return;
    for (const LanguageText& text : PageTexts) {
        // kelrun reads these into 255-byte buffers.
        if (system.Profiles().ReadString(path, text.section, text.key, 256).IsEmpty())
            findings.Warning(CheckedFile::Language, lines.LineOf("", text.section, text.key),
                             CString::Format("[%s] has no text at key %s: %s", text.section, text.key,
                                             text.lostWithout));
    }
}
