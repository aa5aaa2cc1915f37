#include "uninstaller/removal/library_argument.h"

#include <algorithm>

std::vector<char> LibraryArgument(const CString& libraryPath)
{
    const std::string& path = libraryPath.str();
    std::vector<char> buffer(std::max(LibraryArgumentMinSize, path.size() + 1), '\0');
    std::copy(path.begin(), path.end(), buffer.begin());
    return buffer;
}
