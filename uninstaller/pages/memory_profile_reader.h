// MemoryProfileReader: INI-style files held in memory, read the way the
// system's private-profile reader reads files on disk. The unit tests and
// the fuzzers hand page files to the loader through it.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "uninstaller/pages/profile_reader.h"

class MemoryProfileReader : public ProfileReader {
public:
    // Makes `contents` the file at `path` (compared exactly), replacing what
    // was there. Parses the whole text once; reads cost no parsing.
    void SetFile(const CString& path, std::string_view contents);
    void RemoveFile(const CString& path);

    CString ReadString(const CString& path, const CString& section, const CString& key,
                       int bufferSize) override;
    std::vector<CString> ReadKeyNames(const CString& path, const CString& section) override;

private:
    struct Key {
        std::string name;
        std::string value;
        bool hasValue = false;  // false for a line without "="
    };
    struct Section {
        std::vector<Key> keys;
        std::unordered_map<std::string, std::size_t> firstKey;  // upper-case name -> index in keys
    };
    struct File {
        std::vector<Section> sections;
        // Upper-case section name -> the first section of that name.
        std::unordered_map<std::string, std::size_t> firstSection;
    };

    static File Parse(std::string_view contents);

    std::map<std::string, File> files_;
};
