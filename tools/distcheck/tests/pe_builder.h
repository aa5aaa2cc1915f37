// Writes small program images for the tests of the checks: the headers,
// import tables and resource tree that a linker and a resource compiler
// would write, and the resource formats inside, so that each test can break
// exactly one property of a program that is otherwise sound.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "tools/distcheck/pe_image.h"
#include "tools/distcheck/resource_formats.h"

namespace distcheck::testimage {

using Bytes = std::vector<std::uint8_t>;

struct TestResource {
    TestResource(std::uint16_t type, std::uint16_t name, Bytes data, std::string nameText = "",
                 std::uint16_t language = 0x409)
        : type(type), name(name), data(std::move(data)), nameText(std::move(nameText)),
          language(language)
    {
    }
    std::uint16_t type;
    std::uint16_t name;
    Bytes data;
    std::string nameText;  // a named resource instead of a numbered one
    std::uint16_t language;
};

struct TestImage {
    std::uint16_t machine = kMachineI386;
    bool pe32Plus = false;
    std::uint16_t characteristics = kFileExecutableImage | kFile32BitMachine;
    std::uint16_t subsystem = kSubsystemWindowsGui;
    std::vector<std::string> imports = {"KERNEL32.dll", "USER32.dll", "msvcrt.dll"};
    std::vector<std::string> delayImports;
    std::vector<TestResource> resources;
};

Bytes BuildImage(const TestImage& image);

// Resource payloads.
Bytes StringBlock(const std::vector<std::pair<int, std::string>>& stringsByIndex);
Bytes MenuTemplate(const std::vector<MenuItem>& items);
Bytes IconGroup(const std::vector<std::pair<std::uint16_t, std::uint32_t>>& iconIdsAndSizes);
Bytes Dialog(std::uint32_t style, const std::string& caption, bool extended = false);
Bytes VersionBlock(const std::vector<std::pair<std::string, std::string>>& strings);
Bytes Text(const std::string& text);

// A 32-bit image with everything that kelrun carries, and the manifest text
// it holds.
extern const char kTestManifest[];
TestImage KelrunImage();
// Replaces (or with empty data removes) the resource of that type and name.
void SetResource(TestImage* image, std::uint16_t type, std::uint16_t name, Bytes data);

}  // namespace distcheck::testimage
