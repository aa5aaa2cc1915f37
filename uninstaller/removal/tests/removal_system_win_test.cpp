// The Win32 removal system against the real file system, registry and
// service manager (run under Wine in a throw-away prefix).
#include "uninstaller/removal/removal_system_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "uninstaller/removal/removal_report_win.h"
#include "uninstaller/removal/restart_scheduler.h"
#include "uninstaller/removal/tree_guard.h"
#include "tests/support/test_support_win.h"

namespace {

const char kProductFolder[] = "C:\\windows\\Installer\\{KELRUN-TESTS}\\";

using testsupport::ScratchFolder;
using testsupport::WriteFile;

bool Exists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST(RemovalSystemWinTest, TreeDeleteTakesReadOnlyHiddenAndNestedItems)
{
    ScratchFolder scratch("tree");
    const std::string root = scratch.Path() + "\\Product";
    ::CreateDirectoryA(root.c_str(), nullptr);
    ::CreateDirectoryA((root + "\\bin").c_str(), nullptr);
    ::CreateDirectoryA((root + "\\bin\\deep").c_str(), nullptr);
    WriteFile(root + "\\readme.txt", "r");
    WriteFile(root + "\\bin\\app.exe", "a");
    WriteFile(root + "\\bin\\deep\\locked.dat", "l");
    ::SetFileAttributesA((root + "\\readme.txt").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    ::SetFileAttributesA((root + "\\bin\\deep\\locked.dat").c_str(), FILE_ATTRIBUTE_READONLY);

    Win32RemovalSystem system;
    EXPECT_TRUE(system.DeleteFolderTree(CString(root), true));
    EXPECT_FALSE(Exists(root));
    EXPECT_TRUE(Exists(scratch.Path()));
}

TEST(RemovalSystemWinTest, LinkInsideTreeIsNeverFollowed)
{
    ScratchFolder scratch("links");
    const std::string outside = scratch.Path() + "\\Outside";
    const std::string root = scratch.Path() + "\\Product";
    ::CreateDirectoryA(outside.c_str(), nullptr);
    WriteFile(outside + "\\precious.txt", "keep me");
    ::CreateDirectoryA(root.c_str(), nullptr);
    ::CreateDirectoryA((root + "\\data").c_str(), nullptr);
    WriteFile(root + "\\data\\cache.bin", "c");
    ASSERT_TRUE(testsupport::MakeFolderLink(root + "\\data\\shared", outside));
    const DWORD linkAttributes = ::GetFileAttributesA((root + "\\data\\shared").c_str());
    ASSERT_NE(linkAttributes, INVALID_FILE_ATTRIBUTES);
    ASSERT_TRUE(linkAttributes & FILE_ATTRIBUTE_REPARSE_POINT);

    Win32RemovalSystem system;
    RestartScheduler scheduler(system);
    DeleteTree(system, CString(root), true, kProductFolder, scheduler);

    EXPECT_TRUE(Exists(outside + "\\precious.txt"));
    EXPECT_FALSE(Exists(root + "\\data\\cache.bin"));
    EXPECT_EQ(scheduler.ScheduledCount(), 0);
}

// A file held open without sharing cannot go now: the shell stops at it,
// kelrun finishes the tree bottom-up and has the file and every folder
// above it removed at the restart, children first. The rest goes at once.
TEST(RemovalSystemWinTest, TreeWithAFileInUseIsFinishedAndScheduledChildrenFirst)
{
    ScratchFolder scratch("held-tree");
    const std::string root = scratch.Path() + "\\Product";
    testsupport::MakeFolders(root + "\\bin\\x86");
    testsupport::MakeFolders(root + "\\docs");
    WriteFile(root + "\\docs\\readme.txt", "r");
    WriteFile(root + "\\bin\\app.exe", "a");
    const std::string held = root + "\\bin\\x86\\held.dll";
    WriteFile(held, "h");
    CFileHandle holder(::CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder.IsValid());

    Win32RemovalSystem system;
    RestartScheduler scheduler(system);
    std::vector<std::string> left;
    const RemovalOutcome outcome =
        DeleteTree(system, CString(root), true, kProductFolder, scheduler,
                   [&](const CString& path, const RemovalOutcome&) { left.push_back(path.str()); });
    const std::vector<std::string> pending = testsupport::PendingRemovals();
    testsupport::ForgetPendingRemovals(scratch.Path());

    EXPECT_EQ(outcome.result, RemovalResult::Scheduled);
    EXPECT_EQ(left, (std::vector<std::string>{held, root + "\\bin\\x86", root + "\\bin"}));
    std::vector<std::string> ours;
    for (const std::string& path : pending) {
        if (path.rfind(scratch.Path(), 0) == 0)
            ours.push_back(path);
    }
    EXPECT_EQ(ours, (std::vector<std::string>{held, root + "\\bin\\x86", root + "\\bin", root}));
    EXPECT_FALSE(Exists(root + "\\docs"));
    EXPECT_FALSE(Exists(root + "\\bin\\app.exe"));
    EXPECT_TRUE(Exists(held));
}

TEST(RemovalSystemWinTest, RemovalsReportTheSystemsError)
{
    ScratchFolder scratch("errors");
    const std::string file = scratch.Path() + "\\file.txt";
    const std::string folder = scratch.Path() + "\\folder";
    WriteFile(file, "f");
    testsupport::MakeFolders(folder);
    WriteFile(folder + "\\inside.txt", "i");

    Win32RemovalSystem system;
    {
        CFileHandle holder(::CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(holder.IsValid());
        EXPECT_EQ(system.RemoveFile(CString(file)), 32u);
    }
    EXPECT_EQ(system.RemoveFile(CString(file)), 0u);
    EXPECT_EQ(system.RemoveFile(CString(file)), 2u);
    EXPECT_EQ(system.RemoveEmptyFolder(CString(folder)), 145u);

    const std::vector<FolderEntry> entries = system.ListFolder(CString(folder));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, "inside.txt");
    EXPECT_EQ(entries[0].attributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_TRUE(system.ListFolder(CString(scratch.Path() + "\\missing")).empty());

    // The system's own words, as the report shows them.
    EXPECT_FALSE(system.ErrorText(32).IsEmpty());
}

TEST(RemovalSystemWinTest, SchedulingAtRestartLandsInPendingOperationsInOrder)
{
    ScratchFolder scratch("schedule");
    const std::string folder = scratch.Path() + "\\Product";
    const std::string file = folder + "\\held.dll";
    testsupport::MakeFolders(folder);
    WriteFile(file, "h");

    Win32RemovalSystem system;
    EXPECT_EQ(system.ScheduleRemovalAtRestart(CString(file)), 0u);
    EXPECT_EQ(system.ScheduleRemovalAtRestart(CString(folder)), 0u);
    std::vector<std::string> ours;
    for (const std::string& path : testsupport::PendingRemovals()) {
        if (path.rfind(scratch.Path(), 0) == 0)
            ours.push_back(path);
    }
    testsupport::ForgetPendingRemovals(scratch.Path());
    EXPECT_EQ(ours, (std::vector<std::string>{file, folder}));
    // Nothing goes before the restart.
    EXPECT_TRUE(Exists(file));
    for (const std::string& path : testsupport::PendingRemovals())
        EXPECT_NE(path.rfind(scratch.Path(), 0), 0u) << path;
}

// The report's file takes each line at once: another program reads it while
// kelrun still writes, and the next run of the product replaces it.
TEST(RemovalSystemWinTest, ReportFileIsReadableAsItGrowsAndReplacedByTheNextRun)
{
    ScratchFolder scratch("report");
    const std::string path = scratch.Path() + "\\kelrun {R}.log";
    {
        Win32ReportFile report{CString(path)};
        ASSERT_TRUE(report.IsOpen());
        report.WriteLine("first");
        EXPECT_EQ(testsupport::ReadFile(path), "first\r\n");
        report.WriteLine("second");
        EXPECT_EQ(testsupport::ReadFile(path), "first\r\nsecond\r\n");
    }
    {
        Win32ReportFile again{CString(path)};
        again.WriteLine("next run");
    }
    EXPECT_EQ(testsupport::ReadFile(path), "next run\r\n");

    // A folder that does not exist: nothing is written, and nothing fails.
    Win32ReportFile nowhere{CString(scratch.Path() + "\\missing\\kelrun.log")};
    EXPECT_FALSE(nowhere.IsOpen());
    nowhere.WriteLine("lost");
}

TEST(RemovalSystemWinTest, ReportPathIsTheProductsFileInTemp)
{
    testsupport::ScopedEnvironment temp("TEMP", "C:\\Some Temp");
    EXPECT_EQ(RemovalReportPath("{P}"), "C:\\Some Temp\\kelrun {P}.log");
    EXPECT_EQ(RemovalReportPath("..\\evil"), "C:\\Some Temp\\kelrun .._evil.log");
}

TEST(RemovalSystemWinTest, ProtectedFoldersNameWindowsProgramFilesAndProfiles)
{
    Win32RemovalSystem system;
    const ProtectedFolders folders = system.GetProtectedFolders();
    char windows[MAX_PATH] = {};
    ::GetWindowsDirectoryA(windows, MAX_PATH);

    auto isProtected = [&](const CString& path) {
        return !IsTreeRemovalAllowed(system.FullPath(path), folders, CString("C:\\windows\\Installer\\{X}\\"));
    };
    EXPECT_TRUE(isProtected(windows));
    EXPECT_TRUE(isProtected("C:\\"));
    EXPECT_TRUE(isProtected("C:\\Program Files"));
    EXPECT_TRUE(isProtected("c:\\program files\\"));
    EXPECT_TRUE(isProtected("C:\\Program Files (x86)"));
    EXPECT_TRUE(isProtected("C:\\ProgramData"));
    EXPECT_TRUE(isProtected("C:\\users"));
    EXPECT_TRUE(isProtected(folders.profileRoots.at(0) + "\\Public"));
    EXPECT_TRUE(isProtected(CString(windows) + "\\system32\\.."));
    // Nothing inside the Windows folder goes as a tree, named or not.
    EXPECT_TRUE(isProtected(CString(windows) + "\\system32\\drivers"));
    EXPECT_TRUE(isProtected(CString(windows) + "\\system32\\drivers\\"));
    EXPECT_TRUE(isProtected(CString(windows) + "\\Temp\\Some Product"));
    EXPECT_FALSE(isProtected("C:\\Program Files\\Some Product"));
    EXPECT_FALSE(isProtected("C:\\ProgramData\\Some Vendor\\Some Product"));
}

// The tree check reads folders by their wide names: a link inside a folder
// whose name the code page cannot spell is still found, never followed.
TEST(RemovalSystemWinTest, ALinkInsideAFolderTheCodePageCannotSpellIsFound)
{
    ScratchFolder scratch("wide");
    ScratchFolder outside("wide-outside");
    WriteFile(outside.Path() + "\\precious.txt", "keep");
    // The link is made under a plain name, which then takes the wide one.
    testsupport::MakeFolders(scratch.Path() + "\\plain");
    ASSERT_TRUE(testsupport::MakeFolderLink(scratch.Path() + "\\plain\\shared", outside.Path()));
    const std::wstring folder(scratch.Path().begin(), scratch.Path().end());
    ASSERT_TRUE(::MoveFileW((folder + L"\\plain").c_str(), (folder + L"\\\x03A9mega\x65E5").c_str()));
    Win32RemovalSystem system;
    RestartScheduler scheduler(system);
    DeleteTree(system, CString(scratch.Path()), true, kProductFolder, scheduler);
    EXPECT_TRUE(Exists(outside.Path() + "\\precious.txt"));
}

TEST(RemovalSystemWinTest, FullPathResolvesDotsSlashesAndShortNames)
{
    Win32RemovalSystem system;
    EXPECT_EQ(system.FullPath("C:/Program Files/./x/../"), "C:\\Program Files");
    EXPECT_EQ(system.FullPath("C:\\"), "C:\\");
    char shortName[MAX_PATH] = {};
    ASSERT_GT(::GetShortPathNameA("C:\\Program Files", shortName, MAX_PATH), 0u);
    EXPECT_EQ(system.FullPath(shortName), "C:\\Program Files") << shortName;
}

TEST(RemovalSystemWinTest, FileSearchFindsFilesAndFoldersOnly)
{
    ScratchFolder scratch("exists");
    WriteFile(scratch.Path() + "\\a.txt", "a");
    EXPECT_TRUE(FileSearchFinds(CString(scratch.Path() + "\\a.txt")));
    EXPECT_TRUE(FileSearchFinds(CString(scratch.Path())));
    EXPECT_FALSE(FileSearchFinds(CString(scratch.Path() + "\\")));
    EXPECT_FALSE(FileSearchFinds(CString(scratch.Path() + "\\*")));
    EXPECT_FALSE(FileSearchFinds(CString(scratch.Path() + "\\a.tx?")));
    EXPECT_FALSE(FileSearchFinds(CString()));
    EXPECT_FALSE(FileSearchFinds(CString(scratch.Path() + "\\missing")));
}

TEST(RemovalSystemWinTest, RegistryTextIsReadWholeAndNeverPastItsEnd)
{
    const char* key = "SOFTWARE\\KelrunTests\\Registry";
    testsupport::MachineKey machineKey(key);
    // Not zero-terminated: the reader must stop at the value's end.
    const char raw[4] = {'a', 'b', 'c', 'd'};
    ::RegSetValueExA(machineKey.Get(), "Raw", 0, REG_SZ, reinterpret_cast<const BYTE*>(raw), sizeof raw);
    const std::string longText(5000, 'L');
    ::RegSetValueExA(machineKey.Get(), "Long", 0, REG_SZ, reinterpret_cast<const BYTE*>(longText.c_str()),
                     static_cast<DWORD>(longText.size() + 1));
    ::RegSetValueExA(machineKey.Get(), "Binary", 0, REG_BINARY, reinterpret_cast<const BYTE*>("x\0y"), 3);

    EXPECT_EQ(ReadRegistryText(key, "Raw"), "abcd");
    EXPECT_EQ(ReadRegistryText(key, "Long").GetLength(), 5000);
    EXPECT_EQ(ReadRegistryText(key, "Binary"), "x");
    EXPECT_EQ(ReadRegistryText(key, "Missing"), "");
    EXPECT_EQ(ReadRegistryText("SOFTWARE\\KelrunTests\\NoSuchKey", "Raw"), "");
}

TEST(RemovalSystemWinTest, RegistryValueAndMachineKeyDeletion)
{
    const char* key = "SOFTWARE\\KelrunTests\\Values";
    testsupport::MachineKey machineKey(key);
    ::RegSetValueExA(machineKey.Get(), "Flag", 0, REG_SZ, reinterpret_cast<const BYTE*>("1"), 2);
    ::RegSetValueExA(machineKey.Get(), "", 0, REG_SZ, reinterpret_cast<const BYTE*>("d"), 2);
    ::RegSetValueExA(machineKey.Get(), "Other", 0, REG_SZ, reinterpret_cast<const BYTE*>("2"), 2);

    Win32RemovalSystem system;
    EXPECT_EQ(system.DeleteRegistryValue(RegistryRoot::LocalMachine, key, "Flag"), 0u);
    EXPECT_EQ(system.DeleteRegistryValue(RegistryRoot::LocalMachine, key, ""), 0u);
    EXPECT_EQ(system.DeleteRegistryValue(RegistryRoot::LocalMachine, key, "Flag"), 2u);
    EXPECT_FALSE(testsupport::ValueExists(HKEY_LOCAL_MACHINE, key, "Flag"));
    EXPECT_FALSE(testsupport::ValueExists(HKEY_LOCAL_MACHINE, key, ""));
    EXPECT_TRUE(testsupport::ValueExists(HKEY_LOCAL_MACHINE, key, "Other"));

    machineKey.Close();
    EXPECT_EQ(system.DeleteMachineKey(key), 0u);
    EXPECT_EQ(system.DeleteMachineKey(key), 2u);
    HKEY opened = nullptr;
    EXPECT_NE(::RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &opened), ERROR_SUCCESS);
}

TEST(RemovalSystemWinTest, ServiceIsDeletedFromTheServiceManager)
{
    const char* name = "KelrunTestService";
    ASSERT_TRUE(testsupport::CreateDemandService(name));
    Win32RemovalSystem system;
    system.DeleteService(name);
    EXPECT_FALSE(testsupport::ServiceExists(name));
    system.DeleteService("KelrunNoSuchService");  // a missing service is no failure
}

TEST(RemovalSystemWinTest, ProgramIsStartedWithItsCommandAndWaitedFor)
{
    ScratchFolder scratch("program");
    const std::string record = scratch.Path() + "\\record.txt";
    testsupport::ScopedEnvironment env("KELRUN_RECORD_FILE", record);
    Win32RemovalSystem system;
    const CString program = testsupport::HelperProgram("record_run.exe");

    system.RunProgramAndWait(program, "cleanup.exe /uninstall \"a b\"");
    system.RunProgramAndWait(program, "");
    system.RunProgramAndWait(CString(scratch.Path() + "\\missing.exe"), "x");

    // Waited for: both lines are there as soon as the calls return.
    const auto lines = testsupport::ReadLines(record);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].rfind("program|cleanup.exe /uninstall \"a b\"|", 0), 0u) << lines[0];
    // No command line at all: the system makes the program's own path its
    // command line (quoted where it quotes it), and nothing else.
    const std::string commandLine = lines[1].substr(0, lines[1].rfind('|'));
    const std::string path = program.GetString();
    EXPECT_TRUE(commandLine == "program|" + path || commandLine == "program|\"" + path + "\"") << lines[1];
}

TEST(RemovalSystemWinTest, LibraryExportGetsTheLibraryPathInA256ByteBuffer)
{
    ScratchFolder scratch("library");
    const std::string record = scratch.Path() + "\\record.txt";
    testsupport::ScopedEnvironment env("KELRUN_RECORD_FILE", record);
    Win32RemovalSystem system;
    const CString library = testsupport::HelperProgram("record_hook.dll");

    system.CallLibraryFunction(library, "UnregisterSample");
    system.CallLibraryFunction(library, "NoSuchExport");
    system.CallLibraryFunction(library, "ReportArgumentSize");

    // The export reports the size of the block it was handed, so a buffer
    // of 255 bytes or of the path's length alone fails here. (Paths longer
    // than 255 bytes cannot be loaded through the ANSI calls under Wine; the
    // buffer for them is checked where it is made, in LibraryArgument.)
    const auto lines = testsupport::ReadLines(record);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "library|" + std::string(library.GetString()));
    EXPECT_EQ(lines[1], "argument|256|" + std::string(library.GetString()));
}

// The log is read whole or not at all, and a failure says why.
TEST(RemovalSystemWinTest, ReadWholeFileReportsWhyAFileCannotBeRead)
{
    ScratchFolder scratch("read");
    const std::string file = scratch.Path() + "\\uninstall.log";
    const std::string text = "FILE=C:\\a\r\n" + std::string(200000, 'x') + "\r\nDIR=C:\\b";
    WriteFile(file, text);
    std::string contents;
    std::uint32_t error = 0;
    ASSERT_TRUE(ReadWholeFile(CString(file), &contents, &error));
    EXPECT_EQ(contents, text);

    WriteFile(scratch.Path() + "\\empty.log", "");
    EXPECT_TRUE(ReadWholeFile(CString(scratch.Path() + "\\empty.log"), &contents, &error));
    EXPECT_EQ(contents, "");

    const std::string folder = scratch.Path() + "\\folder.log";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    EXPECT_FALSE(ReadWholeFile(CString(folder), &contents, &error));
    EXPECT_EQ(error, static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));

    EXPECT_FALSE(ReadWholeFile(CString(scratch.Path() + "\\missing.log"), &contents, &error));
    EXPECT_EQ(error, static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));

    // Another program holds the log open and shares nothing.
    CFileHandle locked(::CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(locked);
    EXPECT_FALSE(ReadWholeFile(CString(file), &contents, &error));
    EXPECT_EQ(error, static_cast<std::uint32_t>(ERROR_SHARING_VIOLATION));
    EXPECT_FALSE(SystemErrorText(error).IsEmpty());
}

TEST(RemovalSystemWinTest, ProfileTextsOfAnyLength)
{
    ScratchFolder scratch("profile");
    const std::string file = scratch.Path() + "\\language.lan";
    const std::string longText(600, 'x');
    WriteFile(file, "[SetupProgress]\r\n10=Done.\r\n14=" + longText + "\r\n");
    EXPECT_EQ(ReadProfileText(CString(file), "SetupProgress", "10"), "Done.");
    EXPECT_EQ(ReadProfileText(CString(file), "SetupProgress", "14").GetLength(), 600);
    EXPECT_EQ(ReadProfileText(CString(file), "SetupProgress", "99"), "");
    EXPECT_EQ(ReadProfileText(CString(scratch.Path() + "\\none.lan"), "SetupProgress", "10"), "");
}

}  // namespace
