// kelrun's command line, the paths of a product's folder, the confirmation
// question and the texts of a failed start. Plain text work: no Win32 here.
#pragma once

#include <cstdint>

#include "framework/cstring.h"
#include "uninstaller/common/product_values.h"

// The mode that a switch argument selects, or RunModeNone. The switch is found
// by a case-sensitive substring search, and when several occur the later test
// wins: "/S" over "/I" over "/R" ("x/Ry" selects Uninstall, "/r" nothing).
int ParseRunSwitch(const CString& argument);

// The seven-line usage message, lines joined by carriage return and line feed.
CString UsageMessage();

// The confirmation question of Uninstall mode: language key 14 with its
// placeholders expanded when it is not empty, else the built-in question.
CString ConfirmationQuestion(const CString& languageText, const CString& displayName,
                             const CString& productCode);

// The message when the uninstall log is missing.
CString LogNotFoundMessage();

// The message when the uninstall log exists but cannot be read: it names the
// log's path and the system's reason (its error text, or the error number
// when the system has no text for it).
CString UnreadableLogMessage(const CString& logPath, const CString& systemReason, std::uint32_t errorCode);

// The sentence that tells a restart completes the removal: language section
// RestartToComplete, key 1, with its placeholders expanded when it is not
// empty, else the built-in sentence.
CString RestartSentence(const CString& languageText, const CString& displayName, const CString& productCode);

// The final message of a run without a page: "Product uninstalled.", and
// `note` on a line of its own after it when there is one.
CString UninstalledMessage(const CString& note);
