// ProfileReader: reads INI-style files key by key, the way the system's
// private-profile reader (GetPrivateProfileStringA) does. The page loader
// reads page files only through it; the Win32 implementation is
// profile_reader_win.*, the tests and fuzzers use MemoryProfileReader.
#pragma once

#include <vector>

#include "framework/cstring.h"

class ProfileReader {
public:
    virtual ~ProfileReader() = default;

    // The value of `key` in `section` of the file at `path`, as the system's
    // reader hands it to a buffer of `bufferSize` bytes with an empty default:
    // - a missing file, section or key, or a key line without "=", reads as
    //   empty;
    // - section and key names match without regard to ASCII case; only the
    //   first section of a name is searched, and the first key of a name wins;
    // - blanks around the value are dropped, then one pair of enclosing
    //   quotes (both " or both ') is dropped;
    // - at most bufferSize - 1 characters are returned, the rest is cut off
    //   (a bufferSize of 0 or below returns empty).
    // The result never holds a NUL byte.
    virtual CString ReadString(const CString& path, const CString& section, const CString& key,
                               int bufferSize) = 0;

    // The names of the keys of `section` (its first section of that name),
    // in file order, as the system's reader lists them: blanks around each
    // name dropped, comment lines (";") and lines without "=" left out; empty
    // when the file or the section is missing. A name is listed again where
    // the file repeats it. The list is complete whatever its length.
    virtual std::vector<CString> ReadKeyNames(const CString& path, const CString& section) = 0;
};
