// A reader of Windows executables (the PE format) for the checks of the
// shipped programs: header fields, imported libraries and resources. It
// runs on Linux, where the 32-bit programs cannot run, and trusts nothing
// in the file: every offset is checked against the bytes that are there.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace distcheck {

constexpr std::uint16_t kMachineI386 = 0x014C;
constexpr std::uint16_t kMachineAmd64 = 0x8664;

constexpr std::uint16_t kFileExecutableImage = 0x0002;
constexpr std::uint16_t kFile32BitMachine = 0x0100;
constexpr std::uint16_t kFileDll = 0x2000;

constexpr std::uint16_t kSubsystemWindowsGui = 2;
constexpr std::uint16_t kSubsystemWindowsConsole = 3;

// Resource types (the RT_ numbers).
constexpr std::uint16_t kResourceIcon = 3;
constexpr std::uint16_t kResourceMenu = 4;
constexpr std::uint16_t kResourceDialog = 5;
constexpr std::uint16_t kResourceString = 6;
constexpr std::uint16_t kResourceGroupIcon = 14;
constexpr std::uint16_t kResourceVersion = 16;
constexpr std::uint16_t kResourceManifest = 24;

// A resource type or name: a number, or a text where the file gives one.
struct ResourceKey {
    bool isText = false;
    std::uint16_t id = 0;
    std::string text;  // when isText; UTF-8
};

struct Resource {
    ResourceKey type;
    ResourceKey name;
    std::uint16_t language = 0;
    std::vector<std::uint8_t> data;
};

class PeImage {
public:
    // Reads the image; false with a reason when the bytes are no PE image or
    // one of its tables points outside the file.
    bool Parse(std::vector<std::uint8_t> bytes, std::string* error);

    std::uint16_t Machine() const { return machine_; }
    std::uint16_t Characteristics() const { return characteristics_; }
    // True for the 64-bit optional header (PE32+).
    bool IsPe32Plus() const { return pe32Plus_; }
    std::uint16_t Subsystem() const { return subsystem_; }
    // Every library the loader brings in for the program, the delay-loaded
    // ones too, as the file names them.
    const std::vector<std::string>& ImportedLibraries() const { return imports_; }
    const std::vector<Resource>& Resources() const { return resources_; }
    // The resource of that numbered type and name in any language; null if none.
    const Resource* FindResource(std::uint16_t type, std::uint16_t name) const;

private:
    struct Section {
        std::uint32_t virtualAddress = 0;
        std::uint32_t rawSize = 0;
        std::uint32_t rawOffset = 0;
    };

    // The file offset of `size` bytes at the relative virtual address `rva`;
    // false when they are not all inside one section's data in the file.
    bool OffsetOf(std::uint64_t rva, std::uint64_t size, std::uint64_t* offset) const;
    bool ReadBytes(std::uint64_t rva, std::uint64_t size, std::vector<std::uint8_t>* out) const;
    bool ReadU16(std::uint64_t rva, std::uint16_t* value) const;
    bool ReadU32(std::uint64_t rva, std::uint32_t* value) const;
    bool ReadCString(std::uint64_t rva, std::string* text) const;
    bool ReadImports(std::uint32_t rva, std::string* error);
    bool ReadDelayImports(std::uint32_t rva, std::string* error);
    bool ReadResources(std::uint32_t rootRva, std::string* error);
    bool ReadResourceKey(std::uint32_t rootRva, std::uint32_t field, ResourceKey* key) const;

    std::vector<std::uint8_t> bytes_;
    std::vector<Section> sections_;
    std::uint16_t machine_ = 0;
    std::uint16_t characteristics_ = 0;
    bool pe32Plus_ = false;
    std::uint16_t subsystem_ = 0;
    std::uint64_t imageBase_ = 0;
    std::vector<std::string> imports_;
    std::vector<Resource> resources_;
};

// UTF-16 little-endian code units to UTF-8 (a lone surrogate becomes U+FFFD).
std::string Utf16ToUtf8(const std::u16string& text);

}  // namespace distcheck
