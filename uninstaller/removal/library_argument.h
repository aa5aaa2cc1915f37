// The text buffer that a removal library's export receives.
#pragma once

#include <cstddef>
#include <vector>

#include "framework/cstring.h"

// Exports are written against a buffer of this many bytes and may fill all
// of it.
constexpr std::size_t LibraryArgumentMinSize = 256;

// The library's path followed by zeros: LibraryArgumentMinSize bytes, or the
// path's length + 1 when the path is longer, so the path always arrives whole
// and zero-terminated and the export may write to all 256 bytes.
std::vector<char> LibraryArgument(const CString& libraryPath);
