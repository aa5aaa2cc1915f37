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
    folders.profilesRoot = "C:\\Users\\";
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
    FakeRemovalSystem system = MachineWithFolders();
};

TEST_F(DeleteTreeTest, RemovesTheResolvedPathQuietlyOrNot)
{
    EXPECT_TRUE(DeleteTree(system, "C:/Apps/Sample/", true, ProductFolder));
    EXPECT_EQ(system.events, std::vector<std::string>{"DeleteFolderTree C:\\Apps\\Sample quiet"});
    EXPECT_FALSE(system.Has("C:\\Apps\\Sample\\bin\\app.exe"));
    EXPECT_TRUE(system.Has("C:\\Other"));

    system.events.clear();
    system.deleteTreeResult = false;
    EXPECT_FALSE(DeleteTree(system, "C:\\Other", false, ProductFolder));
    EXPECT_EQ(system.events, std::vector<std::string>{"DeleteFolderTree C:\\Other"});
}

TEST_F(DeleteTreeTest, ARefusedTreeIsLeftAloneAndTheCurrentFolderKept)
{
    system.currentFolder = "C:\\Windows";  // "Other" would resolve to C:\Windows\Other
    for (const char* path : {"C:\\Windows\\", "C:\\", "C:\\Users\\bob", ProductFolder, "C:\\Apps\\*", "",
                             "Other", "\\Other"}) {
        EXPECT_FALSE(DeleteTree(system, path, true, ProductFolder)) << path;
    }
    EXPECT_TRUE(system.events.empty());
    EXPECT_EQ(system.currentFolder, "C:\\Windows");
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
        machine.currentFolder = c.current;
        DeleteTree(machine, c.tree, true, ProductFolder);
        EXPECT_EQ(machine.currentFolder, c.after);
        ASSERT_FALSE(machine.events.empty());
        EXPECT_EQ(machine.events.back(), "DeleteFolderTree " + std::string(c.tree) + " quiet");
    }
}

}  // namespace
