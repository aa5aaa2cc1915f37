#include "tools/sample/record_file_win.h"

#include <windows.h>
#include <shlobj.h>

#include "framework/handle_win.h"

namespace sample {

std::string RecordFilePath()
{
    char value[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA("KELRUN_RECORD_FILE", value, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        return value;
    char folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder)))
        lstrcpyA(folder, "C:\\ProgramData");
    return std::string(folder) + "\\Parvane Sample Records.txt";
}

bool AppendRecord(const std::string& line)
{
    CFileHandle file(CreateFileA(RecordFilePath().c_str(), FILE_APPEND_DATA,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    const std::string text = line + "\r\n";
    DWORD written = 0;
    return WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
}

}  // namespace sample
