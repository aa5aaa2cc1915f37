// What kelcheck reads of a Windows machine: files as kelrun reads its log,
// page and language files through the system's private-profile reader, and
// the folders kelrun's tree guard protects.
#pragma once

#include "uninstaller/check/check_system.h"
#include "uninstaller/pages/profile_reader_win.h"
#include "uninstaller/removal/removal_system_win.h"

class Win32CheckSystem : public CheckSystem {
public:
    bool ReadFile(const CString& path, std::string* contents, std::uint32_t* error) override;
    CString ErrorText(std::uint32_t error) override;
    long long FileSize(const CString& path) override;
    ProfileReader& Profiles() override { return profiles_; }
    CString FullPath(const CString& path) override { return removal_.FullPath(path); }
    ProtectedFolders GetProtectedFolders() override { return removal_.GetProtectedFolders(); }
    CString FinalPath(const CString& path) override { return removal_.FinalPath(path); }

private:
    ProfileReaderWin profiles_;
    // Asked only for paths and folders; kelcheck never removes anything.
    Win32RemovalSystem removal_;
};
