// The value syntaxes of page files, each in one place: switches, alignment,
// border, icon references, file names in braces, property entries and
// control definition lines. Numbers are read with ReadLeadingInteger and
// colours with ParseColorText (uninstaller/common).
#pragma once

#include <array>
#include <string_view>

#include "framework/cstring.h"

// Values are read into a buffer of this many bytes, so at most 554
// characters of a value are seen; the control count "TOTAL" into one of 100.
constexpr int PageValueBufferSize = 555;
constexpr int PageTotalBufferSize = 100;

// "Yes" and "No", compared exactly, case included.
bool IsYes(std::string_view value);
bool IsNo(std::string_view value);

// A font switch: 0 when the value is exactly "No", else 255 (an empty or
// missing value included).
int FontSwitch(std::string_view value);

// "Text Align": only the first character counts, as a digit: 0 (also a
// non-digit or an empty value) "Center", 1 "Left", 2 "Right"; the digits 3
// to 9 give null, which applies no alignment.
const char* AlignmentWord(std::string_view value);

// "border" and a list view's "Style": only the first character counts, as a
// digit: 0 (also a non-digit or an empty value) off, 1 on, 2 to 9 unchanged.
enum class BorderSwitch { Off, On, Unchanged };
BorderSwitch ReadBorderSwitch(std::string_view value);

// An icon's "Icon File:" value. A value whose first three characters are
// "IDI" names one of the eight built-in icons, numbered 0 to 7 in the order
// "IDI_EXCLAMATION", "IDI_INFO", "IDI_ERROR", "IDI_TYPICAL", "IDI_MINIMAL",
// "IDI_CUSTOM", "IDI_SETUP", "IDI_FOLDER"; any other "IDI" name changes
// nothing. An empty value names nothing either. Anything else is a file name.
struct IconReference {
    enum class Kind { None, BuiltIn, File };
    Kind kind = Kind::None;
    int index = -1;  // BuiltIn: 0 to 7
    CString path;    // File: the value as written
};
IconReference ReadIconReference(const CString& value);

// The text with every "{" and "}" removed.
CString RemoveBraces(std::string_view text);

// The folder part of a path, up to and including its last backslash; empty
// when the path has none.
CString PageFolderOf(const CString& path);

// One DADOS entry, written Name|Value|Number.
struct PropertyEntry {
    CString name;
    CString value;
    int number = 0;
};
// Splits an entry: the name before the first "|"; the value between the
// first and the second "|" (or to the end when there is no second one); the
// number is what follows the second "|" with every "|" removed, read as an
// integer, so "Caption|a|b|3" gives the number 0. A value holding a "{" loses
// every "{" and "}" and gets `pageFolder` in front. An entry without "|"
// gives an empty name and value and the number read from the whole text.
PropertyEntry SplitPropertyEntry(const CString& entry, const CString& pageFolder);

// An INFO line: comma-separated fields, numbered from 0. Every comma ends a
// field, so two commas in a row enclose an empty field. A line has at most
// 20 fields: the 20th ends at the next comma like the others, and whatever
// follows it is dropped (no field the loader reads lies that far out).
struct DefinitionLine {
    static constexpr int MaxFields = 20;
    std::array<CString, MaxFields> fields;
    int count = 0;

    // The field, or empty beyond the last one.
    const CString& Field(int index) const;
    // The field read as an integer (0 when empty or missing).
    int Number(int index) const;
};
DefinitionLine SplitDefinitionLine(std::string_view line);

// The fields of an INFO line that the loader reads.
enum DefinitionField {
    FieldLeft = 1,
    FieldTop = 2,
    FieldWidth = 3,
    FieldHeight = 4,
    FieldKind = 5,
    FieldImage = 6,
    FieldPropertyKey = 8,
};

// Key names as the loader asks for them. An INFO key is what "%i" writes
// for a number of 0 or more: digits, no sign, no leading zero ("07" or "+7"
// name nothing the loader reads). A DADOS key is "k,j" as "%i,%i" writes it
// (k may be negative, j may not). False for any other text.
bool ReadKeyNumber(std::string_view text, int* number);
bool ReadPropertyKey(std::string_view text, int* key, int* position);
