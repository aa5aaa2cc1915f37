// MemoryProfileReader: INI-style files held in memory, read the way the
// system's private-profile reader reads files on disk. The unit tests and
// the fuzzers hand page files to the loader through it.
//
// It also locates what the system's reader reads: the line of the section
// or key that a read finds, with the reader's own matching (names without
// regard to case, the first section of a name, the first key of a name).
// The checker of product folders (kelcheck) gives its findings those lines.
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

    // Line numbers count from 1; CR LF, LF and a lone CR each end a line.
    // The line of the section header the reader reads, or 0 when none.
    int SectionLine(const CString& path, std::string_view section) const;
    // The line of the key the reader reads in that section, or 0 when none.
    int KeyLine(const CString& path, std::string_view section, std::string_view key) const;
    // The key's line, else its section's line, else 1 (the whole file).
    int LineOf(const CString& path, std::string_view section, std::string_view key) const;

private:
    struct Key {
        std::string name;
        std::string value;
        bool hasValue = false;  // false for a line without "="
        int line = 0;
    };
    struct Section {
        std::vector<Key> keys;
        std::unordered_map<std::string, std::size_t> firstKey;  // upper-case name -> index in keys
        int line = 0;  // of its header; 0 for the nameless section before the first
    };
    struct File {
        std::vector<Section> sections;
        // Upper-case section name -> the first section of that name.
        std::unordered_map<std::string, std::size_t> firstSection;
    };

    static File Parse(std::string_view contents);
    const Section* FindSection(const CString& path, std::string_view section) const;
    const Key* FindKey(const CString& path, std::string_view section, std::string_view key) const;

    std::map<std::string, File> files_;
};
