#include "renamer/folder_tree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pelmora {
namespace {

TEST(DriveEntryTextTest, ShowsTheLetterAndTheLabel)
{
    EXPECT_EQ(DriveEntryText('C', "System"), "c: [System]");
    EXPECT_EQ(DriveEntryText('z', ""), "z:");
}

struct Line {
    std::string text;
    std::string path;
    int depth;
    bool open;
};

void ExpectTree(const char* folder, const std::vector<CString>& subfolders, const std::vector<Line>& expected)
{
    SCOPED_TRACE(folder);
    const std::vector<FolderLine> lines = BuildFolderTree(folder, subfolders);
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE("line " + std::to_string(i));
        EXPECT_EQ(lines[i].text, expected[i].text.c_str());
        EXPECT_EQ(lines[i].path, expected[i].path.c_str());
        EXPECT_EQ(lines[i].depth, expected[i].depth);
        EXPECT_EQ(lines[i].open, expected[i].open);
    }
}

TEST(BuildFolderTreeTest, ShowsThePathFromTheRootThenTheSubfolders)
{
    ExpectTree("C:\\Photos\\2006", {"May", "June"},
               {{"c:\\", "C:\\", 0, true},
                {"Photos", "C:\\Photos", 1, true},
                {"2006", "C:\\Photos\\2006", 2, true},
                {"May", "C:\\Photos\\2006\\May", 3, false},
                {"June", "C:\\Photos\\2006\\June", 3, false}});
}

TEST(BuildFolderTreeTest, HandlesRootsAndStraySeparators)
{
    ExpectTree("C:\\", {"Windows"}, {{"c:\\", "C:\\", 0, true}, {"Windows", "C:\\Windows", 1, false}});
    ExpectTree("D:", {}, {{"d:\\", "D:\\", 0, true}});
    ExpectTree("C:\\a\\\\b\\", {},
               {{"c:\\", "C:\\", 0, true}, {"a", "C:\\a", 1, true}, {"b", "C:\\a\\b", 2, true}});
}

}  // namespace
}  // namespace pelmora
