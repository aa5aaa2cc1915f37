#include "uninstaller/removal/removal_report_win.h"

#include <windows.h>

#include <vector>

Win32ReportFile::Win32ReportFile(const CString& path)
    : path_(path),
      // Others may read the report while the run writes it; CREATE_ALWAYS
      // replaces the report of the product's previous run.
      file_(::CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                          nullptr))
{
}

void Win32ReportFile::WriteLine(std::string_view line)
{
    if (!file_)
        return;
    pending_.assign(line);
    pending_ += "\r\n";
    DWORD written = 0;
    ::WriteFile(file_.Get(), pending_.data(), static_cast<DWORD>(pending_.size()), &written, nullptr);
}

CString RemovalReportPath(const CString& productCode)
{
    CString folder;
    const DWORD size = ::GetEnvironmentVariableA("TEMP", nullptr, 0);
    if (size > 0) {
        std::vector<char> buffer(size, '\0');
        const DWORD length = ::GetEnvironmentVariableA("TEMP", buffer.data(), size);
        if (length > 0 && length < size)
            folder = CString(buffer.data(), length);
    }
    if (folder.IsEmpty()) {
        char temp[MAX_PATH + 1] = {};
        const DWORD length = ::GetTempPathA(MAX_PATH + 1, temp);
        if (length > 0 && length <= MAX_PATH)
            folder = CString(temp, length);
    }
    if (!folder.IsEmpty() && folder.Right(1) != "\\")
        folder += '\\';
    return folder + ReportFileName(productCode);
}

ReportTime LocalReportTime()
{
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return ReportTime{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}
