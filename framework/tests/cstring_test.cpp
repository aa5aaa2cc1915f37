#include "framework/cstring.h"

#include <gtest/gtest.h>

#include <string>

TEST(CStringTest, ReplaceDoesNotSearchInsertedText)
{
    CString text("<a><a>");
    EXPECT_EQ(text.Replace("<a>", "<a><a>"), 2);
    EXPECT_EQ(text, "<a><a><a><a>");

    CString none("abc");
    EXPECT_EQ(none.Replace("", "x"), 0);
    EXPECT_EQ(none, "abc");
}

TEST(CStringTest, SlicesClampToTheText)
{
    const CString text("kelrun");
    EXPECT_EQ(text.Left(3), "kel");
    EXPECT_EQ(text.Left(99), "kelrun");
    EXPECT_EQ(text.Left(-1), "");
    EXPECT_EQ(text.Mid(3), "run");
    EXPECT_EQ(text.Mid(99), "");
    EXPECT_EQ(text.Mid(1, 2), "el");
    EXPECT_EQ(text.Mid(4, 99), "un");
    EXPECT_EQ(text.Right(2), "un");
    EXPECT_EQ(text.Right(99), "kelrun");
}

TEST(CStringTest, FindReportsMissesAsMinusOne)
{
    const CString text("a.b.c");
    EXPECT_EQ(text.Find('.'), 1);
    EXPECT_EQ(text.Find('.', 2), 3);
    EXPECT_EQ(text.Find('.', 5), -1);
    EXPECT_EQ(text.Find('.', -3), -1);
    EXPECT_EQ(text.ReverseFind('.'), 3);
    EXPECT_EQ(text.Find("b.c"), 2);
    EXPECT_EQ(text.Find("x"), -1);
    EXPECT_EQ(CString().ReverseFind('.'), -1);
}

TEST(CStringTest, FormatHandlesLongOutput)
{
    const std::string longText(5000, 'x');
    const CString formatted = CString::Format("%s|%d", longText.c_str(), 42);
    EXPECT_EQ(formatted.GetLength(), 5003);
    EXPECT_EQ(formatted.Right(3), "|42");
}

TEST(CStringTest, Upper)
{
    CString mixed("c:\\Äb");
    EXPECT_EQ(mixed.MakeUpper(), "C:\\ÄB");
}
