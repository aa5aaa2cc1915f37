#include "renamer/name_case.h"

#include <gtest/gtest.h>

namespace pelmora {
namespace {

TEST(NameUpperCaseTest, JoinsTheTwoCasesOfALetterInEveryScript)
{
    const std::pair<char32_t, char32_t> pairs[] = {
        {U'a', U'A'}, {U'ä', U'Ä'}, {U'ÿ', U'Ÿ'}, {U'ā', U'Ā'}, {U'ǆ', U'Ǆ'}, {U'ά', U'Ά'},
        {U'ω', U'Ω'}, {U'я', U'Я'}, {U'ա', U'Ա'}, {U'ᾀ', U'ᾈ'}, {U'ⓐ', U'Ⓐ'}, {U'ａ', U'Ａ'},
    };
    for (const auto& [lower, upper] : pairs) {
        SCOPED_TRACE(static_cast<unsigned>(lower));
        EXPECT_EQ(NameUpperCase(lower), upper);
        EXPECT_EQ(NameUpperCase(upper), upper);
    }
}

TEST(NameUpperCaseTest, LeavesWhatHasNoUpperCaseOfItsOwn)
{
    // Sharp s, dotless i, long s, micro sign, final sigma, a title-case
    // digraph, a digit, CJK, a lone surrogate and letters beyond the BMP.
    for (char32_t c : {U'ß', U'ı', U'ſ', U'µ', U'ς', U'ǅ', U'7', U'日',
                       char32_t{0xD800}, U'𐐨', U'😀'}) {
        SCOPED_TRACE(static_cast<unsigned>(c));
        EXPECT_EQ(NameUpperCase(c), c);
    }
}

TEST(NameUpperCaseTest, FoldsOnceAndNeverIntoAscii)
{
    int folded = 0;
    for (char32_t c = 0; c < 0x10000; ++c) {
        const char32_t upper = NameUpperCase(c);
        ASSERT_EQ(NameUpperCase(upper), upper) << std::hex << c;
        ASSERT_TRUE(c < 0x80 || upper >= 0x80) << std::hex << c;
        folded += upper != c;
    }
    // Unicode 14's letters with a simple upper case that leads back.
    EXPECT_EQ(folded, 1163);
}

}  // namespace
}  // namespace pelmora
