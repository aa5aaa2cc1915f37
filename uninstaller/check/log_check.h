// The rules of uninstall.log: what kelrun ignores, refuses or does other
// than its writer meant, each found at its line.
#pragma once

#include <string_view>

#include "uninstaller/check/check_system.h"
#include "uninstaller/check/findings.h"

void CheckUninstallLog(std::string_view contents, CheckSystem& system, const CheckTarget& target,
                       Findings& findings);
