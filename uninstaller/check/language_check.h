// The rules of language.lan: the texts the uninstall page shows at the end.
#pragma once

#include "uninstaller/check/check_system.h"
#include "uninstaller/check/findings.h"
#include "uninstaller/pages/memory_profile_reader.h"

// `path` is the file as kelrun reads it; `lines` holds its text for
// locating keys (at the path ""). The texts are looked for only when the
// product has an uninstall page to show them.
void CheckLanguageFile(CheckSystem& system, const CString& path, const MemoryProfileReader& lines, bool hasPage,
                       Findings& findings);
