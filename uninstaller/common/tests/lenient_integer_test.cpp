#include "uninstaller/common/lenient_integer.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(ReadLeadingInteger, ReadsLikeAtoiAndSaturates)
{
    const struct {
        const char* text;
        int value;
    } cases[] = {
        {"12", 12},
        {"70000", 70000},
        {"  7 files", 7},
        {"\t\r\n\v\f5", 5},
        {"-3", -3},
        {"+4", 4},
        {"0x10", 0},
        {"- 5", 0},
        {"++5", 0},
        {"abc", 0},
        {"", 0},
        {"2147483647", INT_MAX},
        {"2147483648", INT_MAX},
        {"99999999999999999999999", INT_MAX},
        {"-2147483648", INT_MIN},
        {"-99999999999999999999999", INT_MIN},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ReadLeadingInteger(c.text), c.value);
    }
}

}  // namespace
