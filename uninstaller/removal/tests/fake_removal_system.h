// A recording stand-in for the machine: an in-memory file system with
// attributes, a current folder, registry and profile texts, and a log of
// every operation that changes something, in the order the engine asked.
// FakeReporter and FakeReportSink write into the same log, so one list holds
// the machine's changes, the page's reports and the removal report's lines
// in the one order they happened.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "framework/ascii_case.h"
#include "framework/cstring.h"
#include "uninstaller/removal/removal_report.h"
#include "uninstaller/removal/removal_system.h"

class FakeRemovalSystem : public RemovalSystem {
public:
    struct Entry {
        bool folder = false;
        std::uint32_t attributes = 0;
        std::string path;  // its real path, letter case kept
    };

    // The file system. Paths compare without regard to ASCII case.
    void AddFile(const CString& path, std::uint32_t attributes = 0)
    {
        entries_[Key(path)] = {false, attributes, Real(path)};
    }
    void AddFolder(const CString& path) { entries_[Key(path)] = {true, 0x10, Real(path)}; }
    // A link to a folder, as the system lists it. With a `target`, paths
    // below the link lead into the target, as they do on the system.
    void AddFolderLink(const CString& path, const CString& target = CString())
    {
        entries_[Key(path)] = {true, 0x10 | 0x400, Real(path)};
        if (!target.IsEmpty())
            redirects_[Key(path)] = target.str();
    }
    // Another name for a folder: a drive letter made with subst ("X:" for
    // "C:\Windows") or a short name ("C:\PROGRA~1").
    void AddAlias(const CString& alias, const CString& real) { redirects_[Key(alias)] = real.str(); }
    // A full path with the folders above it that are missing; a folder when
    // `folder` or when the path ends in "\".
    void AddPath(const CString& path, bool folder = false)
    {
        for (int slash = path.Find('\\', 3); slash > 0; slash = path.Find('\\', slash + 1)) {
            if (!Has(path.Left(slash)))
                AddFolder(path.Left(slash));
        }
        if (path.Right(1) != "\\" && !Has(path))
            folder ? AddFolder(path) : AddFile(path);
    }
    // A file that another program holds: deleting it fails with `error`.
    void HoldFile(const CString& path, std::uint32_t error = 32) { held_[Key(path)] = error; }
    // Folders that cannot be removed even when empty (the system's error).
    void HoldFolder(const CString& path, std::uint32_t error = 32) { held_[Key(path)] = error; }
    bool Has(const CString& path) const { return entries_.count(Key(path)) != 0; }
    std::uint32_t AttributesOf(const CString& path) const { return entries_.at(Key(path)).attributes; }
    const std::map<std::string, Entry>& Entries() const { return entries_; }
    // The key of the entry a full path names: its aliases and the links
    // above its last name resolved.
    std::string KeyOf(const CString& path) { return Key(FullPath(path)); }

    std::string logContents;
    std::uint32_t logReadError = 0;  // not 0: reading the log fails with this code
    CString logPath;  // the path the engine asked to read
    std::map<std::string, CString> profileTexts;  // "path|section|key" -> text
    ProtectedFolders protectedFolders;
    CString currentFolder = "C:\\";
    std::uint32_t scheduleError = 0;  // not 0: scheduling at restart fails with this code
    std::uint32_t linkRemovalError = 0;  // not 0: removing a link fails, as under Wine
    std::uint32_t serviceError = 0;  // what DeleteService, DeleteRegistryValue and
    std::uint32_t registryError = 0;  // DeleteMachineKey return
    std::uint32_t keyError = 0;
    // Every change and every report, in order. System calls read
    // "Operation argument..."; reports start with "page ".
    std::vector<std::string> events;
    int finalPathCalls = 0;

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

    // Like DeleteFile: a read-only file, a folder and a held file stay.
    std::uint32_t RemoveFile(const CString& path) override
    {
        Record("RemoveFile " + path.str());
        auto found = entries_.find(Key(path));
        if (found == entries_.end())
            return 2;
        if (found->second.folder || (found->second.attributes & 0x1) != 0)
            return 5;
        if (held_.count(Key(path)) != 0)
            return held_.at(Key(path));
        entries_.erase(found);
        return 0;
    }

    std::uint32_t RemoveEmptyFolder(const CString& path) override
    {
        Record("RemoveEmptyFolder " + path.str());
        auto found = entries_.find(Key(path));
        if (found == entries_.end())
            return 2;
        if (!found->second.folder)
            return 267;  // not a folder
        if (CountInside(path) != 0)
            return 145;
        if (held_.count(Key(path)) != 0)
            return held_.at(Key(path));
        entries_.erase(found);
        return 0;
    }

    std::uint32_t RemoveLink(const CString& path, std::uint32_t) override
    {
        Record("RemoveLink " + path.str());
        if (linkRemovalError != 0)
            return linkRemovalError;
        entries_.erase(Key(path));  // the link only; what it points to is elsewhere
        return 0;
    }

    // The entries right below a folder.
    std::vector<FolderEntry> ListFolder(const CString& path) override
    {
        std::vector<FolderEntry> entries;
        const std::string prefix = ToAsciiUpper(Resolve(path, true)) + "\\";
        for (const auto& entry : entries_) {
            if (entry.first.compare(0, prefix.size(), prefix) == 0 &&
                entry.first.find('\\', prefix.size()) == std::string::npos)
                entries.push_back(FolderEntry{CString(entry.second.path.substr(prefix.size())), entry.second.attributes});
        }
        return entries;
    }

    std::uint32_t ScheduleRemovalAtRestart(const CString& path) override
    {
        Record("ScheduleRemovalAtRestart " + path.str());
        return scheduleError;
    }

    CString ErrorText(std::uint32_t error) override { return "text of " + std::to_string(error); }

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

    // Every alias and link resolved, in the letter case the entry was made
    // with; empty when nothing is there.
    CString FinalPath(const CString& path) override
    {
        ++finalPathCalls;
        const auto found = entries_.find(ToAsciiUpper(FullPath(Resolve(FullPath(path), true)).view()));
        return found == entries_.end() ? CString() : CString(found->second.path);
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

    // Like the shell's delete under Wine: it takes what it can and stops at a
    // held file, leaving that file and the folders above it, and it follows
    // each link in the tree into the folder it leads to.
    bool DeleteFolderTree(const CString& path, bool quiet) override
    {
        Record("DeleteFolderTree " + path.str() + (quiet ? " quiet" : ""));
        const std::string prefix = Key(path) + "\\";
        bool complete = true;
        for (auto it = entries_.begin(); it != entries_.end();) {
            const bool inTree = it->first == Key(path) || it->first.compare(0, prefix.size(), prefix) == 0;
            if (inTree && (it->second.attributes & 0x400) != 0 && redirects_.count(it->first) != 0)
                DeleteFolderTree(redirects_.at(it->first), quiet);
            if (inTree && !HoldsHeld(it->first)) {
                it = entries_.erase(it);
            } else {
                complete = complete && !inTree;
                ++it;
            }
        }
        return complete;
    }

    std::uint32_t DeleteService(const CString& name) override
    {
        Record("DeleteService " + name.str());
        return serviceError;
    }

    std::uint32_t DeleteRegistryValue(RegistryRoot root, const CString& keyPath, const CString& valueName) override
    {
        static const char* const Names[] = {"None", "ClassesRoot", "CurrentUser", "LocalMachine", "Users",
                                            "CurrentConfig"};
        Record("DeleteRegistryValue " + std::string(Names[static_cast<int>(root)]) + "|" + keyPath.str() + "|" +
               valueName.str());
        return registryError;
    }

    std::uint32_t DeleteMachineKey(const CString& keyPath) override
    {
        Record("DeleteMachineKey " + keyPath.str());
        return keyError;
    }

    std::uint32_t OpenWebAddress(const CString& address) override
    {
        Record("OpenWebAddress " + address.str());
        return 0;
    }

    std::uint32_t CallLibraryFunction(const CString& libraryPath, const CString& functionName) override
    {
        Record("CallLibraryFunction " + libraryPath.str() + "|" + functionName.str());
        return 0;
    }

    std::uint32_t RunProgramAndWait(const CString& programPath, const CString& commandLine) override
    {
        Record("RunProgramAndWait " + programPath.str() + "|" + commandLine.str());
        return 0;
    }

    CString ReadProfileText(const CString& path, const char* section, const char* key) override
    {
        auto found = profileTexts.find(path.str() + "|" + section + "|" + key);
        return found == profileTexts.end() ? CString() : found->second;
    }

private:
    // The path with each alias or link above its last name (and at it too
    // when `followLast`) replaced by where it leads.
    std::string Resolve(const CString& path, bool followLast) const
    {
        std::string real;
        for (std::size_t start = 0, end = 0; end != std::string::npos; start = end + 1) {
            end = path.str().find('\\', start);
            real += (start != 0 ? "\\" : "") + path.str().substr(start, end - start);
            const auto found = redirects_.find(ToAsciiUpper(real));
            if (found != redirects_.end() && (end != std::string::npos || followLast))
                real = found->second;
        }
        return real;
    }
    std::string Real(const CString& path) const { return Resolve(path, false); }
    std::string Key(const CString& path) const { return ToAsciiUpper(Real(path)); }

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

    // The entry is a held file or a folder with one somewhere below it.
    bool HoldsHeld(const std::string& key) const
    {
        for (const auto& held : held_) {
            if (held.first == key || held.first.compare(0, key.size() + 1, key + "\\") == 0)
                return entries_.count(held.first) != 0;
        }
        return false;
    }

    void Record(std::string call) { events.push_back(std::move(call)); }

    std::map<std::string, Entry> entries_;
    std::map<std::string, std::uint32_t> held_;
    std::map<std::string, std::string> redirects_;  // where each alias and link leads, by its key
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

// Records the removal report's lines into the system's event list, as
// "report <line>".
class FakeReportSink : public ReportSink {
public:
    explicit FakeReportSink(std::vector<std::string>& events) : events_(events) {}
    void WriteLine(std::string_view line) override { events_.push_back("report " + std::string(line)); }

private:
    std::vector<std::string>& events_;  // borrowed: the fake system's list
};

// The events of one side: what the page was told, what the report says, or
// what the machine was asked.
inline std::vector<std::string> ReportLines(const std::vector<std::string>& events)
{
    std::vector<std::string> lines;
    for (const std::string& event : events) {
        if (event.rfind("report ", 0) == 0)
            lines.push_back(event.substr(7));
    }
    return lines;
}

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
        if (event.rfind("page ", 0) != 0 && event.rfind("report ", 0) != 0)
            calls.push_back(event);
    }
    return calls;
}

// What no product's removal may take from MachineWithOtherNames: the
// system's files, a user's own and what Windows keeps ("\" ends a folder).
inline const char* const kKeptPaths[] = {
    "C:\\Windows\\System32\\kernel32.dll", "C:\\Program Files\\Common\\shared.dll", "C:\\ProgramData\\",
    "C:\\Users\\bob\\Documents\\doc.txt", "C:\\Users\\bob\\AppData\\Local\\Microsoft\\cred.dat",
    "C:\\Users\\bob\\AppData\\Local\\Programs\\", "D:\\Profiles\\carol\\ntuser.dat", "C:\\Boot\\bcd",
};

// X: is the Windows folder under another drive letter, PROGRA~1 a short name,
// "C:\Documents and Settings" and C:\Linked links to C:\Users and D:\Real; the
// product C:\Apps\Sample holds a link out of its tree.
inline FakeRemovalSystem MachineWithOtherNames()
{
    FakeRemovalSystem system;
    for (const char* path : kKeptPaths)
        system.AddPath(path);
    for (const char* path : {"C:\\Apps\\Sample\\bin\\app.exe", "C:\\Users\\bob\\AppData\\Local\\Programs\\App\\a.exe",
                             "C:\\Other\\keep.txt", "D:\\Real\\App\\app.exe"})
        system.AddPath(path);
    system.AddFile("C:\\Apps\\Sample\\readme.txt", 0x1);
    system.AddAlias("X:", "C:\\Windows");
    system.AddAlias("C:\\PROGRA~1", "C:\\Program Files");
    system.AddAlias("C:\\Users\\bob\\AppData\\Local\\PROGRA~1", "C:\\Users\\bob\\AppData\\Local\\Programs");
    system.AddFolderLink("C:\\Documents and Settings", "C:\\Users");
    system.AddFolderLink("C:\\Linked", "D:\\Real");
    system.AddFolderLink("C:\\Apps\\Sample\\shared", "C:\\Other");
    // Folders, whole trees, profiles folders and profiles, named either way.
    system.protectedFolders = {{"C:\\PROGRA~1", "C:\\ProgramData"}, {"C:\\Windows"}, {"C:\\Users"},
                               {"D:\\Profiles\\carol"}};
    return system;
}
