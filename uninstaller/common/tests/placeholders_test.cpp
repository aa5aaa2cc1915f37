#include "uninstaller/common/placeholders.h"

#include <gtest/gtest.h>

namespace {

TEST(Placeholders, ExpandExactlyAndNeverSearchInsertedText)
{
    const struct {
        const char* text;
        const char* name;
        const char* code;
        const char* expanded;     // ExpandProductPlaceholders
        const char* substituted;  // SubstituteText
    } cases[] = {
        {"Remove <ProductName> now?", "Sample", "{P}", "Remove Sample now?", "Remove Sample now?"},
        {"<ProductName> <ProductCode> <ProductName>", "N", "{C}", "N {C} N", "N {C} N"},
        {"<productname> <PRODUCTCODE>", "N", "{C}", "<productname> <PRODUCTCODE>", "<productname> <PRODUCTCODE>"},
        {"<ProductName>", "<ProductName>", "{C}", "<ProductName>", "<ProductName>"},
        {"<ProductName>", "", "{C}", "", ""},
        {"[ProductName] of [ProductCode]", "N", "{C}", "[ProductName] of [ProductCode]", "N of {C}"},
        {"Step [1] of <ProductName]", "N", "{C}", "Step [1] of <ProductName]", "Step <1> of N"},
        {"<Product<ProductName>Name>", "X", "{C}", "<ProductXName>", "<ProductXName>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ExpandProductPlaceholders(c.text, c.name, c.code), c.expanded);
        EXPECT_EQ(SubstituteText(c.text, c.name, c.code), c.substituted);
    }
}

TEST(Placeholders, TheShortFormsUseTheProcessProductValues)
{
    ProductValues saved = TheProduct();
    TheProduct().ProductDisplayName = "Sample";
    TheProduct().ProductCode = "{P}";
    EXPECT_EQ(ExpandProductPlaceholders("<ProductName> <ProductCode>"), "Sample {P}");
    EXPECT_EQ(SubstituteText("[ProductName] [ProductCode]"), "Sample {P}");
    TheProduct() = saved;
}

}  // namespace
