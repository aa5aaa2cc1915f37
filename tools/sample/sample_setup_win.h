// sample_setup's work on the machine: installing the sample product and
// reporting what of it is there.
#pragma once

#include <windows.h>

#include <string>

#include "tools/sample/sample_layout.h"

namespace sample {

// The machine's folders for a product. An empty `installFolder` means
// "<Program Files>\<name>"; a trailing backslash is dropped.
Locations LocateOnThisMachine(const std::string& code, const std::string& name,
                              const std::string& installFolder);

// HKEY_CURRENT_USER or HKEY_LOCAL_MACHINE by name; null for anything else.
HKEY RootKeyByName(const std::string& root);

// Installs everything the layout names. `helperFolder` holds record_run.exe
// and record_hook.dll; `kelrunPath`, when not empty, is copied to the
// layout's uninstaller path. Progress and failures go to stdout and stderr.
bool Install(const Layout& layout, const std::string& helperFolder, const std::string& kelrunPath);

// Prints each part of the product with "present" or "gone", and the lines
// of the record file.
void Report(const Layout& layout);

}  // namespace sample
