#include "renamer/folder_scan_win.h"

#include "framework/handle_win.h"
#include "renamer/batch_texts.h"
#include "renamer/name_rule.h"
#include "renamer/natural_order.h"

namespace pelmora {

bool ReadFolder(const CString& folder, FolderContents* contents)
{
    *contents = FolderContents();
    WIN32_FIND_DATAA found{};
    // The basic information level skips the short 8.3 names, and the large
    // fetch reads a big folder in fewer trips to the file system.
    CFindHandle search(::FindFirstFileExA(JoinPath(folder, "*.*"), FindExInfoBasic, &found,
                                          FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!search) {
        // A folder without any entry (a drive root can be one) is no failure.
        return ::GetLastError() == ERROR_FILE_NOT_FOUND;
    }
    do {
        const CString name(found.cFileName);
        if (name == "." || name == "..")
            continue;
        contents->entries.push_back(name);
        const DWORD attributes = found.dwFileAttributes;
        if (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
            continue;
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            contents->subfolders.push_back(name);
        else
            contents->files.push_back(name);
    } while (::FindNextFileA(search.Get(), &found));
    const DWORD error = ::GetLastError();
    if (error != ERROR_NO_MORE_FILES)
        return false;
    // Explorer's order, which users expect: "file2" before "file10".
    SortNaturally(contents->files);
    SortNaturally(contents->subfolders);
    return true;
}

CString CurrentFolderOfDrive(char letter)
{
    // "X:" without a backslash names the drive's current folder, which the
    // system keeps for each drive.
    const char drive[3] = {letter, ':', '\0'};
    std::string buffer(MAX_PATH, '\0');
    DWORD length = ::GetFullPathNameA(drive, static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
    if (length >= buffer.size()) {
        buffer.assign(length + 1, '\0');
        length = ::GetFullPathNameA(drive, static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
    }
    if (length == 0 || length >= buffer.size())
        return CString(std::string{letter, ':', '\\'});
    buffer.resize(length);
    return CString(buffer);
}

CString SystemErrorText(DWORD error)
{
    char* text = nullptr;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    const CString description = length && text ? CString(text, length) : CString();
    if (text)
        ::LocalFree(text);
    return ErrorText(error, description.view());
}

}  // namespace pelmora
