// Names compared as the file system compares them: without regard to case,
// over all of Unicode. Plain text processing: no Windows calls here.
//
// Windows' file systems take two names for the same one when they are equal
// after each UTF-16 unit is put into upper case by a fixed table; units
// outside the Basic Multilingual Plane are compared as they are. The table
// here is that mapping, kept in this program rather than asked of the system
// so that the natural order of the lists, which is tested without Windows,
// folds exactly as the clash check of a batch does.
#pragma once

#include <string>
#include <string_view>

namespace pelmora {

// The upper case of a code point as names compare; the code point itself
// when it has none, and for every code point beyond the BMP.
char32_t NameUpperCase(char32_t c);

// A UTF-8 name with every code point in that upper case: two names are the
// same name on disk when their folded forms are equal.
std::string FoldNameCase(std::string_view name);

}  // namespace pelmora
