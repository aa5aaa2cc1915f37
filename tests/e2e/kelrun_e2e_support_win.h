// What kelrun's end-to-end tests share: a product as the suite's installer
// leaves it, one run of kelrun driven from outside, and the helpers around
// them. Header only: each test program takes what it uses.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/handle_win.h"
#include "tests/support/test_support_win.h"
#include "tools/uidriver/uidriver.h"

namespace kelrune2e {

using namespace testsupport;

inline constexpr DWORD kBoxTimeoutMs = 20000;
inline constexpr DWORD kExitTimeoutMs = 60000;
inline constexpr char kUninstallRoot[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

inline std::string UniqueName(const std::string& name)
{
    return name + "-" + std::to_string(::GetCurrentProcessId());
}

// Where kelrun writes its report for a product: %TEMP%\kelrun <code>.log.
inline std::string ReportPath(const std::string& code)
{
    char temp[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableA("TEMP", temp, MAX_PATH);
    std::string folder = length > 0 && length < MAX_PATH ? std::string(temp, length) : std::string();
    if (!folder.empty() && folder.back() != '\\')
        folder += '\\';
    return folder + "kelrun " + code + ".log";
}

inline bool HasLine(const std::vector<std::string>& lines, const std::string& line)
{
    for (const std::string& candidate : lines) {
        if (candidate == line)
            return true;
    }
    return false;
}

inline bool HasLineStartingWith(const std::vector<std::string>& lines, const std::string& start)
{
    for (const std::string& candidate : lines) {
        if (candidate.rfind(start, 0) == 0)
            return true;
    }
    return false;
}

// A product as the suite's installer leaves it: an Uninstall key, a folder of
// uninstall data under the Windows folder, and an installation folder.
class Product {
public:
    explicit Product(const std::string& name)
        : code_("{E2E-" + UniqueName(name) + "}"),
          installFolder_("C:\\Program Files\\Kelrun E2E\\" + UniqueName(name)),
          productFolder_(WindowsFolder() + "\\Installer\\" + code_),
          keyPath_(kUninstallRoot + code_)
    {
        MakeFolders(installFolder_);
        MakeFolders(productFolder_);
    }

    ~Product()
    {
        // Whatever a test made kelrun schedule for the restart is not left in
        // the prefix that the other tests share.
        ForgetPendingRemovals(installFolder_);
        ::DeleteFileA(ReportPath(code_).c_str());
        RemoveTree(installFolder_);
        RemoveTree(productFolder_);
        DeleteKeyTree(HKEY_LOCAL_MACHINE, keyPath_);
        DeleteKeyTree(HKEY_LOCAL_MACHINE, keyPath_, kOtherView);
    }

    Product(const Product&) = delete;
    Product& operator=(const Product&) = delete;

    // The Uninstall key, in the view of the kelrun under test, as the suite's
    // installer of the same build writes it; the installation folder is
    // recorded with a trailing backslash unless another folder is given.
    void Register(const std::string& displayName, const std::string& lastInstallationPath = "",
                  REGSAM view = kProgramView)
    {
        SetStringValue(HKEY_LOCAL_MACHINE, keyPath_, "DisplayName", displayName, view);
        SetStringValue(HKEY_LOCAL_MACHINE, keyPath_, "LastInstallationPath",
                       lastInstallationPath.empty() ? installFolder_ + "\\" : lastInstallationPath, view);
    }
    void WriteLog(const std::string& contents) { WriteFile(productFolder_ + "\\uninstall.log", contents); }
    void WriteLanguage(const std::string& contents) { WriteFile(productFolder_ + "\\language.lan", contents); }
    // The uninstall page, theme\uninstall.lcd.
    void WritePage(const std::string& contents)
    {
        MakeFolders(productFolder_ + "\\theme");
        WriteFile(productFolder_ + "\\theme\\uninstall.lcd", contents);
    }
    std::string File(const std::string& relative, const std::string& contents = "x") const
    {
        const std::string path = installFolder_ + "\\" + relative;
        MakeFolders(path.substr(0, path.rfind('\\')));
        WriteFile(path, contents);
        return path;
    }

    const std::string& Code() const { return code_; }
    std::vector<std::string> Report() const { return ReadLines(ReportPath(code_)); }
    // What the system is asked to delete at the next start, of this product.
    std::vector<std::string> PendingRemovals() const
    {
        std::vector<std::string> ours;
        for (const std::string& path : testsupport::PendingRemovals()) {
            if (path.rfind(installFolder_, 0) == 0)
                ours.push_back(path);
        }
        return ours;
    }
    const std::string& InstallFolder() const { return installFolder_; }
    const std::string& ProductFolder() const { return productFolder_; }
    bool KeyExists(REGSAM view = kProgramView) const
    {
        return testsupport::KeyExists(HKEY_LOCAL_MACHINE, keyPath_, view);
    }

private:
    std::string code_;
    std::string installFolder_;
    std::string productFolder_;
    std::string keyPath_;
};

// One run of kelrun, driven through its message boxes.
class KelrunRun {
public:
    // `folder`: kelrun's current folder (empty: the test's own).
    explicit KelrunRun(const std::string& arguments, const std::string& folder = "")
    {
        started_ = process_.Start("\"" + KelrunProgram() + "\" " + arguments, folder);
    }
    ~KelrunRun() { process_.Terminate(); }

    bool Started() const { return started_; }

    // The next message box of kelrun, or a box with no window on time-out.
    uidriver::MessageBoxInfo NextBox(DWORD timeoutMs = kBoxTimeoutMs)
    {
        uidriver::MessageBoxInfo box;
        if (!uidriver::WaitForMessageBox(process_.Id(), timeoutMs, &box))
            box.window = nullptr;
        return box;
    }

    bool Answer(const uidriver::MessageBoxInfo& box, int button) { return uidriver::AnswerMessageBox(box, button); }

    // The full exit code, or -1 when kelrun does not end in time.
    long long ExitCode(DWORD timeoutMs = kExitTimeoutMs)
    {
        DWORD code = 0;
        if (!process_.WaitForExit(timeoutMs, &code))
            return -1;
        return code;
    }

    DWORD Id() const { return process_.Id(); }
    HANDLE Handle() const { return process_.Handle(); }
    bool IsRunning() const { return process_.IsRunning(); }

private:
    uidriver::Process process_;
    bool started_ = false;
};

// Runs kelrun and answers every box it shows with OK or Yes; returns the
// exit code and the texts of the boxes seen.
inline long long RunAnsweringEverything(const std::string& arguments, std::vector<std::string>* boxTexts = nullptr,
                                 const std::string& folder = "")
{
    KelrunRun run(arguments, folder);
    EXPECT_TRUE(run.Started());
    for (;;) {
        uidriver::MessageBoxInfo box;
        if (!uidriver::WaitForMessageBox(run.Id(), 300, &box)) {
            if (!run.IsRunning())
                return run.ExitCode();
            continue;
        }
        if (boxTexts)
            boxTexts->push_back(box.text);
        run.Answer(box, box.buttons.size() > 1 ? IDYES : IDOK);
    }
}

// A box can be found a moment before its text is set, on a busy machine:
// read it again until it has one.
inline uidriver::MessageBoxInfo WithText(uidriver::MessageBoxInfo box)
{
    for (int attempt = 0; attempt < 50 && box.window && box.text.empty(); ++attempt) {
        ::Sleep(100);
        uidriver::ReadMessageBox(box.window, &box);
    }
    return box;
}

// Holds a file open without sharing, as a running program or a scanner does.
class HeldFile {
public:
    explicit HeldFile(const std::string& path)
        : handle_(::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr))
    {
        EXPECT_TRUE(handle_.IsValid()) << path;
    }

private:
    CFileHandle handle_;
};

}  // namespace kelrune2e
