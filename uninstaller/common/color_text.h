// Colours as page files write them: three decimal numbers separated by
// commas, red, green and blue ("0,0,255"), or the word "COLOR_BTNFACE" for
// the system's button face colour.
#pragma once

#include <cstdint>
#include <string_view>

#include "framework/cstring.h"

struct ColorRgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend bool operator==(const ColorRgb& a, const ColorRgb& b)
    {
        return a.red == b.red && a.green == b.green && a.blue == b.blue;
    }
    friend bool operator!=(const ColorRgb& a, const ColorRgb& b) { return !(a == b); }
};

// The word that stands for the system's button face colour.
constexpr const char* ButtonFaceWord = "COLOR_BTNFACE";

// Reads a colour text. Red is the text before the first comma; green the
// text before the next comma of what follows; blue everything then left.
// Where no comma is left a component is empty (0) and the rest is carried on
// whole, so "255" is blue 255 and "1,2" is red 1, blue 2. Each part is read
// leniently as an integer and keeps its low 8 bits ("300" is 44, "-1" 255).
// The word "COLOR_BTNFACE" is not resolved here: it reads as 0,0,0.
ColorRgb ParseColorText(std::string_view text);

// True for what a page author means to write: empty, "COLOR_BTNFACE", or
// three numbers of 0 to 255 separated by two commas (blanks around a number
// allowed). ParseColorText reads anything, so "255" (blue) or "0,128"
// (blue 128) give a colour too, only not the one meant.
bool IsWellFormedColorText(std::string_view text);

// "%u,%u,%u": the form a colour text takes when a colour is spelled out.
CString FormatColorText(const ColorRgb& color);

// The colour text with an empty text or "COLOR_BTNFACE" replaced by the
// button face colour spelled out, as the colour setters use it.
CString SpellOutColorText(const CString& text, const ColorRgb& buttonFace);
