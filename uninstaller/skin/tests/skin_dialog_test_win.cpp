#include <gtest/gtest.h>
TEST(SkinDialogTest, Placeholder) {}
