// A recording stand-in for the machine: an in-memory file system with
// attributes, a current folder, registry and profile texts, and a log of
// every operation that changes something, in the order the engine asked.
// FakeReporter writes into the same log, so one list holds the machine's
// changes and the page's reports in the one order they happened.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "framework/cstring.h"
#include "uninstaller/removal/removal_system.h"

class FakeRemovalSystem : public RemovalSystem {
public:
    struct Entry {
        bool folder = false;
        std::uint32_t attributes = 0;
    };

    // The file system. Paths compare without regard to ASCII case.
    void AddFile(const CString& path, std::uint32_t attributes = 0) { entries_[Key(path)] = {false, attributes}; }
    void AddFolder(const CString& path) { entries_[Key(path)] = {true, 0}; }
    bool Has(const CString& path) const { return entries_.count(Key(path)) != 0; }
    std::uint32_t AttributesOf(const CString& path) const { return entries_.at(Key(path)).attributes; }

    std::string logContents;
    std::uint32_t logReadError = 0;  // not 0: reading the log fails with this code
    CString logPath;  // the path the engine asked to read
    std::map<std::string, CString> profileTexts;  // "path|section|key" -> text
    ProtectedFolders protectedFolders;
    CString currentFolder = "C:\\";
    bool deleteTreeResult = true;
    // Every change and every report, in order. System calls read
    // "Operation argument..."; reports start with "page ".
    std::vector<std::string> events;

    bool ReadTextFile(const CString& path, std::string* contents, std::uint32_t* error) override
    {
        logPath = path;
        if (logReadError != 0) {
            *error = logReadError;
            return false;
        }
        *contents = logContents;
        return true;
    }

    // Like the system's file search, "*" and "?" match whatever they can.
    bool PathExists(const CString& path) override
    {
        for (const auto& entry : entries_) {
            if (Matches(Key(path).c_str(), entry.first.c_str()))
                return true;
        }
        return false;
    }

    bool GetAttributes(const CString& path, std::uint32_t* attributes) override
    {
        auto found = entries_.find(Key(path));
        if (found == entries_.end())
            return false;
        *attributes = found->second.attributes;
        return true;
    }

    void SetAttributes(const CString& path, std::uint32_t attributes) override
    {
        Record("SetAttributes " + path.str() + " " + std::to_string(attributes));
        auto found = entries_.find(Key(path));
        if (found != entries_.end())
            found->second.attributes = attributes;
    }

    // Like DeleteFile: a read-only file stays.
    void RemoveFile(const CString& path) override
    {
        Record("RemoveFile " + path.str());
        auto found = entries_.find(Key(path));
        if (found != entries_.end() && !found->second.folder && (found->second.attributes & 0x1) == 0)
            entries_.erase(found);
    }

    void RemoveEmptyFolder(const CString& path) override
    {
        Record("RemoveEmptyFolder " + path.str());
        auto found = entries_.find(Key(path));
        if (found != entries_.end() && found->second.folder && CountInside(path) == 0)
            entries_.erase(found);
    }

    // "/" becomes "\", a relative path is joined to the current folder, and
    // trailing backslashes go except after a drive root.
    CString FullPath(const CString& path) override
    {
        if (path.IsEmpty())
            return CString();
        CString full = path;
        full.Replace('/', '\\');
        const bool absolute = (full.GetLength() >= 2 && full.GetAt(1) == ':') || full.Left(2) == "\\\\";
        if (!absolute)
            full = (currentFolder.Right(1) == "\\" ? currentFolder : currentFolder + "\\") + full;
        while (full.GetLength() > 3 && full.Right(1) == "\\")
            full = full.Left(full.GetLength() - 1);
        return full;
    }

    ProtectedFolders GetProtectedFolders() override { return protectedFolders; }
    CString GetCurrentFolder() override { return currentFolder; }

    // Succeeds for a drive root or a folder of the fake file system.
    bool SetCurrentFolder(const CString& path) override
    {
        const bool driveRoot = path.GetLength() == 3 && path.GetAt(1) == ':' && path.GetAt(2) == '\\';
        if (!driveRoot && !(Has(path) && entries_.at(Key(path)).folder))
            return false;
        Record("SetCurrentFolder " + path.str());
        currentFolder = path;
        return true;
    }

    bool DeleteFolderTree(const CString& path, bool quiet) override
    {
        Record("DeleteFolderTree " + path.str() + (quiet ? " quiet" : ""));
        const std::string prefix = Key(path) + "\\";
        for (auto it = entries_.begin(); it != entries_.end();) {
            if (it->first == Key(path) || it->first.compare(0, prefix.size(), prefix) == 0)
                it = entries_.erase(it);
            else
                ++it;
        }
        return deleteTreeResult;
    }

    void DeleteService(const CString& name) override { Record("DeleteService " + name.str()); }

    void DeleteRegistryValue(RegistryRoot root, const CString& keyPath, const CString& valueName) override
    {
        static const char* const Names[] = {"None", "ClassesRoot", "CurrentUser", "LocalMachine", "Users",
                                            "CurrentConfig"};
        Record("DeleteRegistryValue " + std::string(Names[static_cast<int>(root)]) + "|" + keyPath.str() + "|" +
               valueName.str());
    }

    void DeleteMachineKey(const CString& keyPath) override { Record("DeleteMachineKey " + keyPath.str()); }
    void OpenWebAddress(const CString& address) override { Record("OpenWebAddress " + address.str()); }

    void CallLibraryFunction(const CString& libraryPath, const CString& functionName) override
    {
        Record("CallLibraryFunction " + libraryPath.str() + "|" + functionName.str());
    }

    void RunProgramAndWait(const CString& programPath, const CString& commandLine) override
    {
        Record("RunProgramAndWait " + programPath.str() + "|" + commandLine.str());
    }

    CString ReadProfileText(const CString& path, const char* section, const char* key) override
    {
        auto found = profileTexts.find(path.str() + "|" + section + "|" + key);
        return found == profileTexts.end() ? CString() : found->second;
    }

private:
    static std::string Key(const CString& path)
    {
        CString key = path;
        return key.MakeUpper().str();
    }

    static bool Matches(const char* pattern, const char* name)
    {
        if (*pattern == '\0')
            return *name == '\0';
        if (*pattern == '*')
            return Matches(pattern + 1, name) || (*name != '\0' && Matches(pattern, name + 1));
        return *name != '\0' && (*pattern == '?' || *pattern == *name) && Matches(pattern + 1, name + 1);
    }

    int CountInside(const CString& folder) const
    {
        const std::string prefix = Key(folder) + "\\";
        int count = 0;
        for (const auto& entry : entries_) {
            if (entry.first.compare(0, prefix.size(), prefix) == 0)
                ++count;
        }
        return count;
    }

    void Record(std::string call) { events.push_back(std::move(call)); }

    std::map<std::string, Entry> entries_;
};

// Records what the engine reports into the system's event list, as
// "page range N", "page pos N" and "page status L text".
class FakeReporter : public RemovalReporter {
public:
    explicit FakeReporter(std::vector<std::string>& events) : events_(events) {}

    void SetProgressRange(int total) override { events_.push_back("page range " + std::to_string(total)); }
    void SetProgressPos(int position) override { events_.push_back("page pos " + std::to_string(position)); }
    void SetStatusText(const CString& text, int line) override
    {
        events_.push_back("page status " + std::to_string(line) + " " + text.str());
    }

private:
    std::vector<std::string>& events_;  // borrowed: the fake system's list
};

// The events of one side: what the page was told, or what the machine was asked.
inline std::vector<std::string> PageEvents(const std::vector<std::string>& events)
{
    std::vector<std::string> page;
    for (const std::string& event : events) {
        if (event.rfind("page ", 0) == 0)
            page.push_back(event);
    }
    return page;
}

inline std::vector<std::string> SystemCalls(const std::vector<std::string>& events)
{
    std::vector<std::string> calls;
    for (const std::string& event : events) {
        if (event.rfind("page ", 0) != 0)
            calls.push_back(event);
    }
    return calls;
}
