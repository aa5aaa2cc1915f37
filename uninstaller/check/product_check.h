// kelcheck's whole check of one product folder: uninstall.log,
// language.lan and theme\uninstall.lcd, each read the way kelrun reads it.
#pragma once

#include "uninstaller/check/check_system.h"
#include "uninstaller/check/findings.h"

Findings CheckProduct(CheckSystem& system, const CheckTarget& target);
