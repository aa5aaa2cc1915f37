#include "renamer/utf.h"

#include <gtest/gtest.h>

namespace pelmora {
namespace {

TEST(UtfTest, EveryUtf16NameComesBackUnchanged)
{
    const std::u16string names[] = {
        u"a.txt", u"naïve.txt", u"Ελληνικά.doc", u"日本.txt", u"emoji😀.txt",
        u"lone\xD800high", u"lone\xDC00low", u"\xDBFF", u"\xDC00\xD800", u"",
    };
    for (const std::u16string& name : names) {
        SCOPED_TRACE(ToUtf8(name));
        EXPECT_EQ(ToUtf16(ToUtf8(name)), name);
    }
    EXPECT_EQ(ToUtf8(u"日😀"), "\xE6\x97\xA5\xF0\x9F\x98\x80");
    EXPECT_EQ(ToUtf8(u"\xD800"), "\xED\xA0\x80");  // an unpaired surrogate as its own sequence
}

TEST(UtfTest, BytesThatStartNoSequenceReadAsReplacementCharacters)
{
    struct Case {
        const char* utf8;
        std::u16string utf16;
    };
    const Case cases[] = {
        {"a\xFFz", u"a�z"},         // no lead byte
        {"\xC3", u"�"},             // cut short at the end
        {"\xE6\x97z", u"��z"},  // cut short by a plain byte
        {"\xC0\xAF", u"��"},    // an overlong "/"
        {"\xF4\x90\x80\x80", u"����"},  // beyond U+10FFFF
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(ToUtf16(c.utf8), c.utf16);
    }
}

}  // namespace
}  // namespace pelmora
