#include "uninstaller/removal/removal_report_win.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/ansi_text_win.h"

namespace {

// Gives the file `file` the name `path`, replacing what stands there.
bool RenameOver(HANDLE file, const CString& path)
{
    const std::wstring name = WideFromAnsi(path);
    std::vector<BYTE> block(sizeof(FILE_RENAME_INFO) + (name.size() + 1) * sizeof(wchar_t), 0);
    auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(block.data());
    rename->ReplaceIfExists = TRUE;
    rename->FileNameLength = static_cast<DWORD>(name.size() * sizeof(wchar_t));
    std::copy(name.begin(), name.end(), rename->FileName);
    return ::SetFileInformationByHandle(file, FileRenameInfo, rename, static_cast<DWORD>(block.size())) != FALSE;
}

void DeleteByHandle(HANDLE file)
{
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = TRUE;
    ::SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition);
}

}  // namespace

Win32ReportFile::Win32ReportFile(const CString& path) : path_(path)
{
    // %TEMP% may be a folder where others can create entries (C:\Windows\Temp
    // when a deployment tool runs kelrun as SYSTEM), and a link planted under
    // the report's name would have the report written, with kelrun's rights,
    // into whatever it leads to. So the report is made new under a name of
    // its own, refusing one that exists (CREATE_NEW), and then renamed over
    // whatever stands under the report's name: a file link or hard link is
    // replaced as a link, never followed, and the previous run's report goes
    // the same way. Deleting the old name first is no way under Wine: there
    // DeleteFile on a link to a file deletes the file it leads to, while the
    // rename replaces the link itself (measured under Wine 8). A folder under
    // the name, a folder link included, is left alone, and the run goes on
    // without a report.
    const CString fresh = path + "." + CString(std::to_string(::GetCurrentProcessId())) + ".new";
    CFileHandle file(::CreateFileA(fresh, GENERIC_WRITE | DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return;
    // By handle, so that nothing planted under either name meanwhile is touched.
    if (!RenameOver(file.Get(), path)) {
        DeleteByHandle(file.Get());
        return;
    }
    // Written through a handle of its own without delete access, so that
    // others may open the report to read it while the run goes on (a reader
    // that does not share delete access could not while one is held). Its
    // sharing has to allow what the first handle holds until that is closed.
    file_.Reset(::ReOpenFile(file.Get(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 0));
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
