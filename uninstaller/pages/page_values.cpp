#include "uninstaller/pages/page_values.h"

#include <climits>

#include "uninstaller/common/lenient_integer.h"

namespace {

// The first character read as a number: its digit, or 0 for anything else.
int FirstDigit(std::string_view value)
{
    if (value.empty() || value.front() < '0' || value.front() > '9')
        return 0;
    return value.front() - '0';
}

std::string WithoutCharacters(std::string_view text, std::string_view drop)
{
    std::string result;
    result.reserve(text.size());
    for (const char c : text) {
        if (drop.find(c) == std::string_view::npos)
            result += c;
    }
    return result;
}

}  // namespace

bool IsYes(std::string_view value)
{
    return value == "Yes";
}

bool IsNo(std::string_view value)
{
    return value == "No";
}

int FontSwitch(std::string_view value)
{
    return IsNo(value) ? 0 : 255;
}

const char* AlignmentWord(std::string_view value)
{
    switch (FirstDigit(value)) {
    case 0:
        return "Center";
    case 1:
        return "Left";
    case 2:
        return "Right";
    default:
        return nullptr;
    }
}

BorderSwitch ReadBorderSwitch(std::string_view value)
{
    switch (FirstDigit(value)) {
    case 0:
        return BorderSwitch::Off;
    case 1:
        return BorderSwitch::On;
    default:
        return BorderSwitch::Unchanged;
    }
}

IconReference ReadIconReference(const CString& value)
{
    static const char* const builtInNames[] = {
        "IDI_EXCLAMATION", "IDI_INFO", "IDI_ERROR", "IDI_TYPICAL",
        "IDI_MINIMAL", "IDI_CUSTOM", "IDI_SETUP", "IDI_FOLDER",
    };
    IconReference reference;
    if (value.IsEmpty())
        return reference;
    if (value.view().substr(0, 3) != "IDI") {
        reference.kind = IconReference::Kind::File;
        reference.path = value;
        return reference;
    }
    for (int index = 0; index < 8; ++index) {
        if (value == builtInNames[index]) {
            reference.kind = IconReference::Kind::BuiltIn;
            reference.index = index;
        }
    }
    return reference;
}

CString RemoveBraces(std::string_view text)
{
    return CString(WithoutCharacters(text, "{}"));
}

CString PageFolderOf(const CString& path)
{
    return path.Left(path.ReverseFind('\\') + 1);
}

PropertyEntry SplitPropertyEntry(const CString& entry, const CString& pageFolder)
{
    PropertyEntry property;
    const std::string_view text = entry.view();
    const std::size_t firstBar = text.find('|');
    if (firstBar == std::string_view::npos) {
        property.number = ReadLeadingInteger(text);
        return property;
    }
    property.name = CString(text.substr(0, firstBar));
    const std::string_view afterName = text.substr(firstBar + 1);
    const std::size_t secondBar = afterName.find('|');
    const std::string_view value = afterName.substr(0, secondBar);
    if (secondBar != std::string_view::npos)
        property.number = ReadLeadingInteger(WithoutCharacters(afterName.substr(secondBar + 1), "|"));
    if (value.find('{') != std::string_view::npos)
        property.value = pageFolder + RemoveBraces(value);
    else
        property.value = CString(value);
    return property;
}

const CString& DefinitionLine::Field(int index) const
{
    static const CString empty;
    if (index < 0 || index >= count)
        return empty;
    return fields[static_cast<std::size_t>(index)];
}

int DefinitionLine::Number(int index) const
{
    return ReadLeadingInteger(Field(index).view());
}

DefinitionLine SplitDefinitionLine(std::string_view line)
{
    DefinitionLine result;
    std::size_t start = 0;
    while (result.count < DefinitionLine::MaxFields) {
        const std::size_t comma = line.find(',', start);
        result.fields[static_cast<std::size_t>(result.count++)] = CString(line.substr(start, comma - start));
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
    return result;
}

bool ReadKeyNumber(std::string_view text, int* number)
{
    if (text.empty() || text.size() > 10 || (text.size() > 1 && text.front() == '0'))
        return false;
    long long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    if (value > INT_MAX)
        return false;
    *number = static_cast<int>(value);
    return true;
}

bool ReadPropertyKey(std::string_view text, int* key, int* position)
{
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos)
        return false;
    std::string_view keyText = text.substr(0, comma);
    const bool negative = !keyText.empty() && keyText.front() == '-';
    if (negative)
        keyText.remove_prefix(1);
    if (!ReadKeyNumber(keyText, key) || (negative && *key == 0) || !ReadKeyNumber(text.substr(comma + 1), position))
        return false;
    if (negative)
        *key = -*key;
    return true;
}
