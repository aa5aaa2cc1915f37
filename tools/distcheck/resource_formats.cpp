#include "tools/distcheck/resource_formats.h"

#include <cctype>

namespace distcheck {
namespace {

constexpr std::uint16_t kMenuPopup = 0x0010;
constexpr std::uint16_t kMenuEnd = 0x0080;
constexpr int kMaxMenuDepth = 8;
constexpr std::uint32_t kDialogSetFont = 0x40;  // DS_SETFONT
constexpr std::uint32_t kFixedFileInfoSignature = 0xFEEF04BD;
constexpr std::size_t kFixedFileInfoSize = 52;
constexpr int kMaxVersionDepth = 4;

// A cursor over one resource's bytes that never reads past them.
class Reader {
public:
    explicit Reader(const std::vector<std::uint8_t>& data, std::size_t at = 0,
                    std::size_t end = static_cast<std::size_t>(-1))
        : data_(data), at_(at), end_(end < data.size() ? end : data.size())
    {
    }

    bool U16(std::uint16_t* value)
    {
        if (at_ + 2 > end_)
            return false;
        *value = static_cast<std::uint16_t>(data_[at_] | data_[at_ + 1] << 8);
        at_ += 2;
        return true;
    }
    bool U32(std::uint32_t* value)
    {
        std::uint16_t low = 0;
        std::uint16_t high = 0;
        if (!U16(&low) || !U16(&high))
            return false;
        *value = static_cast<std::uint32_t>(low) | static_cast<std::uint32_t>(high) << 16;
        return true;
    }
    // UTF-16 up to and past its terminating zero.
    bool Text(std::string* text)
    {
        std::u16string units;
        for (std::uint16_t unit = 0;;) {
            if (!U16(&unit))
                return false;
            if (unit == 0)
                break;
            units += static_cast<char16_t>(unit);
        }
        *text = Utf16ToUtf8(units);
        return true;
    }
    // A dialog's "name or ordinal": nothing (0), a number (0xFFFF, then the
    // number) or a text.
    bool NameOrOrdinal(std::string* text)
    {
        std::uint16_t first = 0;
        if (at_ + 2 > end_)
            return false;
        first = static_cast<std::uint16_t>(data_[at_] | data_[at_ + 1] << 8);
        if (first == 0) {
            at_ += 2;
            text->clear();
            return true;
        }
        if (first == 0xFFFF) {
            std::uint16_t ordinal = 0;
            at_ += 2;
            if (!U16(&ordinal))
                return false;
            *text = "#" + std::to_string(ordinal);
            return true;
        }
        return Text(text);
    }
    bool Skip(std::size_t count)
    {
        if (at_ + count > end_)
            return false;
        at_ += count;
        return true;
    }
    // Version blocks align their parts to 32 bits from the resource's start.
    bool AlignTo4() { return Skip((4 - at_ % 4) % 4) || at_ == end_; }
    std::size_t At() const { return at_; }
    std::size_t End() const { return end_; }

private:
    const std::vector<std::uint8_t>& data_;
    std::size_t at_;
    std::size_t end_;
};

bool ParseMenuItems(Reader* reader, int depth, std::vector<MenuItem>* items)
{
    if (depth > kMaxMenuDepth)
        return false;
    for (;;) {
        std::uint16_t flags = 0;
        MenuItem item;
        item.depth = depth;
        if (!reader->U16(&flags))
            return false;
        item.popup = (flags & kMenuPopup) != 0;
        if (!item.popup && !reader->U16(&item.id))
            return false;
        if (!reader->Text(&item.text))
            return false;
        items->push_back(item);
        if (item.popup && !ParseMenuItems(reader, depth + 1, items))
            return false;
        if (flags & kMenuEnd)
            return true;
    }
}

struct VersionNode {
    std::string key;
    std::string text;  // for text values
    std::vector<std::uint8_t> binary;
    std::vector<VersionNode> children;
};

// One block: its length, value length and kind, key, value and children.
bool ParseVersionNode(const std::vector<std::uint8_t>& data, std::size_t start, int depth,
                      VersionNode* node)
{
    if (depth > kMaxVersionDepth)
        return false;
    Reader header(data, start);
    std::uint16_t length = 0;
    std::uint16_t valueLength = 0;
    std::uint16_t kind = 0;
    if (!header.U16(&length) || !header.U16(&valueLength) || !header.U16(&kind) || length < 6 ||
        start + length > data.size())
        return false;
    Reader reader(data, header.At(), start + length);
    if (!reader.Text(&node->key) || !reader.AlignTo4())
        return false;
    if (kind == 1) {
        // A text value; its length counts characters, and some writers leave
        // it at zero for an empty text.
        if (valueLength > 0 && !reader.Text(&node->text))
            return false;
    } else {
        const std::size_t valueStart = reader.At();
        if (!reader.Skip(valueLength))
            return false;
        node->binary.assign(data.begin() + static_cast<std::ptrdiff_t>(valueStart),
                            data.begin() + static_cast<std::ptrdiff_t>(reader.At()));
    }
    reader.AlignTo4();
    while (reader.At() + 6 <= reader.End()) {
        VersionNode child;
        const std::size_t childStart = reader.At();
        std::uint16_t childLength = 0;
        if (!ParseVersionNode(data, childStart, depth + 1, &child) || !reader.U16(&childLength) ||
            !reader.Skip(childLength - 2u))
            return false;
        reader.AlignTo4();
        node->children.push_back(std::move(child));
    }
    return true;
}

// Skips "<!-- ... -->" and gives the position of the next "<" outside one.
std::size_t NextTag(const std::string& text, std::size_t from)
{
    for (std::size_t at = text.find('<', from); at != std::string::npos;
         at = text.find('<', at + 1)) {
        if (text.compare(at, 4, "<!--") != 0)
            return at;
        const std::size_t close = text.find("-->", at + 4);
        if (close == std::string::npos)
            return std::string::npos;
        at = close + 2;
    }
    return std::string::npos;
}

bool IsNameChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' || c == '.' ||
           c == ':';
}

// The element name without a namespace prefix ("asmv3:trustInfo" -> "trustInfo").
std::string LocalName(const std::string& name)
{
    const std::size_t colon = name.rfind(':');
    return colon == std::string::npos ? name : name.substr(colon + 1);
}

}  // namespace

bool FindString(const PeImage& image, std::uint16_t id, std::string* text)
{
    const Resource* block = image.FindResource(kResourceString, static_cast<std::uint16_t>(id / 16 + 1));
    if (!block)
        return false;
    Reader reader(block->data);
    for (int index = 0; index < 16; ++index) {
        std::uint16_t length = 0;
        if (!reader.U16(&length))
            return false;
        const std::size_t start = reader.At();
        if (!reader.Skip(std::size_t{length} * 2))
            return false;
        if (index != id % 16)
            continue;
        std::u16string units;
        for (std::size_t i = 0; i < length; ++i)
            units += static_cast<char16_t>(block->data[start + i * 2] |
                                           block->data[start + i * 2 + 1] << 8);
        *text = Utf16ToUtf8(units);
        return !text->empty();
    }
    return false;
}

bool ParseMenu(const std::vector<std::uint8_t>& data, std::vector<MenuItem>* items)
{
    Reader reader(data);
    std::uint16_t version = 0;
    std::uint16_t headerSize = 0;
    items->clear();
    // Version 1 is the extended template, which this reader does not take.
    return reader.U16(&version) && version == 0 && reader.U16(&headerSize) &&
           reader.Skip(headerSize) && ParseMenuItems(&reader, 0, items);
}

bool ParseIconGroup(const std::vector<std::uint8_t>& data, std::vector<IconGroupEntry>* entries)
{
    Reader reader(data);
    std::uint16_t reserved = 1;
    std::uint16_t type = 0;
    std::uint16_t count = 0;
    if (!reader.U16(&reserved) || !reader.U16(&type) || !reader.U16(&count) || reserved != 0 ||
        type != 1)
        return false;
    entries->clear();
    for (std::uint16_t i = 0; i < count; ++i) {
        IconGroupEntry entry;
        std::uint16_t size = 0;
        std::uint16_t colors = 0;
        std::uint16_t planes = 0;
        std::uint16_t bitCount = 0;
        if (!reader.U16(&size) || !reader.U16(&colors) || !reader.U16(&planes) ||
            !reader.U16(&bitCount) || !reader.U32(&entry.bytes) || !reader.U16(&entry.iconId))
            return false;
        entry.width = (size & 0xFF) == 0 ? 256 : size & 0xFF;
        entry.height = (size >> 8) == 0 ? 256 : size >> 8;
        entry.bitCount = bitCount;
        entries->push_back(entry);
    }
    return true;
}

bool ParseDialog(const std::vector<std::uint8_t>& data, DialogTemplate* dialog)
{
    Reader reader(data);
    std::uint16_t first = 0;
    std::uint16_t second = 0;
    if (!reader.U16(&first) || !reader.U16(&second))
        return false;
    std::uint32_t exStyle = 0;
    std::uint32_t helpId = 0;
    std::uint16_t x = 0;
    std::uint16_t y = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    dialog->extended = first == 1 && second == 0xFFFF;
    if (dialog->extended) {
        if (!reader.U32(&helpId) || !reader.U32(&exStyle) || !reader.U32(&dialog->style))
            return false;
    } else {
        dialog->style = static_cast<std::uint32_t>(first) | static_cast<std::uint32_t>(second) << 16;
        if (!reader.U32(&exStyle))
            return false;
    }
    std::string menu;
    std::string windowClass;
    if (!reader.U16(&dialog->itemCount) || !reader.U16(&x) || !reader.U16(&y) ||
        !reader.U16(&width) || !reader.U16(&height) || !reader.NameOrOrdinal(&menu) ||
        !reader.NameOrOrdinal(&windowClass) || !reader.Text(&dialog->caption))
        return false;
    dialog->width = static_cast<std::int16_t>(width);
    dialog->height = static_cast<std::int16_t>(height);
    if (dialog->style & kDialogSetFont) {
        std::uint16_t pointSize = 0;
        std::string face;
        if (!reader.U16(&pointSize) ||
            (dialog->extended && !reader.Skip(4)) ||  // weight, italic, character set
            !reader.Text(&face))
            return false;
    }
    return true;
}

bool ParseVersionInfo(const std::vector<std::uint8_t>& data, VersionInfo* info)
{
    VersionNode root;
    if (!ParseVersionNode(data, 0, 0, &root) || root.key != "VS_VERSION_INFO" ||
        root.binary.size() != kFixedFileInfoSize)
        return false;
    const std::vector<std::uint8_t>& fixed = root.binary;
    const auto u32 = [&](std::size_t at) {
        return static_cast<std::uint32_t>(fixed[at] | fixed[at + 1] << 8 | fixed[at + 2] << 16 |
                                          static_cast<std::uint32_t>(fixed[at + 3]) << 24);
    };
    if (u32(0) != kFixedFileInfoSignature)
        return false;
    info->fileVersionHigh = u32(8);
    info->fileVersionLow = u32(12);
    info->strings.clear();
    for (const VersionNode& child : root.children) {
        if (child.key != "StringFileInfo")
            continue;
        for (const VersionNode& table : child.children)
            for (const VersionNode& entry : table.children)
                info->strings[entry.key] = entry.text;
    }
    return true;
}

std::string ManifestExecutionLevel(const std::string& manifest)
{
    for (std::size_t tag = NextTag(manifest, 0); tag != std::string::npos;
         tag = NextTag(manifest, tag + 1)) {
        std::size_t at = tag + 1;
        std::size_t nameEnd = at;
        while (nameEnd < manifest.size() && IsNameChar(manifest[nameEnd]))
            ++nameEnd;
        if (LocalName(manifest.substr(at, nameEnd - at)) != "requestedExecutionLevel")
            continue;
        const std::size_t close = manifest.find('>', nameEnd);
        const std::string attributes = manifest.substr(nameEnd, close - nameEnd);
        // name = "value" or name = 'value', with blanks around "=" allowed.
        for (std::size_t i = 0; i < attributes.size();) {
            while (i < attributes.size() && !IsNameChar(attributes[i]))
                ++i;
            const std::size_t start = i;
            while (i < attributes.size() && IsNameChar(attributes[i]))
                ++i;
            const std::string name = attributes.substr(start, i - start);
            while (i < attributes.size() && std::isspace(static_cast<unsigned char>(attributes[i])))
                ++i;
            if (i >= attributes.size() || attributes[i] != '=')
                continue;
            ++i;
            while (i < attributes.size() && std::isspace(static_cast<unsigned char>(attributes[i])))
                ++i;
            if (i >= attributes.size() || (attributes[i] != '"' && attributes[i] != '\''))
                continue;
            const char quote = attributes[i];
            const std::size_t valueEnd = attributes.find(quote, i + 1);
            if (valueEnd == std::string::npos)
                return {};
            if (LocalName(name) == "level")
                return attributes.substr(i + 1, valueEnd - i - 1);
            i = valueEnd + 1;
        }
        return {};
    }
    return {};
}

}  // namespace distcheck
