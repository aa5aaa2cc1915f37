#include "uninstaller/common/color_text.h"

#include "uninstaller/common/lenient_integer.h"

namespace {

// The part before the next comma; `rest` keeps what follows that comma. With
// no comma left the part is empty and `rest` stays whole.
std::string_view TakePart(std::string_view& rest)
{
    const std::size_t comma = rest.find(',');
    if (comma == std::string_view::npos)
        return {};
    const std::string_view part = rest.substr(0, comma);
    rest.remove_prefix(comma + 1);
    return part;
}

std::uint8_t LowEightBits(std::string_view part)
{
    // The conversion to unsigned keeps the low 8 bits of negative numbers
    // too: -1 is 255.
    return static_cast<std::uint8_t>(static_cast<unsigned int>(ReadLeadingInteger(part)) & 0xFFu);
}

}  // namespace

ColorRgb ParseColorText(std::string_view text)
{
    std::string_view rest = text;
    const std::string_view red = TakePart(rest);
    const std::string_view green = TakePart(rest);
    ColorRgb color;
    color.red = LowEightBits(red);
    color.green = LowEightBits(green);
    color.blue = LowEightBits(rest);
    return color;
}

bool IsWellFormedColorText(std::string_view text)
{
    if (text.empty() || text == ButtonFaceWord)
        return true;
    int parts = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        std::string_view part = text.substr(start, comma == std::string_view::npos ? std::string_view::npos
                                                                                    : comma - start);
        const std::size_t first = part.find_first_not_of(" \t");
        const std::size_t last = part.find_last_not_of(" \t");
        part = first == std::string_view::npos ? std::string_view() : part.substr(first, last - first + 1);
        if (part.empty() || part.size() > 3 || part.find_first_not_of("0123456789") != std::string_view::npos ||
            ReadLeadingInteger(part) > 255)
            return false;
        ++parts;
        if (comma == std::string_view::npos)
            return parts == 3;
        start = comma + 1;
    }
}

CString FormatColorText(const ColorRgb& color)
{
    return CString::Format("%u,%u,%u", static_cast<unsigned>(color.red), static_cast<unsigned>(color.green),
                           static_cast<unsigned>(color.blue));
}

CString SpellOutColorText(const CString& text, const ColorRgb& buttonFace)
{
    if (text.IsEmpty() || text == ButtonFaceWord)
        return FormatColorText(buttonFace);
    return text;
}
