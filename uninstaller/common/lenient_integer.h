// Lenient reading of decimal numbers, as every file format of kelrun reads
// them: the uninstall log, page files and language files.
#pragma once

#include <string_view>

// The C library's atoi: leading blanks, an optional sign, digits up to the
// first other character; no digits give 0. Values beyond int saturate.
int ReadLeadingInteger(std::string_view text);
