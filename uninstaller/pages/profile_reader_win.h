// ProfileReaderWin: the page files' reader on the system's private-profile
// functions. Every call reads the file anew (the system may cache it), so a
// page costs one call per key.
#pragma once

#include "uninstaller/pages/profile_reader.h"

class ProfileReaderWin : public ProfileReader {
public:
    CString ReadString(const CString& path, const CString& section, const CString& key,
                       int bufferSize) override;
    std::vector<CString> ReadKeyNames(const CString& path, const CString& section) override;
};
