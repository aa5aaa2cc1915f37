#include <gtest/gtest.h>

#include <string>

#include "uninstaller/removal/library_argument.h"

namespace {

// The export may write to 256 bytes whatever the path, and a longer path
// must arrive whole with its terminating zero.
TEST(LibraryArgument, HoldsThePathThenZerosInAtLeast256Bytes)
{
    const std::string longest255(255, 'p');
    const struct {
        std::string path;
        std::size_t size;
    } cases[] = {
        {"", 256},
        {"C:\\Apps\\hook.dll", 256},
        {longest255, 256},
        {std::string(256, 'p'), 257},
        {std::string(300, 'p'), 301},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("path length " + std::to_string(c.path.size()));
        const std::vector<char> buffer = LibraryArgument(CString(c.path));
        ASSERT_EQ(buffer.size(), c.size);
        EXPECT_EQ(std::string(buffer.data(), c.path.size()), c.path);
        for (std::size_t i = c.path.size(); i < buffer.size(); ++i)
            ASSERT_EQ(buffer[i], '\0') << "byte " << i;
    }
}

}  // namespace
