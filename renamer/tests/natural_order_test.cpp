#include "renamer/natural_order.h"

#include <gtest/gtest.h>

#include <vector>

namespace pelmora {
namespace {

TEST(NaturalOrderTest, SortsAsTheShellDoes)
{
    std::vector<CString> names = {"file10.txt", "File2.txt", "file1.txt", "a", "B", "file02.txt",
                                  "x100", "x99", "x9a", "img_2.jpg", "img 10.jpg",
                                  "n99999999999999999999999", "n100000000000000000000000"};
    SortNaturally(names);
    const std::vector<CString> expected = {"a", "B", "file1.txt", "File2.txt", "file02.txt",
                                          "file10.txt", "img 10.jpg", "img_2.jpg",
                                          "n99999999999999999999999",
                                          "n100000000000000000000000", "x9a", "x99", "x100"};
    EXPECT_EQ(names, expected);
}

TEST(NaturalOrderTest, FoldsTheCaseOfEveryScriptAndKeepsNumbersInOrder)
{
    // ASCII first, as its lower case; then by upper case, "Ä" with "ä".
    std::vector<CString> names = {"日本.txt", "Émile10", "zebra", "äpfel", "naïve.txt", "ελληνικά1",
                                  "émile2", "a", "ΕΛΛΗΝΙΚΆ.doc", "emoji😀.txt", "Äpfel", "_x"};
    SortNaturally(names);
    const std::vector<CString> expected = {"_x", "a", "emoji😀.txt", "naïve.txt", "zebra", "Äpfel",
                                          "äpfel", "émile2", "Émile10", "ΕΛΛΗΝΙΚΆ.doc", "ελληνικά1", "日本.txt"};
    EXPECT_EQ(names, expected);
}

TEST(NaturalOrderTest, IsAStrictOrder)
{
    EXPECT_EQ(NaturalCompare("same", "same"), 0);
    EXPECT_NE(NaturalCompare("a.txt", "A.TXT"), 0);
    EXPECT_EQ(NaturalCompare("a.txt", "A.TXT"), -NaturalCompare("A.TXT", "a.txt"));
    EXPECT_LT(NaturalCompare("a", "a1"), 0);
    EXPECT_GT(NaturalCompare("a01", "a1"), 0);
}

}  // namespace
}  // namespace pelmora
