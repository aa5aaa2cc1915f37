// The rules of theme\uninstall.lcd: the page is loaded with kelrun's own
// loader and page model into a surface that only records, then what was
// loaded and what was left out is held against what page authors mean.
#pragma once

#include "uninstaller/check/check_system.h"
#include "uninstaller/check/findings.h"
#include "uninstaller/pages/memory_profile_reader.h"

// `path` is the page file as kelrun reads it; `lines` holds its text for
// locating keys (at the path "").
void CheckPageFile(CheckSystem& system, const CheckTarget& target, const CString& path,
                   const MemoryProfileReader& lines, Findings& findings);
