// A recording stand-in for the folder checks' machine: a set of existing
// folders and files, folders that refuse to be created, scripted message box
// answers, and a log of every creation and message box in the order asked.
#pragma once

#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "framework/ascii_case.h"
#include "framework/cstring.h"
#include "uninstaller/controls/folder_checks.h"

class FakeFolderCheckSystem : public FolderCheckSystem {
public:
    struct Box {
        std::string text;
        unsigned flags = 0;
    };

    // Paths compare without regard to ASCII case, as Windows' do.
    void AddFolder(const std::string& path) { folders_.insert(ToAsciiUpper(path)); }
    void AddFile(const std::string& path) { files_.insert(ToAsciiUpper(path)); }
    // Creating this folder fails (access denied, say).
    void RefuseToCreate(const std::string& path) { refused_.insert(ToAsciiUpper(path)); }
    bool HasFolder(const std::string& path) const { return folders_.count(ToAsciiUpper(path)) != 0; }

    std::deque<int> answers;          // given to the message boxes in turn; IDOK (1) once used up
    std::vector<std::string> created;  // every folder that CreateOneFolder made, in order
    std::vector<std::string> createCalls;  // every CreateOneFolder call, made or not
    std::vector<Box> boxes;
    // The tree guard's reasons for folders (upper-cased) once they exist:
    // the guard judges a folder by where it really lies too.
    std::map<std::string, std::string> guardRefusals;

    bool FolderExists(const CString& path) override { return HasFolder(path.str()); }

    void CreateOneFolder(const CString& path) override
    {
        const std::string key = ToAsciiUpper(path.view());
        createCalls.push_back(path.str());
        if (folders_.count(key) || files_.count(key) || refused_.count(key))
            return;
        // Like CreateDirectory, a folder whose parent is missing is not made.
        const std::size_t backslash = key.find_last_of('\\');
        std::string parent = key.substr(0, backslash);
        if (parent.size() == 2)
            parent += '\\';  // the drive root
        if (!folders_.count(parent))
            return;
        folders_.insert(key);
        created.push_back(path.str());
    }

    int ShowMessageBox(const CString& text, unsigned flags) override
    {
        boxes.push_back({text.str(), flags});
        if (answers.empty())
            return 1;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }

    CString InstallFolderRefusal(const CString& path) override
    {
        const auto found = guardRefusals.find(ToAsciiUpper(path.view()));
        return found != guardRefusals.end() && HasFolder(found->first) ? found->second : std::string();
    }

private:
    std::set<std::string> folders_;
    std::set<std::string> files_;
    std::set<std::string> refused_;
};
