#include "renamer/natural_order.h"

#include <algorithm>
#include <cstddef>

#include "framework/ascii_case.h"
#include "renamer/name_case.h"
#include "renamer/utf.h"

namespace pelmora {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Compares two runs of digits by value; a run may be longer than any integer.
int CompareDigitRuns(std::string_view a, std::string_view b)
{
    const auto significant = [](std::string_view run) {
        const std::size_t first = run.find_first_not_of('0');
        return first == std::string_view::npos ? std::string_view() : run.substr(first);
    };
    const std::string_view sa = significant(a);
    const std::string_view sb = significant(b);
    if (sa.size() != sb.size())
        return sa.size() < sb.size() ? -1 : 1;
    const int byValue = sa.compare(sb);
    return byValue < 0 ? -1 : (byValue > 0 ? 1 : 0);
}

// What a character is compared by outside a run of digits: its upper case as
// names fold, so that the letters of any script compare without regard to
// case. ASCII compares by its lower case instead, which puts "_" before the
// letters as it always has; no other character folds into ASCII, so both
// give the same pairs of equal characters.
char32_t OrderKey(char32_t c)
{
    return c < 0x80 ? static_cast<char32_t>(AsciiLower(static_cast<char>(c))) : NameUpperCase(c);
}

}  // namespace

int NaturalCompare(std::string_view a, std::string_view b)
{
    std::size_t i = 0;
    std::size_t j = 0;
    int zerosTieBreak = 0;  // "01" and "1" are equal in value; fewer zeros first
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            const std::size_t startA = i;
            const std::size_t startB = j;
            while (i < a.size() && IsDigit(a[i]))
                ++i;
            while (j < b.size() && IsDigit(b[j]))
                ++j;
            const std::string_view runA = a.substr(startA, i - startA);
            const std::string_view runB = b.substr(startB, j - startB);
            if (const int byValue = CompareDigitRuns(runA, runB))
                return byValue;
            if (zerosTieBreak == 0 && runA.size() != runB.size())
                zerosTieBreak = runA.size() < runB.size() ? -1 : 1;
            continue;
        }
        const char32_t ca = OrderKey(NextCodePoint(a, i));
        const char32_t cb = OrderKey(NextCodePoint(b, j));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (i < a.size())
        return 1;
    if (j < b.size())
        return -1;
    if (zerosTieBreak != 0)
        return zerosTieBreak;
    // Names that differ in case only still get a fixed order.
    const int exact = a.compare(b);
    return exact < 0 ? -1 : (exact > 0 ? 1 : 0);
}

bool NaturalLess(const CString& a, const CString& b)
{
    return NaturalCompare(a.view(), b.view()) < 0;
}

void SortNaturally(std::vector<CString>& names)
{
    std::sort(names.begin(), names.end(), &NaturalLess);
}

}  // namespace pelmora
