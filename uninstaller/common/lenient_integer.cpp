#include "uninstaller/common/lenient_integer.h"

#include <climits>

namespace {

bool IsAtoiBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

int ReadLeadingInteger(std::string_view text)
{
    std::size_t at = 0;
    while (at < text.size() && IsAtoiBlank(text[at]))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    // Accumulate as a negative number, whose range reaches INT_MIN, and stop
    // at the limit: a huge count saturates instead of wrapping around.
    long long value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        value = value * 10 - (text[at] - '0');
        if (value < INT_MIN) {
            value = INT_MIN;
            break;
        }
    }
    if (negative)
        return static_cast<int>(value);
    return value < -static_cast<long long>(INT_MAX) ? INT_MAX : static_cast<int>(-value);
}
