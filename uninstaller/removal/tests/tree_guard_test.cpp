#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "uninstaller/removal/tests/fake_removal_system.h"
#include "uninstaller/removal/tree_guard.h"

namespace {

const char* const ProductFolder = "C:\\Windows\\Installer\\{P}\\";

ProtectedFolders MachineFolders()
{
    ProtectedFolders folders;
    folders.folders = {"C:\\Windows", "C:\\Windows\\System32", "C:\\Program Files\\", "C:\\ProgramData",
                       "D:\\Shared\\Program Files", ""};
    folders.wholeTrees = {"C:\\Windows\\", ""};
    folders.profileRoots = {"C:\\Users\\"};
    return folders;
}

TEST(IsDriveRoot, AcceptsOnlyLetterColonAndAnOptionalBackslash)
{
    for (const char* root : {"C:", "c:\\", "Z:\\", "a:"})
        EXPECT_TRUE(IsDriveRoot(root)) << root;
    for (const char* other : {"", "C", "C:\\x", "1:\\", "::\\", "C:/", "\\\\", "C:\\\\"})
        EXPECT_FALSE(IsDriveRoot(other)) << other;
}

TEST(IsProperAncestor, NeedsABackslashRightAfterTheAncestor)
{
    const struct {
        const char* ancestor;
        const char* path;
        bool result;
    } cases[] = {
        {"C:\\Apps", "c:\\APPS\\Sample", true},
        {"C:\\Apps", "C:\\Apps\\x", true},
        {"C:\\Apps", "C:\\AppsX\\y", false},
        {"C:\\Apps", "C:\\Apps\\", false},  // only one character longer
        {"C:\\Apps", "C:\\Apps", false},
        {"C:\\", "C:\\Apps", false},  // the root's own backslash is not followed by another
        {"D:\\Apps", "C:\\Apps\\x", false},
        {"C:\\Apps\\Sample", "C:\\Apps", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.ancestor) + " / " + c.path);
        EXPECT_EQ(IsProperAncestor(c.ancestor, c.path), c.result);
    }
}

TEST(IsTreeRemovalAllowed, AllowsAnOrdinaryInstallationFolder)
{
    for (const char* path : {"C:\\Program Files\\Sample", "c:\\program files\\sample\\bin", "C:\\Sample",
                             "D:\\Apps\\Sample", "\\\\server\\share\\apps\\sample",
                             "C:\\Users\\bob\\AppData\\Local\\Sample", "C:\\WindowsApps\\Sample",
                             "D:\\Windows\\Sample", "D:\\Shared\\Program Files\\Sample"}) {
        EXPECT_TRUE(IsTreeRemovalAllowed(path, MachineFolders(), ProductFolder)) << path;
    }
}

TEST(IsTreeRemovalAllowed, RefusesRootsAndPathsThatAreNotFull)
{
    for (const char* path : {"", "C:", "C:\\", "c:\\\\", "\\\\server\\share", "\\\\server\\share\\", "\\\\server",
                             "\\\\", "Sample", "C:Sample", "\\Sample", "C:\\Apps\\..\\Windows", "C:\\Apps\\.",
                             "\\\\.\\C:\\Sample", "\\\\localhost\\C$\\Sample"}) {
        EXPECT_FALSE(IsTreeRemovalAllowed(path, MachineFolders(), ProductFolder)) << path;
    }
}

TEST(IsTreeRemovalAllowed, RefusesWildcardsWhichTheShellWouldExpand)
{
    for (const char* path : {"C:\\*", "C:\\Apps\\*", "C:\\Apps\\Sampl?", "\\\\?\\C:\\Apps\\Sample"})
        EXPECT_FALSE(IsTreeRemovalAllowed(path, MachineFolders(), ProductFolder)) << path;
}

TEST(IsTreeRemovalAllowed, RefusesProtectedFoldersAndWhatHoldsThem)
{
    for (const char* path : {"C:\\Windows", "c:\\WINDOWS\\", "C:/Windows", "C:\\Windows.", "C:\\Windows\\\\System32",
                             "C:\\Program Files", "C:\\ProgramData\\", "D:\\Shared", "C:\\Users", "C:\\Users\\bob",
                             "C:\\USERS\\Bob\\", "C:\\Windows\\Installer", "C:\\Windows\\Installer\\{P}",
                             "C:\\Windows\\Installer\\{p}\\theme"}) {
        EXPECT_FALSE(IsTreeRemovalAllowed(path, MachineFolders(), ProductFolder)) << path;
    }
}

// The system's own folders below Windows carry no protected name each, yet
// none of them is a product's to take.
TEST(IsTreeRemovalAllowed, RefusesEveryFolderInsideTheWindowsFolder)
{
    ProtectedFolders windowsOnly;
    windowsOnly.wholeTrees = {"C:\\Windows"};
    for (const char* path : {"C:\\Windows\\System32\\drivers", "c:\\windows\\system32\\DRIVERS\\",
                             "C:\\Windows\\Temp\\Sample", "C:\\Windows.\\Help", "C:\\Windows\\a\\b\\c",
                             "C:\\Windows", "C:\\"}) {
        EXPECT_FALSE(IsTreeRemovalAllowed(path, windowsOnly, ProductFolder)) << path;
        EXPECT_FALSE(IsTreeRemovalAllowed(path, MachineFolders(), ProductFolder)) << path;
    }
    for (const char* path : {"C:\\Windows2\\Sample", "C:\\Apps\\Windows", "D:\\Windows\\System32"})
        EXPECT_TRUE(IsTreeRemovalAllowed(path, windowsOnly, ProductFolder)) << path;
}

TEST(IsFullPath, NeedsADriveOrAShareAndANameBelowIt)
{
    const struct {
        const char* path;
        bool full;
    } cases[] = {
        {"C:\\Apps\\app.exe", true},
        {"z:\\a", true},
        {"C:\\Apps\\", true},
        {"\\\\server\\share\\app.exe", true},
        {"\\\\server\\share\\dir\\", true},
        {"", false},
        {"app.exe", false},
        {"bin\\app.exe", false},
        {"C:", false},             // the current folder of drive C
        {"C:app.exe", false},      // relative to drive C's current folder
        {"C:\\", false},           // the root names no file
        {"C:\\\\", false},
        {"C:/Apps/app.exe", false},  // "/" is no separator in the log
        {"\\app.exe", false},      // the current drive's root
        {"1:\\app.exe", false},
        {"\\\\server", false},
        {"\\\\server\\", false},
        {"\\\\server\\share", false},
        {"\\\\server\\share\\", false},
        {"\\\\server\\share\\\\", false},
        {"\\\\\\share\\app.exe", false},
        {"\\\\server\\\\app.exe", false},
        {"\\\\?\\C:\\Apps\\app.exe", false},
        {"\\\\.\\C:\\Apps\\app.exe", false},
        {"//server/share/app.exe", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsFullPath(c.path), c.full) << c.path;
}

TEST(IsTreeRemovalAllowed, RefusesPathsTooLongForTheShellInsteadOfCuttingThem)
{
    const CString folder = "C:\\Apps\\";
    const CString longest = folder + std::string(259 - folder.GetLength(), 'x');
    EXPECT_TRUE(IsTreeRemovalAllowed(longest, MachineFolders(), ProductFolder));
    EXPECT_FALSE(IsTreeRemovalAllowed(longest + "x", MachineFolders(), ProductFolder));
}

// C:\Apps\Sample\bin\x86 with a file in bin, a few folders beside it, one on
// drive D and a share.
FakeRemovalSystem MachineWithFolders()
{
    FakeRemovalSystem system;
    system.protectedFolders = MachineFolders();
    for (const char* folder : {"C:\\Apps", "C:\\Apps\\Sample", "C:\\Apps\\Sample\\bin", "C:\\Apps\\Sample\\bin\\x86",
                               "C:\\Other", "C:\\Other\\x", "C:\\Sample", "C:\\Sample\\bin", "C:\\Windows", "D:\\Work",
                               "\\\\server\\share"})
        system.AddFolder(folder);
    system.AddFile("C:\\Apps\\Sample\\bin\\app.exe");
    return system;
}

class DeleteTreeTest : public ::testing::Test {
protected:
    RemovalOutcome Delete(const CString& path, bool quiet = true)
    {
        return DeleteTree(system, path, quiet, ProductFolder, scheduler,
                          [this](const CString& item, const RemovalOutcome& outcome) {
                              itemsLeft.push_back(item.str() + " " + std::to_string(static_cast<int>(outcome.result)));
                          });
    }
    std::vector<std::string> Scheduled() const
    {
        std::vector<std::string> scheduled;
        for (const std::string& event : system.events) {
            if (event.rfind("ScheduleRemovalAtRestart ", 0) == 0)
                scheduled.push_back(event.substr(25));
        }
        return scheduled;
    }

    FakeRemovalSystem system = MachineWithFolders();
    RestartScheduler scheduler{system};
    std::vector<std::string> itemsLeft;
};

std::string Left(const char* path, RemovalResult result)
{
    return std::string(path) + " " + std::to_string(static_cast<int>(result));
}

TEST_F(DeleteTreeTest, RemovesTheResolvedPathQuietlyOrNot)
{
    EXPECT_EQ(Delete("C:/Apps/Sample/").result, RemovalResult::Removed);
    EXPECT_EQ(system.events, std::vector<std::string>{"DeleteFolderTree C:\\Apps\\Sample quiet"});
    EXPECT_FALSE(system.Has("C:\\Apps\\Sample\\bin\\app.exe"));
    EXPECT_TRUE(system.Has("C:\\Other"));

    system.events.clear();
    EXPECT_EQ(Delete("C:\\Other", false).result, RemovalResult::Removed);
    EXPECT_EQ(system.events, std::vector<std::string>{"DeleteFolderTree C:\\Other"});

    // A folder that is not there is already gone; nothing is asked of the shell.
    system.events.clear();
    EXPECT_EQ(Delete("C:\\Apps\\Missing").result, RemovalResult::AlreadyGone);
    EXPECT_TRUE(system.events.empty());
}

TEST_F(DeleteTreeTest, ARefusedTreeIsLeftAloneAndTheReasonGiven)
{
    system.currentFolder = "C:\\Windows";  // "Other" would resolve to C:\Windows\Other
    const struct {
        const char* path;
        const char* reason;
    } cases[] = {
        {"C:\\Windows\\", "a system or user folder, or holds one: C:\\Windows"},
        {"C:\\Windows\\Fonts", "the Windows folder, inside it or holding it: C:\\Windows\\"},
        {"C:\\", "a drive or share root"},
        {"\\\\server\\share", "a drive or share root"},
        {"C:\\Users\\bob", "a user's profile"},
        {"C:\\Users", "the users' profiles folder, or holds it: C:\\Users\\"},
        {"C:\\Apps\\Sample\\..\\..\\Program Files", "not a full path"},
        {"C:\\Program Files", "a system or user folder, or holds one: C:\\Program Files\\"},
        {ProductFolder, "the Windows folder, inside it or holding it: C:\\Windows\\"},
        {"C:\\Apps\\*", "holds wildcards"},
        {"", "no folder named"},
        {"Other", "not a full path"},
        {"\\Other", "not a full path"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const RemovalOutcome outcome = Delete(c.path);
        EXPECT_EQ(outcome.result, RemovalResult::Refused);
        EXPECT_EQ(outcome.detail, c.reason);
    }
    EXPECT_TRUE(system.events.empty());
    EXPECT_EQ(system.currentFolder, "C:\\Windows");
}

TEST_F(DeleteTreeTest, TheProductFolderIsRefusedWhereverItLies)
{
    const CString productFolder = "D:\\Data\\Uninstall\\{P}\\";
    for (const char* path : {"D:\\Data\\Uninstall\\{P}", "D:\\Data", "D:\\Data\\Uninstall\\{P}\\theme"}) {
        SCOPED_TRACE(path);
        system.AddFolder(path);
        const RemovalOutcome outcome = DeleteTree(system, path, true, productFolder, scheduler);
        EXPECT_EQ(outcome.result, RemovalResult::Refused);
        EXPECT_EQ(outcome.detail, "the product's folder of uninstall data, inside it or holding it: " +
                                      productFolder.str());
    }
    EXPECT_TRUE(SystemCalls(system.events).empty());
}

// The shell stops at a file in use. What it left goes bottom-up: the file
// is scheduled, then each folder that now holds only scheduled things,
// children before parents, so that after the restart nothing is left.
TEST_F(DeleteTreeTest, AFileInUseIsScheduledWithItsFoldersChildrenFirst)
{
    system.AddFolder("C:\\Apps\\Sample\\data");
    system.AddFile("C:\\Apps\\Sample\\data\\notes.txt");
    system.AddFile("C:\\Apps\\Sample\\bin\\x86\\locked.dll", 0x1);
    system.HoldFile("C:\\Apps\\Sample\\bin\\x86\\locked.dll");

    const RemovalOutcome outcome = Delete("C:\\Apps\\Sample");
    EXPECT_EQ(outcome.result, RemovalResult::Scheduled);
    EXPECT_EQ(outcome.error, 145u);
    EXPECT_EQ(Scheduled(), (std::vector<std::string>{"C:\\Apps\\Sample\\bin\\x86\\locked.dll",
                                                     "C:\\Apps\\Sample\\bin\\x86", "C:\\Apps\\Sample\\bin",
                                                     "C:\\Apps\\Sample"}));
    // What the shell could take went at once, read-only or not.
    EXPECT_FALSE(system.Has("C:\\Apps\\Sample\\data"));
    EXPECT_FALSE(system.Has("C:\\Apps\\Sample\\bin\\app.exe"));
    EXPECT_EQ(itemsLeft, (std::vector<std::string>{Left("C:\\Apps\\Sample\\bin\\x86\\locked.dll", RemovalResult::Scheduled),
                                                   Left("C:\\Apps\\Sample\\bin\\x86", RemovalResult::Scheduled),
                                                   Left("C:\\Apps\\Sample\\bin", RemovalResult::Scheduled)}));
    EXPECT_EQ(scheduler.ScheduledCount(), 4);
}

// When the system will not schedule the file, the folders above it would
// not go at the restart either: none of them is scheduled.
TEST_F(DeleteTreeTest, WhatCannotBeScheduledKeepsItsFoldersUnscheduled)
{
    system.HoldFile("C:\\Apps\\Sample\\bin\\app.exe", 5);
    system.scheduleError = 5;
    const RemovalOutcome outcome = Delete("C:\\Apps\\Sample");
    EXPECT_EQ(outcome.result, RemovalResult::Failed);
    EXPECT_EQ(outcome.error, 145u);
    EXPECT_EQ(Scheduled(), std::vector<std::string>{"C:\\Apps\\Sample\\bin\\app.exe"});
    EXPECT_EQ(scheduler.ScheduledCount(), 0);
    EXPECT_EQ(itemsLeft, (std::vector<std::string>{Left("C:\\Apps\\Sample\\bin\\app.exe", RemovalResult::Failed),
                                                   Left("C:\\Apps\\Sample\\bin", RemovalResult::Failed)}));
    EXPECT_TRUE(system.Has("C:\\Apps\\Sample\\bin\\app.exe"));
}

// The shell's delete may follow a link out of the tree, so a tree that
// holds one is never handed to it: kelrun deletes bottom-up and removes
// the link itself.
TEST_F(DeleteTreeTest, ATreeWithALinkGoesBottomUpAndNeverThroughTheShell)
{
    system.AddFolderLink("C:\\Apps\\Sample\\bin\\shared");
    EXPECT_EQ(Delete("C:\\Apps\\Sample").result, RemovalResult::Removed);
    for (const std::string& event : system.events)
        EXPECT_EQ(event.rfind("DeleteFolderTree", 0), std::string::npos) << event;
    EXPECT_EQ(system.events, (std::vector<std::string>{
                                 "RemoveFile C:\\Apps\\Sample\\bin\\app.exe",
                                 "RemoveLink C:\\Apps\\Sample\\bin\\shared",
                                 "RemoveEmptyFolder C:\\Apps\\Sample\\bin\\x86",
                                 "RemoveEmptyFolder C:\\Apps\\Sample\\bin",
                                 "RemoveEmptyFolder C:\\Apps\\Sample",
                             }));
    EXPECT_FALSE(system.Has("C:\\Apps\\Sample"));
}

// Under Wine a folder link cannot be removed: it stays, the folders that
// hold it stay, and nothing is scheduled for them.
TEST_F(DeleteTreeTest, ALinkThatCannotBeRemovedIsLeftAndNothingAboveItScheduled)
{
    system.AddFolderLink("C:\\Apps\\Sample\\shared");
    system.linkRemovalError = 145;
    const RemovalOutcome outcome = Delete("C:\\Apps\\Sample");
    EXPECT_EQ(outcome.result, RemovalResult::Failed);
    EXPECT_TRUE(Scheduled().empty());
    EXPECT_EQ(itemsLeft, std::vector<std::string>{Left("C:\\Apps\\Sample\\shared", RemovalResult::Failed)});
    EXPECT_TRUE(system.Has("C:\\Apps\\Sample\\shared"));

    // The tree itself a link: removed as a link, never emptied.
    system.events.clear();
    system.linkRemovalError = 0;
    system.AddFolderLink("C:\\Apps\\Linked");
    system.AddFile("C:\\Apps\\Linked\\target-file.txt");
    EXPECT_EQ(Delete("C:\\Apps\\Linked").result, RemovalResult::Removed);
    EXPECT_EQ(system.events, std::vector<std::string>{"RemoveLink C:\\Apps\\Linked"});
}

TEST(DeleteTree, MovesTheCurrentFolderOutOfTheTree)
{
    const struct {
        const char* current;
        const char* tree;
        const char* after;
    } cases[] = {
        {"C:\\Apps\\Sample\\bin\\x86", "C:\\Apps\\Sample", "C:\\Apps"},
        {"C:\\Apps\\Sample", "C:\\Apps\\Sample", "C:\\Apps"},
        // One level below the root: "C:" alone would be no folder at all.
        {"C:\\Sample\\bin", "C:\\Sample", "C:\\"},
        {"C:\\Sample", "C:\\Sample", "C:\\"},
        // Outside the tree the climb ends one level below the root.
        {"C:\\Other\\x", "C:\\Apps\\Sample", "C:\\Other"},
        {"C:\\Apps", "C:\\Apps\\Sample", "C:\\Apps"},
        {"D:\\Work", "C:\\Sample", "D:\\Work"},
        {"C:\\", "C:\\Sample", "C:\\"},
        // \\server cannot be made current; the climb must still end.
        {"\\\\server\\share", "C:\\Sample", "\\\\server\\share"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.current) + " / " + c.tree);
        FakeRemovalSystem machine = MachineWithFolders();
        RestartScheduler scheduler(machine);
        machine.currentFolder = c.current;
        DeleteTree(machine, c.tree, true, ProductFolder, scheduler);
        EXPECT_EQ(machine.currentFolder, c.after);
        ASSERT_FALSE(machine.events.empty());
        EXPECT_EQ(machine.events.back(), "DeleteFolderTree " + std::string(c.tree) + " quiet");
    }
}

// A profile and all in it stay but for the per-user products below AppData
// (and even there what Windows keeps); so do the profiles the system lists
// wherever they lie, and what Windows keeps at the root of every drive.
TEST(IsTreeRemovalAllowed, ProfilesAndSystemRootsStay)
{
    ProtectedFolders folders = MachineFolders();
    folders.profiles = {"D:\\Roaming Profiles\\carol"};
    for (const char* path :
         {"C:\\Users\\alice\\Documents", "C:\\Users\\alice\\Documents\\App", "C:\\Users\\Public\\Desktop\\App",
          "C:\\Users\\alice\\AppData", "C:\\Users\\alice\\AppData\\Local.", "C:\\Users\\alice\\AppData\\Other\\App",
          "C:\\Users\\alice\\AppData\\Local\\Programs", "C:\\Users\\alice\\AppData\\Local\\Programs\\Common",
          "C:\\Users\\alice\\AppData\\Local\\Temp", "C:\\Users\\alice\\AppData\\Roaming\\Microsoft\\Windows",
          "D:\\Roaming Profiles", "D:\\Roaming Profiles\\carol", "D:\\Roaming Profiles\\carol\\Favorites", "C:\\Boot",
          "E:\\Recovery\\x", "d:\\system volume information", "C:\\$Recycle.Bin\\S-1-5-21"})
        EXPECT_FALSE(IsTreeRemovalAllowed(path, folders, ProductFolder)) << path;
    for (const char* path :
         {"C:\\Users\\alice\\AppData\\Local\\Programs\\App", "C:\\Users\\alice\\AppData\\Local\\Vendor\\App",
          "c:\\users\\alice\\appdata\\locallow\\vendor", "D:\\Roaming Profiles\\carol\\AppData\\Roaming\\Vendor",
          "D:\\Roaming Profiles\\dave", "C:\\Apps\\Boot", "\\\\server\\share\\Recovery"})
        EXPECT_TRUE(IsTreeRemovalAllowed(path, folders, ProductFolder)) << path;
}

// Another drive letter, a link above a profile, a short name or another
// letter case lead to the folder the file system names, for the tree and the
// protected folders alike, asked once each and never for each item. A
// product behind a link goes and the link stays; one in a tree is not followed.
TEST(DeleteTree, JudgesTheFolderAPathLeadsToNotItsSpelling)
{
    const struct {
        const char* path;
        bool refused;
    } cases[] = {{"X:\\System32", true}, {"x:\\system32\\", true}, {"C:\\Documents and Settings\\bob", true},
                 {"C:\\documents and settings\\BOB\\AppData\\Local", true},
                 {"C:\\Users\\bob\\AppData\\Local\\PROGRA~1", true}, {"c:\\program files", true},
                 {"C:\\Documents and Settings\\bob\\AppData\\Local\\Programs\\App", false},
                 {"C:\\Linked\\App", false}, {"C:\\Apps\\Sample", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        FakeRemovalSystem system = MachineWithOtherNames();
        RestartScheduler scheduler(system);
        const RemovalOutcome outcome = DeleteTree(system, c.path, true, ProductFolder, scheduler);
        EXPECT_EQ(outcome.result, c.refused ? RemovalResult::Refused : RemovalResult::Removed) << outcome.detail.str();
        EXPECT_EQ(SystemCalls(system.events).empty(), c.refused);
        EXPECT_LE(system.finalPathCalls, 7);
        EXPECT_TRUE(system.Has("C:\\Linked") && system.Has("D:\\Real") && system.Has("C:\\Other\\keep.txt"));
    }
}

}  // namespace
