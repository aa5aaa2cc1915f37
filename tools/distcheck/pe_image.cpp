#include "tools/distcheck/pe_image.h"

#include <utility>

namespace distcheck {
namespace {

// Field offsets of the PE format.
constexpr std::size_t kDosHeaderSize = 64;
constexpr std::size_t kNewHeaderOffsetField = 0x3C;
constexpr std::size_t kFileHeaderSize = 20;
constexpr std::size_t kSectionHeaderSize = 40;
constexpr std::uint16_t kOptionalMagicPe32 = 0x10B;
constexpr std::uint16_t kOptionalMagicPe32Plus = 0x20B;
constexpr std::size_t kSubsystemField = 68;  // the same in both optional headers

constexpr std::uint32_t kDirectoryImport = 1;
constexpr std::uint32_t kDirectoryResource = 2;
constexpr std::uint32_t kDirectoryDelayImport = 13;

constexpr std::size_t kImportDescriptorSize = 20;
constexpr std::size_t kDelayDescriptorSize = 32;
// Far more than any program links; a table without its zero terminator
// must not make the reader walk the whole file.
constexpr std::size_t kMaxImportDescriptors = 4096;

constexpr std::uint32_t kResourceHighBit = 0x80000000u;

std::uint16_t U16At(const std::vector<std::uint8_t>& bytes, std::size_t offset)
{
    return static_cast<std::uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

std::uint32_t U32At(const std::vector<std::uint8_t>& bytes, std::size_t offset)
{
    return static_cast<std::uint32_t>(U16At(bytes, offset)) |
           static_cast<std::uint32_t>(U16At(bytes, offset + 2)) << 16;
}

std::uint64_t U64At(const std::vector<std::uint8_t>& bytes, std::size_t offset)
{
    return static_cast<std::uint64_t>(U32At(bytes, offset)) |
           static_cast<std::uint64_t>(U32At(bytes, offset + 4)) << 32;
}

void AppendUtf8(std::string* out, std::uint32_t codePoint)
{
    if (codePoint < 0x80) {
        *out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        *out += static_cast<char>(0xC0 | codePoint >> 6);
        *out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        *out += static_cast<char>(0xE0 | codePoint >> 12);
        *out += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
        *out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        *out += static_cast<char>(0xF0 | codePoint >> 18);
        *out += static_cast<char>(0x80 | (codePoint >> 12 & 0x3F));
        *out += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
        *out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

}  // namespace

std::string Utf16ToUtf8(const std::u16string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::uint32_t unit = text[i];
        const bool high = unit >= 0xD800 && unit <= 0xDBFF;
        const bool low = unit >= 0xDC00 && unit <= 0xDFFF;
        if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            AppendUtf8(&out, 0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if (high || low) {
            AppendUtf8(&out, 0xFFFD);
        } else {
            AppendUtf8(&out, unit);
        }
    }
    return out;
}

bool PeImage::Parse(std::vector<std::uint8_t> bytes, std::string* error)
{
    *this = PeImage();
    bytes_ = std::move(bytes);
    if (bytes_.size() < kDosHeaderSize || bytes_[0] != 'M' || bytes_[1] != 'Z') {
        *error = "no MZ header";
        return false;
    }
    const std::uint64_t peOffset = U32At(bytes_, kNewHeaderOffsetField);
    const std::uint64_t fileHeader = peOffset + 4;
    const std::uint64_t optionalHeader = fileHeader + kFileHeaderSize;
    if (optionalHeader > bytes_.size() || bytes_[peOffset] != 'P' || bytes_[peOffset + 1] != 'E' ||
        bytes_[peOffset + 2] != 0 || bytes_[peOffset + 3] != 0) {
        *error = "no PE signature";
        return false;
    }
    machine_ = U16At(bytes_, fileHeader);
    const std::uint16_t sectionCount = U16At(bytes_, fileHeader + 2);
    const std::uint16_t optionalSize = U16At(bytes_, fileHeader + 16);
    characteristics_ = U16At(bytes_, fileHeader + 18);
    if (optionalHeader + optionalSize > bytes_.size() || optionalSize < kSubsystemField + 2) {
        *error = "optional header cut short";
        return false;
    }
    const std::uint16_t magic = U16At(bytes_, optionalHeader);
    if (magic != kOptionalMagicPe32 && magic != kOptionalMagicPe32Plus) {
        *error = "unknown optional header kind";
        return false;
    }
    pe32Plus_ = magic == kOptionalMagicPe32Plus;
    subsystem_ = U16At(bytes_, optionalHeader + kSubsystemField);
    imageBase_ = pe32Plus_ ? U64At(bytes_, optionalHeader + 24) : U32At(bytes_, optionalHeader + 28);
    const std::size_t countField = pe32Plus_ ? 108 : 92;
    if (optionalSize < countField + 4) {
        *error = "optional header cut short";
        return false;
    }
    const std::uint32_t directoryCount = U32At(bytes_, optionalHeader + countField);
    const std::size_t directories = optionalHeader + countField + 4;
    const auto directoryRva = [&](std::uint32_t index) -> std::uint32_t {
        const std::size_t field = directories + index * 8;
        if (index >= directoryCount || field + 8 > optionalHeader + optionalSize)
            return 0;
        return U32At(bytes_, field);
    };

    const std::uint64_t sectionTable = optionalHeader + optionalSize;
    if (sectionTable + std::uint64_t{sectionCount} * kSectionHeaderSize > bytes_.size()) {
        *error = "section table cut short";
        return false;
    }
    for (std::uint16_t i = 0; i < sectionCount; ++i) {
        const std::size_t header = sectionTable + i * kSectionHeaderSize;
        Section section;
        section.virtualAddress = U32At(bytes_, header + 12);
        section.rawSize = U32At(bytes_, header + 16);
        section.rawOffset = U32At(bytes_, header + 20);
        sections_.push_back(section);
    }

    if (const std::uint32_t rva = directoryRva(kDirectoryImport); rva && !ReadImports(rva, error))
        return false;
    if (const std::uint32_t rva = directoryRva(kDirectoryDelayImport);
        rva && !ReadDelayImports(rva, error))
        return false;
    if (const std::uint32_t rva = directoryRva(kDirectoryResource);
        rva && !ReadResources(rva, error))
        return false;
    return true;
}

const Resource* PeImage::FindResource(std::uint16_t type, std::uint16_t name) const
{
    for (const Resource& resource : resources_)
        if (!resource.type.isText && resource.type.id == type && !resource.name.isText &&
            resource.name.id == name)
            return &resource;
    return nullptr;
}

bool PeImage::OffsetOf(std::uint64_t rva, std::uint64_t size, std::uint64_t* offset) const
{
    for (const Section& section : sections_) {
        if (rva < section.virtualAddress)
            continue;
        const std::uint64_t within = rva - section.virtualAddress;
        if (within + size > section.rawSize)
            continue;
        const std::uint64_t at = section.rawOffset + within;
        if (at + size > bytes_.size())
            return false;
        *offset = at;
        return true;
    }
    return false;
}

bool PeImage::ReadBytes(std::uint64_t rva, std::uint64_t size, std::vector<std::uint8_t>* out) const
{
    std::uint64_t offset = 0;
    if (!OffsetOf(rva, size, &offset))
        return false;
    out->assign(bytes_.begin() + static_cast<std::ptrdiff_t>(offset),
                bytes_.begin() + static_cast<std::ptrdiff_t>(offset + size));
    return true;
}

bool PeImage::ReadU16(std::uint64_t rva, std::uint16_t* value) const
{
    std::uint64_t offset = 0;
    if (!OffsetOf(rva, 2, &offset))
        return false;
    *value = U16At(bytes_, offset);
    return true;
}

bool PeImage::ReadU32(std::uint64_t rva, std::uint32_t* value) const
{
    std::uint64_t offset = 0;
    if (!OffsetOf(rva, 4, &offset))
        return false;
    *value = U32At(bytes_, offset);
    return true;
}

bool PeImage::ReadCString(std::uint64_t rva, std::string* text) const
{
    text->clear();
    for (std::uint64_t at = rva;; ++at) {
        std::uint64_t offset = 0;
        if (!OffsetOf(at, 1, &offset))
            return false;  // runs off its section without an end
        if (bytes_[offset] == 0)
            return true;
        *text += static_cast<char>(bytes_[offset]);
    }
}

bool PeImage::ReadImports(std::uint32_t rva, std::string* error)
{
    for (std::size_t i = 0; i < kMaxImportDescriptors; ++i) {
        const std::uint64_t descriptor = rva + std::uint64_t{i} * kImportDescriptorSize;
        std::uint32_t nameRva = 0;
        std::uint32_t firstThunk = 0;
        if (!ReadU32(descriptor + 12, &nameRva) || !ReadU32(descriptor + 16, &firstThunk)) {
            *error = "import table outside the file";
            return false;
        }
        if (nameRva == 0 && firstThunk == 0)
            return true;
        std::string name;
        if (!ReadCString(nameRva, &name)) {
            *error = "import name outside the file";
            return false;
        }
        imports_.push_back(name);
    }
    *error = "import table without an end";
    return false;
}

bool PeImage::ReadDelayImports(std::uint32_t rva, std::string* error)
{
    for (std::size_t i = 0; i < kMaxImportDescriptors; ++i) {
        const std::uint64_t descriptor = rva + std::uint64_t{i} * kDelayDescriptorSize;
        std::uint32_t attributes = 0;
        std::uint32_t name = 0;
        if (!ReadU32(descriptor, &attributes) || !ReadU32(descriptor + 4, &name)) {
            *error = "delay import table outside the file";
            return false;
        }
        if (name == 0)
            return true;
        // Old linkers wrote addresses instead of relative ones; bit 0 says which.
        const bool relative = (attributes & 1) != 0;
        if (!relative && name < imageBase_) {
            *error = "delay import name outside the image";
            return false;
        }
        const std::uint64_t nameRva = relative ? name : name - imageBase_;
        std::string library;
        if (!ReadCString(nameRva, &library)) {
            *error = "delay import name outside the file";
            return false;
        }
        imports_.push_back(library);
    }
    *error = "delay import table without an end";
    return false;
}

bool PeImage::ReadResourceKey(std::uint32_t rootRva, std::uint32_t field, ResourceKey* key) const
{
    if (!(field & kResourceHighBit)) {
        key->isText = false;
        key->id = static_cast<std::uint16_t>(field);
        return true;
    }
    const std::uint64_t at = std::uint64_t{rootRva} + (field & ~kResourceHighBit);
    std::uint16_t length = 0;
    std::vector<std::uint8_t> units;
    if (!ReadU16(at, &length) || !ReadBytes(at + 2, std::uint64_t{length} * 2, &units))
        return false;
    std::u16string text;
    for (std::size_t i = 0; i < length; ++i)
        text += static_cast<char16_t>(U16At(units, i * 2));
    key->isText = true;
    key->text = Utf16ToUtf8(text);
    return true;
}

// The resource tree has three fixed levels (type, name, language) of
// directories, each a 16-byte header and then its entries; an entry of the
// first two levels points at a directory, one of the last at a data entry.
// Walking exactly three levels keeps a directory that points at itself from
// sending the reader round in circles.
bool PeImage::ReadResources(std::uint32_t rootRva, std::string* error)
{
    struct Entry {
        std::uint32_t name;
        std::uint32_t target;
    };
    const auto readDirectory = [&](std::uint32_t offset, std::vector<Entry>* entries) {
        const std::uint64_t at = std::uint64_t{rootRva} + offset;
        std::uint16_t named = 0;
        std::uint16_t numbered = 0;
        if (!ReadU16(at + 12, &named) || !ReadU16(at + 14, &numbered))
            return false;
        entries->clear();
        for (std::uint32_t i = 0; i < std::uint32_t{named} + numbered; ++i) {
            Entry entry{};
            if (!ReadU32(at + 16 + i * 8, &entry.name) || !ReadU32(at + 20 + i * 8, &entry.target))
                return false;
            entries->push_back(entry);
        }
        return true;
    };

    std::vector<Entry> types;
    if (!readDirectory(0, &types)) {
        *error = "resource directory outside the file";
        return false;
    }
    for (const Entry& type : types) {
        std::vector<Entry> names;
        if (!(type.target & kResourceHighBit) ||
            !readDirectory(type.target & ~kResourceHighBit, &names)) {
            *error = "resource type directory broken";
            return false;
        }
        for (const Entry& name : names) {
            std::vector<Entry> languages;
            if (!(name.target & kResourceHighBit) ||
                !readDirectory(name.target & ~kResourceHighBit, &languages)) {
                *error = "resource name directory broken";
                return false;
            }
            for (const Entry& language : languages) {
                Resource resource;
                std::uint32_t dataRva = 0;
                std::uint32_t size = 0;
                const std::uint64_t dataEntry = std::uint64_t{rootRva} + language.target;
                if ((language.target & kResourceHighBit) ||
                    !ReadResourceKey(rootRva, type.name, &resource.type) ||
                    !ReadResourceKey(rootRva, name.name, &resource.name) ||
                    !ReadU32(dataEntry, &dataRva) || !ReadU32(dataEntry + 4, &size) ||
                    !ReadBytes(dataRva, size, &resource.data)) {
                    *error = "resource entry broken";
                    return false;
                }
                resource.language = static_cast<std::uint16_t>(language.name);
                resources_.push_back(std::move(resource));
            }
        }
    }
    return true;
}

}  // namespace distcheck
