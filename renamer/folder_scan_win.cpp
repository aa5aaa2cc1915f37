#include "renamer/folder_scan_win.h"

#include <string>

#include "framework/handle_win.h"
#include "renamer/batch_texts.h"
#include "renamer/name_rule.h"
#include "renamer/natural_order.h"
#include "renamer/wide_win.h"

namespace pelmora {

bool ReadFolder(const CString& folder, FolderContents* contents)
{
    *contents = FolderContents();
    WIN32_FIND_DATAW found{};
    // The basic information level skips the short 8.3 names, and the large
    // fetch reads a big folder in fewer trips to the file system.
    CFindHandle search(::FindFirstFileExW(Widen(JoinPath(folder, "*.*").view()).c_str(), FindExInfoBasic,
                                          &found, FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!search) {
        // A folder without any entry (a drive root can be one) is no failure.
        return ::GetLastError() == ERROR_FILE_NOT_FOUND;
    }
    do {
        const std::wstring_view wide(found.cFileName);
        if (wide == L"." || wide == L"..")
            continue;
        const CString name = Narrow(wide);
        contents->entries.push_back(name);
        const DWORD attributes = found.dwFileAttributes;
        const bool isFolder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (isFolder)
            contents->folders.push_back(name);
        if (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
            continue;
        if (isFolder)
            contents->subfolders.push_back(name);
        else
            contents->files.push_back(name);
    } while (::FindNextFileW(search.Get(), &found));
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
    const wchar_t drive[3] = {static_cast<wchar_t>(letter), L':', L'\0'};
    std::wstring buffer(MAX_PATH, L'\0');
    DWORD length = ::GetFullPathNameW(drive, static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
    if (length >= buffer.size()) {
        buffer.assign(length + 1, L'\0');
        length = ::GetFullPathNameW(drive, static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
    }
    if (length == 0 || length >= buffer.size())
        return CString(std::string{letter, ':', '\\'});
    buffer.resize(length);
    return Narrow(buffer);
}

CString SystemErrorText(DWORD error)
{
    wchar_t* text = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    const CString description = length && text ? Narrow(std::wstring_view(text, length)) : CString();
    if (text)
        ::LocalFree(text);
    return ErrorText(error, description.view());
}

}  // namespace pelmora
