#include "tools/distcheck/tests/pe_builder.h"

#include <algorithm>
#include <map>

namespace distcheck::testimage {
namespace {

constexpr std::uint32_t kSectionRva = 0x1000;
constexpr std::uint32_t kSectionFileOffset = 0x400;
constexpr std::uint32_t kNewHeader = 0x40;

void Put16(Bytes* out, std::size_t at, std::uint32_t value)
{
    if (out->size() < at + 2)
        out->resize(at + 2);
    (*out)[at] = static_cast<std::uint8_t>(value);
    (*out)[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void Put32(Bytes* out, std::size_t at, std::uint32_t value)
{
    Put16(out, at, value & 0xFFFF);
    Put16(out, at + 2, value >> 16);
}

void Add16(Bytes* out, std::uint32_t value)
{
    Put16(out, out->size(), value);
}

void Add32(Bytes* out, std::uint32_t value)
{
    Put32(out, out->size(), value);
}

void AddWide(Bytes* out, const std::string& text, bool terminated = true)
{
    for (char c : text)
        Add16(out, static_cast<unsigned char>(c));
    if (terminated)
        Add16(out, 0);
}

void Align4(Bytes* out)
{
    while (out->size() % 4)
        out->push_back(0);
}

void AddCString(Bytes* out, const std::string& text)
{
    out->insert(out->end(), text.begin(), text.end());
    out->push_back(0);
}

// The resource tree: type, name and language directories, then the data
// entries, the names and the data, all at offsets from the tree's start.
Bytes ResourceTree(const std::vector<TestResource>& resources, std::uint32_t treeRva)
{
    struct NameKey {
        std::string text;
        std::uint16_t id;
        bool operator<(const NameKey& other) const
        {
            // Named entries come first, as the format wants.
            if (text.empty() != other.text.empty())
                return !text.empty();
            return text != other.text ? text < other.text : id < other.id;
        }
    };
    std::map<std::uint16_t, std::map<NameKey, std::vector<const TestResource*>>> tree;
    for (const TestResource& resource : resources)
        tree[resource.type][{resource.nameText, resource.name}].push_back(&resource);

    Bytes out;
    const auto directory = [&](std::size_t named, std::size_t numbered) {
        const std::size_t at = out.size();
        out.resize(at + 16 + (named + numbered) * 8, 0);
        Put16(&out, at + 12, static_cast<std::uint32_t>(named));
        Put16(&out, at + 14, static_cast<std::uint32_t>(numbered));
        return at;
    };
    struct Pending {
        std::size_t field;
        const TestResource* resource;
    };
    std::vector<Pending> dataEntries;
    std::vector<std::pair<std::size_t, std::string>> names;

    const std::size_t root = directory(0, tree.size());
    std::size_t typeIndex = 0;
    for (const auto& [type, byName] : tree) {
        std::size_t named = 0;
        for (const auto& entry : byName)
            named += entry.first.text.empty() ? 0 : 1;
        const std::size_t typeDirectory = directory(named, byName.size() - named);
        Put32(&out, root + 16 + typeIndex * 8, type);
        Put32(&out, root + 20 + typeIndex * 8, 0x80000000u | static_cast<std::uint32_t>(typeDirectory));
        ++typeIndex;
        std::size_t nameIndex = 0;
        for (const auto& [key, languages] : byName) {
            const std::size_t nameDirectory = directory(0, languages.size());
            const std::size_t field = typeDirectory + 16 + nameIndex * 8;
            if (key.text.empty())
                Put32(&out, field, key.id);
            else
                names.emplace_back(field, key.text);
            Put32(&out, field + 4, 0x80000000u | static_cast<std::uint32_t>(nameDirectory));
            ++nameIndex;
            for (std::size_t i = 0; i < languages.size(); ++i) {
                Put32(&out, nameDirectory + 16 + i * 8, languages[i]->language);
                dataEntries.push_back({nameDirectory + 20 + i * 8, languages[i]});
            }
        }
    }
    std::vector<std::size_t> entryAt;
    for (const Pending& pending : dataEntries) {
        entryAt.push_back(out.size());
        Put32(&out, pending.field, static_cast<std::uint32_t>(out.size()));
        out.resize(out.size() + 16, 0);
    }
    for (const auto& [field, text] : names) {
        Put32(&out, field, 0x80000000u | static_cast<std::uint32_t>(out.size()));
        Add16(&out, static_cast<std::uint32_t>(text.size()));
        AddWide(&out, text, false);
    }
    for (std::size_t i = 0; i < dataEntries.size(); ++i) {
        Align4(&out);
        const Bytes& data = dataEntries[i].resource->data;
        Put32(&out, entryAt[i], treeRva + static_cast<std::uint32_t>(out.size()));
        Put32(&out, entryAt[i] + 4, static_cast<std::uint32_t>(data.size()));
        out.insert(out.end(), data.begin(), data.end());
    }
    return out;
}

void AddVersionNode(Bytes* out, const std::string& key, std::uint16_t kind, const Bytes& value,
                    std::uint16_t valueLength, const std::vector<Bytes>& children)
{
    Align4(out);
    const std::size_t start = out->size();
    Add16(out, 0);  // length, patched below
    Add16(out, valueLength);
    Add16(out, kind);
    AddWide(out, key);
    Align4(out);
    out->insert(out->end(), value.begin(), value.end());
    for (const Bytes& child : children) {
        Align4(out);
        out->insert(out->end(), child.begin(), child.end());
    }
    Put16(out, start, static_cast<std::uint32_t>(out->size() - start));
}

}  // namespace

const char kTestManifest[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">\n"
    "  <trustInfo xmlns=\"urn:schemas-microsoft-com:asm.v3\"><security><requestedPrivileges>\n"
    "    <requestedExecutionLevel level=\"requireAdministrator\" uiAccess=\"false\"/>\n"
    "  </requestedPrivileges></security></trustInfo>\n"
    "</assembly>\n";

Bytes BuildImage(const TestImage& image)
{
    Bytes body;
    const auto rva = [](std::size_t offset) { return kSectionRva + static_cast<std::uint32_t>(offset); };

    // Imports: the descriptors with their zero terminator, then the names.
    const std::size_t imports = body.size();
    body.resize(body.size() + (image.imports.size() + 1) * 20, 0);
    const std::size_t thunk = body.size();
    body.resize(body.size() + 8, 0);
    for (std::size_t i = 0; i < image.imports.size(); ++i) {
        Put32(&body, imports + i * 20 + 12, rva(body.size()));
        Put32(&body, imports + i * 20 + 16, rva(thunk));
        AddCString(&body, image.imports[i]);
    }
    Align4(&body);
    const std::size_t delay = body.size();
    body.resize(body.size() + (image.delayImports.size() + 1) * 32, 0);
    for (std::size_t i = 0; i < image.delayImports.size(); ++i) {
        Put32(&body, delay + i * 32, 1);  // the name is a relative address
        Put32(&body, delay + i * 32 + 4, rva(body.size()));
        AddCString(&body, image.delayImports[i]);
    }
    Align4(&body);
    const std::size_t resources = body.size();
    const Bytes tree = ResourceTree(image.resources, rva(resources));
    body.insert(body.end(), tree.begin(), tree.end());

    Bytes out(kSectionFileOffset, 0);
    out[0] = 'M';
    out[1] = 'Z';
    Put32(&out, 0x3C, kNewHeader);
    out[kNewHeader] = 'P';
    out[kNewHeader + 1] = 'E';
    const std::size_t file = kNewHeader + 4;
    const std::size_t optional = file + 20;
    const std::uint32_t optionalSize = image.pe32Plus ? 112 + 16 * 8 : 96 + 16 * 8;
    Put16(&out, file, image.machine);
    Put16(&out, file + 2, 1);
    Put16(&out, file + 16, optionalSize);
    Put16(&out, file + 18, image.characteristics);
    Put16(&out, optional, image.pe32Plus ? 0x20B : 0x10B);
    if (image.pe32Plus)
        Put32(&out, optional + 24, 0x40000000);  // image base, low half
    else
        Put32(&out, optional + 28, 0x400000);
    Put16(&out, optional + 68, image.subsystem);
    const std::size_t countField = optional + (image.pe32Plus ? 108 : 92);
    Put32(&out, countField, 16);
    const auto setDirectory = [&](int index, std::size_t at, std::size_t size) {
        Put32(&out, countField + 4 + index * 8, rva(at));
        Put32(&out, countField + 8 + index * 8, static_cast<std::uint32_t>(size));
    };
    setDirectory(1, imports, (image.imports.size() + 1) * 20);
    if (!image.resources.empty())
        setDirectory(2, resources, tree.size());
    if (!image.delayImports.empty())
        setDirectory(13, delay, (image.delayImports.size() + 1) * 32);
    const std::size_t section = optional + optionalSize;
    std::copy_n(".data", 5, out.begin() + static_cast<std::ptrdiff_t>(section));
    Put32(&out, section + 8, static_cast<std::uint32_t>(body.size()));
    Put32(&out, section + 12, kSectionRva);
    Put32(&out, section + 16, static_cast<std::uint32_t>(body.size()));
    Put32(&out, section + 20, kSectionFileOffset);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

Bytes StringBlock(const std::vector<std::pair<int, std::string>>& stringsByIndex)
{
    Bytes out;
    for (int index = 0; index < 16; ++index) {
        std::string text;
        for (const auto& [at, value] : stringsByIndex)
            if (at == index)
                text = value;
        Add16(&out, static_cast<std::uint32_t>(text.size()));
        AddWide(&out, text, false);
    }
    return out;
}

Bytes MenuTemplate(const std::vector<MenuItem>& items)
{
    Bytes out;
    Add16(&out, 0);
    Add16(&out, 0);
    for (std::size_t i = 0; i < items.size(); ++i) {
        const MenuItem& item = items[i];
        // The last item of each level carries the end flag.
        bool last = true;
        for (std::size_t j = i + 1; j < items.size() && items[j].depth >= item.depth; ++j)
            if (items[j].depth == item.depth) {
                last = false;
                break;
            }
        Add16(&out, (item.popup ? 0x10 : 0) | (last ? 0x80 : 0));
        if (!item.popup)
            Add16(&out, item.id);
        AddWide(&out, item.text);
    }
    return out;
}

Bytes IconGroup(const std::vector<std::pair<std::uint16_t, std::uint32_t>>& iconIdsAndSizes)
{
    Bytes out;
    Add16(&out, 0);
    Add16(&out, 1);
    Add16(&out, static_cast<std::uint32_t>(iconIdsAndSizes.size()));
    for (const auto& [id, size] : iconIdsAndSizes) {
        Add16(&out, 32 | 32 << 8);
        Add16(&out, 0);
        Add16(&out, 1);
        Add16(&out, 32);
        Add32(&out, size);
        Add16(&out, id);
    }
    return out;
}

Bytes Dialog(std::uint32_t style, const std::string& caption, bool extended)
{
    Bytes out;
    if (extended) {
        Add16(&out, 1);
        Add16(&out, 0xFFFF);
        Add32(&out, 0);
        Add32(&out, 0);
        Add32(&out, style);
    } else {
        Add32(&out, style);
        Add32(&out, 0);
    }
    Add16(&out, 0);  // no controls
    for (int value : {0, 0, 186, 90})
        Add16(&out, static_cast<std::uint32_t>(value));
    Add16(&out, 0);  // no menu
    Add16(&out, 0);  // the standard class
    AddWide(&out, caption);
    if (style & 0x40) {
        Add16(&out, 8);
        if (extended) {
            Add16(&out, 400);
            Add16(&out, 0);
        }
        AddWide(&out, "MS Sans Serif");
    }
    return out;
}

Bytes VersionBlock(const std::vector<std::pair<std::string, std::string>>& strings)
{
    Bytes fixed;
    Add32(&fixed, 0xFEEF04BD);
    Add32(&fixed, 0x00010000);
    Add32(&fixed, 0x00010000);  // 1.0
    Add32(&fixed, 0x00000001);  // .0.1
    fixed.resize(52, 0);
    std::vector<Bytes> entries;
    for (const auto& [key, text] : strings) {
        Bytes entry;
        Bytes value;
        AddWide(&value, text);
        AddVersionNode(&entry, key, 1, value, static_cast<std::uint16_t>(text.size() + 1), {});
        entries.push_back(entry);
    }
    Bytes table;
    AddVersionNode(&table, "040904B0", 1, {}, 0, entries);
    Bytes stringInfo;
    AddVersionNode(&stringInfo, "StringFileInfo", 1, {}, 0, {table});
    Bytes out;
    AddVersionNode(&out, "VS_VERSION_INFO", 0, fixed, 52, {stringInfo});
    return out;
}

Bytes Text(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

TestImage KelrunImage()
{
    TestImage image;
    image.imports = {"ADVAPI32.dll", "COMCTL32.DLL", "GDI32.dll", "KERNEL32.dll", "msvcrt.dll",
                     "ole32.dll",    "SHELL32.dll",  "USER32.dll", "USERENV.dll", "WS2_32.dll"};
    image.resources = {
        {kResourceManifest, 1, Text(kTestManifest)},
        {kResourceString, 7, StringBlock({{7, "Windows sockets initialization failed."}})},
        {kResourceString, 9, StringBlock({{0, "kelrun"}})},
        {kResourceMenu, 128, MenuTemplate({{0, true, 0, "popup"}, {1, false, 0xE141, "Close"}})},
        {kResourceIcon, 1, Bytes(40, 1)},
        {kResourceIcon, 2, Bytes(60, 2)},
        {kResourceGroupIcon, 128, IconGroup({{1, 40}, {2, 60}})},
        {kResourceDialog, 131, Dialog(0x80C800C0, "Dialog")},
        {kResourceVersion, 1, VersionBlock({{"FileDescription", "Parvane Uninstaller"},
                                            {"OriginalFilename", "kelrun.exe"}})},
    };
    return image;
}

void SetResource(TestImage* image, std::uint16_t type, std::uint16_t name, Bytes data)
{
    auto& resources = image->resources;
    for (auto it = resources.begin(); it != resources.end(); ++it)
        if (it->type == type && it->name == name && it->nameText.empty()) {
            resources.erase(it);
            break;
        }
    if (!data.empty())
        resources.push_back({type, name, std::move(data)});
}

}  // namespace distcheck::testimage
