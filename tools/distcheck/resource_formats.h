// Readers of the resource formats that the checks of the shipped programs
// look into: string tables, menus, icon groups, dialog templates, version
// information and the application manifest. Each takes the raw bytes of
// one resource and fails, rather than reading past them, on a cut-short or
// malformed resource.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "tools/distcheck/pe_image.h"

namespace distcheck {

// String `id` of the image's string tables (16 strings a block, block
// id / 16 + 1); false when its block is missing or the string is empty,
// which Windows' LoadString cannot tell apart either.
bool FindString(const PeImage& image, std::uint16_t id, std::string* text);

struct MenuItem {
    int depth = 0;  // 0 for the menu bar's own items
    bool popup = false;
    std::uint16_t id = 0;  // commands only
    std::string text;
};
// A standard menu template (not the extended one): every item in order,
// pop-ups before their items.
bool ParseMenu(const std::vector<std::uint8_t>& data, std::vector<MenuItem>* items);

struct IconGroupEntry {
    int width = 0;  // 256 where the entry says 0
    int height = 0;
    int bitCount = 0;
    std::uint32_t bytes = 0;  // the size of the icon resource it names
    std::uint16_t iconId = 0;
};
bool ParseIconGroup(const std::vector<std::uint8_t>& data, std::vector<IconGroupEntry>* entries);

struct DialogTemplate {
    bool extended = false;
    std::uint32_t style = 0;
    std::uint16_t itemCount = 0;
    int width = 0;  // dialog units
    int height = 0;
    std::string caption;
};
// The header of a dialog template, standard or extended.
bool ParseDialog(const std::vector<std::uint8_t>& data, DialogTemplate* dialog);

struct VersionInfo {
    std::uint32_t fileVersionHigh = 0;  // major << 16 | minor
    std::uint32_t fileVersionLow = 0;   // build << 16 | revision
    // The texts of every string table ("OriginalFilename", "FileDescription", ...).
    std::map<std::string, std::string> strings;
};
// A VS_VERSION_INFO block with its fixed part and its string tables.
bool ParseVersionInfo(const std::vector<std::uint8_t>& data, VersionInfo* info);

// The `level` of the manifest's requestedExecutionLevel element
// ("requireAdministrator", "asInvoker", ...); empty when there is none.
// Elements inside comments do not count.
std::string ManifestExecutionLevel(const std::string& manifest);

}  // namespace distcheck
