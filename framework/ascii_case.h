// Case folding of the ASCII letters only. Text here is in the system code
// page, where a byte above 127 means whatever that code page says, so only
// A to Z and a to z change case; every other byte stays as it is.
#pragma once

#include <string>
#include <string_view>

constexpr char AsciiUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

constexpr char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string ToAsciiUpper(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        c = AsciiUpper(c);
    return result;
}

inline bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiUpper(a[i]) != AsciiUpper(b[i]))
            return false;
    }
    return true;
}
