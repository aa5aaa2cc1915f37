// Pelmora keeps every text in UTF-8 (in CString) and turns it into UTF-16
// only at the Windows calls, which take and give names as UTF-16. Plain text
// processing: no Windows calls here.
//
// A file name on Windows is any sequence of 16-bit units, unpaired
// surrogates included. Such a unit is kept as its own three-byte sequence
// (the way UTF-8 would write the code point if it were one), so that every
// name the file system gives comes back to the same units.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace pelmora {

// The code point that starts at `position`, which then moves past it. A byte
// that starts no valid sequence reads as U+FFFD and is skipped alone.
char32_t NextCodePoint(std::string_view utf8, std::size_t& position);

// Appends the UTF-16 units of a UTF-8 text to `out`: a std::u16string, or a
// std::wstring where a wchar_t is 16 bits (Windows).
template <typename Units>
void AppendUtf16(std::string_view utf8, Units& out)
{
    using Unit = typename Units::value_type;
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t c = NextCodePoint(utf8, i);
        if (c < 0x10000) {
            out += static_cast<Unit>(c);
        } else {
            out += static_cast<Unit>(0xD800 + ((c - 0x10000) >> 10));
            out += static_cast<Unit>(0xDC00 + ((c - 0x10000) & 0x3FF));
        }
    }
}

std::u16string ToUtf16(std::string_view utf8);
std::string ToUtf8(std::u16string_view utf16);

// Appends one code point (or unpaired surrogate) in UTF-8.
void AppendUtf8(std::string& out, char32_t c);

// The number of UTF-16 units the text takes: the measure of the file
// system's limits on names and paths.
std::size_t Utf16Length(std::string_view utf8);

}  // namespace pelmora
