#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "uninstaller/removal/removal_worker.h"
#include "uninstaller/removal/tests/fake_removal_system.h"

namespace {

using Calls = std::vector<std::string>;

const char* const KeyPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{P}";
const char* const LanguageFile = "C:\\Windows\\Installer\\{P}\\language.lan";

class RemovalWorkerTest : public ::testing::Test {
protected:
    RemovalWorkerTest()
    {
        product.ProductCode = "{P}";
        product.InstallFolder = "C:\\Apps\\Sample\\";
        product.UninstallKeyPath = KeyPath;
        product.ProductFolder = "C:\\Windows\\Installer\\{P}\\";
        product.UninstallLogPath = "C:\\Windows\\Installer\\{P}\\uninstall.log";
        product.LanguageFilePath = LanguageFile;
        system.protectedFolders.folders = {"C:\\Windows", "C:\\Program Files"};
        system.protectedFolders.profileRoots = {"C:\\Users"};
        system.profileTexts[std::string(LanguageFile) + "|SetupProgress|10"] = "Done.";
        system.AddFolder("C:\\Apps");
        system.AddFolder("C:\\Apps\\Sample");
    }

    // Runs a whole removal over `log` and returns every event of the run,
    // the machine's and the page's, in the order they happened.
    Calls RunEvents(const std::string& log, RemovalReporter* reporter)
    {
        system.events.clear();
        system.logContents = log;
        RemovalWorker worker(system, product, reporter, &report);
        EXPECT_EQ(worker.RunRemoval(), 0);
        counter = worker.FileCounter;
        folderCount = worker.FolderCount;
        logUnreadable = worker.LogUnreadable;
        logReadError = worker.LogReadError;
        restartRequired = worker.RestartRequired;
        return system.events;
    }
    Calls RunEvents(const std::string& log) { return RunEvents(log, &page); }

    // The calls the engine made on the machine, without the Uninstall key
    // deletion that ends every run.
    Calls Run(const std::string& log, RemovalReporter* reporter)
    {
        Calls calls = SystemCalls(RunEvents(log, reporter));
        if (!calls.empty() && calls.back() == "DeleteMachineKey " + std::string(KeyPath))
            calls.pop_back();
        return calls;
    }
    Calls Run(const std::string& log) { return Run(log, &page); }

    // What the run scheduled for the restart, in order.
    Calls Scheduled() const
    {
        Calls scheduled;
        for (const std::string& event : system.events) {
            if (event.rfind("ScheduleRemovalAtRestart ", 0) == 0)
                scheduled.push_back(event.substr(25));
        }
        return scheduled;
    }

    FakeRemovalSystem system;
    FakeReporter page{system.events};
    FakeReportSink reportSink{system.events};
    RemovalReport report{reportSink, [](std::uint32_t error) { return CString("text of " + std::to_string(error)); }};
    ProductValues product;
    int counter = 0;
    int folderCount = 0;
    bool logUnreadable = false;
    std::uint32_t logReadError = 0;
    bool restartRequired = false;
};

TEST_F(RemovalWorkerTest, HandlesEveryRecordKindInLogOrderThenTheEndSteps)
{
    system.AddFile("C:\\Apps\\Sample\\app.exe", 0x1 | 0x2);
    system.AddFile("C:\\Apps\\Sample\\readme.txt", 0x20);
    system.AddFolder("C:\\Apps\\Sample\\data");
    system.AddFile("C:\\Apps\\Sample\\cleanup.exe");
    system.currentFolder = "C:\\Apps\\Sample";
    const std::string log =
        "TOTALFILE=3\r\n"
        "FILE=C:\\Apps\\Sample\\app.exe\r\n"
        "SHORTCUT=C:\\Users\\Public\\Desktop\\Sample.lnk\r\n"
        "FILE=C:\\Apps\\Sample\\readme.txt\r\n"
        "NTSERVICE=SampleService\r\n"
        "REGVAL=HKEY_CURRENT_USER\\Software\\Sample\\LastRun\r\n"
        "RUN3RD=cleanup.exe\r\n"
        "RUN3RDCMD=/all\r\n"
        "DIR=C:\\Apps\\Sample\\\r\n"
        "DIR=C:\\Apps\\Sample\\data\r\n"
        "REMOVEALL=1\r\n"
        "UNKNOWN=C:\\Apps\r\n";

    // Each file is gone before the bar moves past it; the Uninstall key goes
    // after every removal and before the final status and position. The
    // report's line for each step follows the step at once.
    const Calls expected = {
        "page status 0 Removing Files...",
        "page range 3",
        "SetAttributes C:\\Apps\\Sample\\app.exe 0",
        "RemoveFile C:\\Apps\\Sample\\app.exe",
        "report FILE C:\\Apps\\Sample\\app.exe: removed",
        "page pos 0",
        "RemoveFile C:\\Users\\Public\\Desktop\\Sample.lnk",
        "report SHORTCUT C:\\Users\\Public\\Desktop\\Sample.lnk: already gone",
        "page pos 1",
        "RemoveFile C:\\Apps\\Sample\\readme.txt",
        "report FILE C:\\Apps\\Sample\\readme.txt: removed",
        "page pos 2",
        "DeleteService SampleService",
        "report NTSERVICE SampleService: removed",
        "DeleteRegistryValue CurrentUser|Software\\Sample|LastRun",
        "report REGVAL HKEY_CURRENT_USER\\Software\\Sample\\LastRun: removed",
        "RunProgramAndWait C:\\Apps\\Sample\\cleanup.exe|/all",
        "report RUN3RDCMD /all: ran C:\\Apps\\Sample\\cleanup.exe",
        "RemoveEmptyFolder C:\\Apps\\Sample",
        "report DIR C:\\Apps\\Sample: failed (error 145: text of 145)",
        "RemoveEmptyFolder C:\\Apps\\Sample\\data",
        "report DIR C:\\Apps\\Sample\\data: removed",
        "SetCurrentFolder C:\\Apps",
        "DeleteFolderTree C:\\Apps\\Sample quiet",
        "report REMOVEALL C:\\Apps\\Sample: removed",
        "DeleteMachineKey " + std::string(KeyPath),
        "report Uninstall key HKEY_LOCAL_MACHINE\\" + std::string(KeyPath) + ": removed",
        "page status 0 Done.",
        "page pos 3",
    };
    EXPECT_EQ(RunEvents(log), expected);
    EXPECT_EQ(system.logPath, product.UninstallLogPath);
}

TEST_F(RemovalWorkerTest, ClearsAttributesOnlyOfReadOnlyFiles)
{
    system.AddFile("C:\\Apps\\Sample\\locked.dat", 0x1 | 0x2 | 0x20);
    system.AddFile("C:\\Apps\\Sample\\hidden.dat", 0x2);
    system.AddFile("C:\\Apps\\Sample\\kept.dat", 0x2);
    const Calls calls = Run("FILE=C:\\Apps\\Sample\\locked.dat\nFILE=C:\\Apps\\Sample\\hidden.dat\n");
    EXPECT_EQ(calls, (Calls{"SetAttributes C:\\Apps\\Sample\\locked.dat 0", "RemoveFile C:\\Apps\\Sample\\locked.dat",
                            "RemoveFile C:\\Apps\\Sample\\hidden.dat"}));
    EXPECT_FALSE(system.Has("C:\\Apps\\Sample\\locked.dat"));
    EXPECT_FALSE(system.Has("C:\\Apps\\Sample\\hidden.dat"));
    EXPECT_EQ(system.AttributesOf("C:\\Apps\\Sample\\kept.dat"), 0x2u);
}

TEST_F(RemovalWorkerTest, ReportsTheCountBeforeEachFileAndTheTotalAtTheEnd)
{
    const struct {
        const char* log;
        int counter;
        Calls events;
    } cases[] = {
        // Files that are missing or unnamed count all the same.
        {"TOTALFILE=4\nFILE=C:\\missing.txt\nFILE=\nSHORTCUT=C:\\gone.lnk\n", 3,
         {"page status 0 Removing Files...", "page range 4", "page pos 0", "page pos 1", "page pos 2",
          "page status 0 Done.", "page pos 4"}},
        // A later TOTALFILE starts the count again; the page cuts the range.
        {"FILE=C:\\a\nFILE=C:\\b\nTOTALFILE=70000 files\nFILE=C:\\c\n", 1,
         {"page status 0 Removing Files...", "page pos 0", "page pos 1", "page range 70000", "page pos 0",
          "page status 0 Done.", "page pos 70000"}},
        {"FILE=C:\\a\n", 1, {"page status 0 Removing Files...", "page pos 0", "page status 0 Done.", "page pos 0"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.log);
        EXPECT_EQ(PageEvents(RunEvents(c.log)), c.events);
        EXPECT_EQ(counter, c.counter);
    }
}

TEST_F(RemovalWorkerTest, AnEmptyLanguageTextClearsTheStatus)
{
    system.profileTexts.clear();
    EXPECT_EQ(PageEvents(RunEvents("")), (Calls{"page status 0 Removing Files...", "page status 0 ", "page pos 0"}));
}

TEST_F(RemovalWorkerTest, WithoutAPageTheRemovalsAreTheSame)
{
    system.AddFile("C:\\Apps\\Sample\\app.exe", 0x1);
    const std::string log = "TOTALFILE=1\nFILE=C:\\Apps\\Sample\\app.exe\nDIR=C:\\Apps\\Sample\nREMOVEALL=\n";
    const Calls withPage = Run(log);

    system.AddFolder("C:\\Apps\\Sample");
    system.AddFile("C:\\Apps\\Sample\\app.exe", 0x1);
    EXPECT_EQ(Run(log, nullptr), withPage);
    EXPECT_TRUE(PageEvents(system.events).empty());
}

TEST_F(RemovalWorkerTest, RemovesQueuedFoldersInLogOrderWhenEmpty)
{
    const struct {
        const char* log;
        bool parentLeft;
    } cases[] = {
        {"DIR=C:\\Apps\\Sample\\\nDIR=C:\\Apps\\Sample\\data\\\n", true},
        {"DIR=C:\\Apps\\Sample\\data\\\nDIR=C:\\Apps\\Sample\\\n", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.log);
        system.AddFolder("C:\\Apps\\Sample");
        system.AddFolder("C:\\Apps\\Sample\\data");
        Run(c.log);
        EXPECT_FALSE(system.Has("C:\\Apps\\Sample\\data"));
        EXPECT_EQ(system.Has("C:\\Apps\\Sample"), c.parentLeft);
    }
}

TEST_F(RemovalWorkerTest, QueuesAtMost999Folders)
{
    std::string log;
    for (int i = 0; i < 1000; ++i) {
        system.AddFolder("C:\\d" + std::to_string(i));
        log += "DIR=C:\\d" + std::to_string(i) + "\n";
    }
    Run(log);
    EXPECT_EQ(folderCount, RemovalWorker::MaxQueuedFolders);
    EXPECT_FALSE(system.Has("C:\\d998"));
    EXPECT_TRUE(system.Has("C:\\d999"));
}

TEST_F(RemovalWorkerTest, RunsTheStoredTargetOfEachRun3rdCmd)
{
    const std::string longName = std::string(300, 'n') + ".exe";
    const std::string longCommand = "/x " + std::string(400, 'c');
    const struct {
        const char* name;
        std::string log;
        Calls calls;
    } cases[] = {
        {"web address", "RUN3RD=http://example.test/bye\nRUN3RDCMD=ignored\nRUN3RDCMD=\n",
         {"OpenWebAddress http://example.test/bye", "OpenWebAddress http://example.test/bye"}},
        {"program", "RUN3RD=bin\\remove.exe\nRUN3RDCMD=remove.exe /quiet\n",
         {"RunProgramAndWait C:\\Apps\\Sample\\bin\\remove.exe|remove.exe /quiet"}},
        {"empty command", "RUN3RD=bin\\remove.exe\nRUN3RDCMD=\n",
         {"RunProgramAndWait C:\\Apps\\Sample\\bin\\remove.exe|"}},
        {"second run", "RUN3RD=bin\\remove.exe\nRUN3RDCMD=a\nRUN3RDCMD=b\nRUN3RD=hooks.dll\nRUN3RDCMD=Cleanup\n",
         {"RunProgramAndWait C:\\Apps\\Sample\\bin\\remove.exe|a", "CallLibraryFunction C:\\Apps\\Sample\\hooks.dll|Cleanup"}},
        {"library", "RUN3RD=HOOKS.DLL\nRUN3RDCMD=Cleanup\n", {"CallLibraryFunction C:\\Apps\\Sample\\HOOKS.DLL|Cleanup"}},
        {"mixed case is a program", "RUN3RD=Mixed.Dll\nRUN3RDCMD=x\n", {"RunProgramAndWait C:\\Apps\\Sample\\Mixed.Dll|x"}},
        {"HTTP is local", "RUN3RD=HTTP\nRUN3RDCMD=x\n", {"RunProgramAndWait C:\\Apps\\Sample\\HTTP|x"}},
        {"no target", "RUN3RDCMD=x\n", {}},
        {"missing program", "RUN3RD=missing.exe\nRUN3RDCMD=x\n", {}},
        {"wildcards", "RUN3RD=bin\\*.exe\nRUN3RDCMD=x\nRUN3RD=hooks.dl?\nRUN3RDCMD=y\n", {}},
        {"no command", "RUN3RD=bin\\remove.exe\n", {}},
        {"long texts", "RUN3RD=" + longName + "\nRUN3RDCMD=" + longCommand + "\n",
         {"RunProgramAndWait C:\\Apps\\Sample\\" + longName + "|" + longCommand}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const char* file : {"C:\\Apps\\Sample\\bin\\remove.exe", "C:\\Apps\\Sample\\hooks.dll",
                                 "C:\\Apps\\Sample\\HOOKS.DLL", "C:\\Apps\\Sample\\Mixed.Dll", "C:\\Apps\\Sample\\HTTP"})
            system.AddFile(file);
        system.AddFile("C:\\Apps\\Sample\\" + longName);
        EXPECT_EQ(Run(c.log), c.calls);
    }
}

TEST_F(RemovalWorkerTest, RunsNoLocalTargetWithoutAnAbsoluteInstallationFolder)
{
    // "\remove.exe" exists on the current drive, but it is no product's program.
    system.AddFile("\\remove.exe");
    system.AddFile("Apps\\remove.exe");
    for (const char* folder : {"", "\\", "Apps\\"}) {
        SCOPED_TRACE(folder);
        product.InstallFolder = folder;
        EXPECT_EQ(Run("RUN3RD=remove.exe\nRUN3RDCMD=x\n"), Calls{});
    }
    product.InstallFolder = "C:\\Apps\\Sample";  // no trailing backslash
    system.AddFile("C:\\Apps\\Sample\\remove.exe");
    EXPECT_EQ(Run("RUN3RD=remove.exe\nRUN3RDCMD=x\n"), Calls{"RunProgramAndWait C:\\Apps\\Sample\\remove.exe|x"});
}

TEST_F(RemovalWorkerTest, RemovesTheInstallationTreeOnlyWhereTheGuardAllows)
{
    const struct {
        const char* installFolder;
        Calls calls;
    } cases[] = {
        {"C:\\Apps\\Sample\\", {"DeleteFolderTree C:\\Apps\\Sample quiet"}},
        {"C:\\Apps\\Sample", {"DeleteFolderTree C:\\Apps\\Sample quiet"}},
        {"C:\\Apps\\Missing\\", {}},
        {"", {}},
        {"C:\\Windows\\", {}},
        {"C:\\Program Files", {}},
        {"C:\\Users\\bob", {}},
        {"C:\\Windows\\Installer\\{P}\\", {}},
        {"C:\\Apps\\*", {}},
        {"Sample", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.installFolder);
        for (const char* folder : {"C:\\Apps\\Sample", "C:\\Windows", "C:\\Program Files", "C:\\Users\\bob",
                                   "C:\\Windows\\Installer\\{P}", "C:\\Apps\\*", "Sample"})
            system.AddFolder(folder);
        product.InstallFolder = c.installFolder;
        EXPECT_EQ(Run("REMOVEALL=1\n"), c.calls);
    }
}

TEST_F(RemovalWorkerTest, AnEmptyLogStillDeletesTheUninstallKeyButNeverTheParentKey)
{
    EXPECT_EQ(SystemCalls(RunEvents("")), Calls{"DeleteMachineKey " + std::string(KeyPath)});
    EXPECT_FALSE(logUnreadable);

    for (const char* keyPath : {"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\", ""}) {
        product.UninstallKeyPath = keyPath;
        EXPECT_EQ(SystemCalls(RunEvents("")), Calls{}) << keyPath;
    }
}

// A log that exists but cannot be read says nothing of what is installed:
// the run must leave the machine, the Uninstall key included, as it was.
TEST_F(RemovalWorkerTest, AnUnreadableLogChangesNothingAndSaysWhy)
{
    system.AddFile("C:\\Apps\\Sample\\app.exe");
    system.logReadError = 32;  // the file is open elsewhere without sharing
    const Calls events = RunEvents("FILE=C:\\Apps\\Sample\\app.exe\nREMOVEALL=1\n");
    EXPECT_EQ(SystemCalls(events), Calls{});
    EXPECT_TRUE(logUnreadable);
    EXPECT_EQ(logReadError, 32u);
    // Neither the final status nor the final position: the run did not end as a removal.
    EXPECT_EQ(PageEvents(events), Calls{"page status 0 Removing Files..."});
    EXPECT_TRUE(system.Has("C:\\Apps\\Sample\\app.exe"));

    // The next read succeeds: the flags are the run's own, not left over.
    system.logReadError = 0;
    RunEvents("");
    EXPECT_FALSE(logUnreadable);
    EXPECT_EQ(logReadError, 0u);
}

// FILE, SHORTCUT and DIR act only on full paths. A relative one would be
// taken from the current folder, which is the system folder when the
// system starts the uninstaller.
TEST_F(RemovalWorkerTest, RecordsWithoutAFullPathChangeNothingButStillCount)
{
    system.currentFolder = "C:\\Windows\\System32";
    for (const char* name : {"app.exe", "C:app.exe", "\\app.exe", "C:/Apps/app.exe", "\\\\server",
                             "\\\\?\\C:\\Apps\\app.exe"})
        system.AddFile(name);
    for (const char* name : {"drivers", "C:", "C:drivers", "\\drivers", "C:/Apps/Sample"})
        system.AddFolder(name);
    const std::string log =
        "TOTALFILE=7\n"
        "FILE=app.exe\n"
        "FILE=C:app.exe\n"
        "SHORTCUT=\\app.exe\n"
        "FILE=C:/Apps/app.exe\n"
        "FILE=\\\\server\n"
        "FILE=\\\\?\\C:\\Apps\\app.exe\n"
        "FILE=\\\\server\\share\\app.exe\n"
        "DIR=drivers\n"
        "DIR=C:\\\n"
        "DIR=C:drivers\n"
        "DIR=\\drivers\\\n"
        "DIR=C:/Apps/Sample\n"
        "DIR=\\\\server\\share\\\n";
    const Calls events = RunEvents(log);
    // Only the full share path acts; every file record moves the bar.
    EXPECT_EQ(SystemCalls(events),
              (Calls{"RemoveFile \\\\server\\share\\app.exe", "DeleteMachineKey " + std::string(KeyPath)}));
    EXPECT_EQ(PageEvents(events),
              (Calls{"page status 0 Removing Files...", "page range 7", "page pos 0", "page pos 1", "page pos 2",
                     "page pos 3", "page pos 4", "page pos 5", "page pos 6", "page status 0 Done.", "page pos 7"}));
    EXPECT_EQ(counter, 7);
    EXPECT_EQ(folderCount, 0);
}

// A run in which nothing is held: every record is reported removed, nothing
// is scheduled, and no restart is needed.
TEST_F(RemovalWorkerTest, AnOrdinaryRunReportsEveryRecordRemovedAndNeedsNoRestart)
{
    system.AddFolder("C:\\Apps\\Sample\\data");
    system.AddFile("C:\\Apps\\Sample\\app.exe", 0x1);
    system.AddFile("C:\\Apps\\Sample\\data\\a.dat");
    const std::string log =
        "TOTALFILE=2\n"
        "FILE=C:\\Apps\\Sample\\app.exe\n"
        "SHORTCUT=C:\\Apps\\Sample\\data\\a.dat\n"
        "NTSERVICE=SampleService\n"
        "REGVAL=HKEY_CURRENT_USER\\Software\\Sample\\LastRun\n"
        "DIR=C:\\Apps\\Sample\\data\\\n"
        "DIR=C:\\Apps\\Sample\n";
    const Calls events = RunEvents(log);
    EXPECT_EQ(ReportLines(events), (Calls{
                                       "FILE C:\\Apps\\Sample\\app.exe: removed",
                                       "SHORTCUT C:\\Apps\\Sample\\data\\a.dat: removed",
                                       "NTSERVICE SampleService: removed",
                                       "REGVAL HKEY_CURRENT_USER\\Software\\Sample\\LastRun: removed",
                                       "DIR C:\\Apps\\Sample\\data: removed",
                                       "DIR C:\\Apps\\Sample: removed",
                                       "Uninstall key HKEY_LOCAL_MACHINE\\" + std::string(KeyPath) + ": removed",
                                   }));
    EXPECT_TRUE(Scheduled().empty());
    EXPECT_FALSE(restartRequired);
}

// A file that another program holds is scheduled for the restart, and the
// folders that it alone keeps follow it, children first; the bar moves on
// as for any file, and the run says a restart completes it.
TEST_F(RemovalWorkerTest, AFileInUseIsScheduledAndTheFoldersItKeepsFollowIt)
{
    system.AddFolder("C:\\Apps\\Sample\\bin");
    system.AddFile("C:\\Apps\\Sample\\bin\\app.exe", 0x1 | 0x2);
    system.AddFile("C:\\Apps\\Sample\\readme.txt");
    system.HoldFile("C:\\Apps\\Sample\\bin\\app.exe");
    const std::string log =
        "TOTALFILE=2\n"
        "FILE=C:\\Apps\\Sample\\bin\\app.exe\n"
        "FILE=C:\\Apps\\Sample\\readme.txt\n"
        "DIR=C:\\Apps\\Sample\\bin\\\n"
        "DIR=C:\\Apps\\Sample\n";
    const Calls events = RunEvents(log);

    const Calls expected = {
        "page status 0 Removing Files...",
        "page range 2",
        "SetAttributes C:\\Apps\\Sample\\bin\\app.exe 0",
        "RemoveFile C:\\Apps\\Sample\\bin\\app.exe",
        "ScheduleRemovalAtRestart C:\\Apps\\Sample\\bin\\app.exe",
        "report FILE C:\\Apps\\Sample\\bin\\app.exe: in use or locked, scheduled for removal at restart (error 32: text of 32)",
        "page pos 0",
        "RemoveFile C:\\Apps\\Sample\\readme.txt",
        "report FILE C:\\Apps\\Sample\\readme.txt: removed",
        "page pos 1",
        "RemoveEmptyFolder C:\\Apps\\Sample\\bin",
        "ScheduleRemovalAtRestart C:\\Apps\\Sample\\bin",
        "report DIR C:\\Apps\\Sample\\bin: in use or locked, scheduled for removal at restart (error 145: text of 145)",
        "RemoveEmptyFolder C:\\Apps\\Sample",
        "ScheduleRemovalAtRestart C:\\Apps\\Sample",
        "report DIR C:\\Apps\\Sample: in use or locked, scheduled for removal at restart (error 145: text of 145)",
        "DeleteMachineKey " + std::string(KeyPath),
        "report Uninstall key HKEY_LOCAL_MACHINE\\" + std::string(KeyPath) + ": removed",
        "report Restart needed: 3 files and folders in use are removed when Windows restarts.",
        "page status 0 Done.",
        "page pos 2",
    };
    EXPECT_EQ(events, expected);
    EXPECT_TRUE(restartRequired);
    EXPECT_EQ(counter, 2);
}

// Only a plain file that is still there is scheduled; every other failure
// is reported as it is, and a run that scheduled nothing needs no restart.
TEST_F(RemovalWorkerTest, OnlyAHeldFileThatIsStillThereIsScheduled)
{
    const struct {
        const char* name;
        const char* path;
        void (*prepare)(FakeRemovalSystem&, const char*);
        std::uint32_t scheduleError;
        Calls scheduled;
        std::string reportLine;
        bool restart;
    } cases[] = {
        {"missing file", "C:\\Apps\\Sample\\gone.txt", [](FakeRemovalSystem&, const char*) {}, 0, {},
         "already gone", false},
        {"a folder named as a file", "C:\\Apps\\Sample\\folder",
         [](FakeRemovalSystem& s, const char* p) { s.AddFolder(p); }, 0, {}, "failed (error 5: text of 5)", false},
        {"held", "C:\\Apps\\Sample\\held.dll",
         [](FakeRemovalSystem& s, const char* p) {
             s.AddFile(p);
             s.HoldFile(p);
         },
         0, {"C:\\Apps\\Sample\\held.dll"}, "in use or locked, scheduled for removal at restart (error 32: text of 32)", true},
        {"access denied", "C:\\Apps\\Sample\\denied.dll",
         [](FakeRemovalSystem& s, const char* p) {
             s.AddFile(p);
             s.HoldFile(p, 5);
         },
         0, {"C:\\Apps\\Sample\\denied.dll"}, "in use or locked, scheduled for removal at restart (error 5: text of 5)", true},
        {"scheduling refused", "C:\\Apps\\Sample\\held.dll",
         [](FakeRemovalSystem& s, const char* p) {
             s.AddFile(p);
             s.HoldFile(p);
         },
         5, {"C:\\Apps\\Sample\\held.dll"},
         "failed (error 32: text of 32), and could not be scheduled for removal at restart (error 5: text of 5)",
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        system = FakeRemovalSystem();
        c.prepare(system, c.path);
        system.scheduleError = c.scheduleError;
        const Calls lines = ReportLines(RunEvents("FILE=" + std::string(c.path) + "\n"));
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines[0], "FILE " + std::string(c.path) + ": " + c.reportLine);
        EXPECT_EQ(Scheduled(), c.scheduled);
        EXPECT_EQ(restartRequired, c.restart);
    }
}

// Only a read-only plain file loses its attributes for the delete, and it
// gets them back when it stays; a folder or link named as a file keeps them.
TEST_F(RemovalWorkerTest, AttributesAreClearedOnlyForAFileAndPutBackWhenItStays)
{
    const char* path = "C:\\Apps\\Sample\\item";
    for (const char kind : std::string("dlfs")) {  // a folder, a link, a held file, one that is scheduled
        SCOPED_TRACE(kind);
        system = FakeRemovalSystem();
        kind == 'd' ? system.AddFolder(path) : kind == 'l' ? system.AddFolderLink(path) : system.AddFile(path);
        system.HoldFile(path);
        const std::uint32_t attributes = system.AttributesOf(path) | 0x3;
        system.SetAttributes(path, attributes);
        system.scheduleError = kind == 's' ? 0 : 5;
        const Calls calls = SystemCalls(RunEvents("FILE=" + std::string(path) + "\n"));
        EXPECT_EQ(calls.front().rfind("SetAttributes", 0) == 0, kind == 'f' || kind == 's');
        EXPECT_EQ(system.AttributesOf(path), kind == 's' ? 0u : attributes);
    }
}

// A DIR record naming a link that cannot be removed leaves the link: at the
// restart it would be followed, and the folder it leads to removed.
TEST_F(RemovalWorkerTest, AQueuedLinkIsNeverScheduled)
{
    system.AddFile("D:\\Real\\held.dll");
    system.HoldFile("D:\\Real\\held.dll");
    system.AddFolderLink("C:\\Apps\\Sample\\shared", "D:\\Real");
    system.HoldFolder("C:\\Apps\\Sample\\shared", 145);
    RunEvents("FILE=C:\\Apps\\Sample\\shared\\held.dll\nDIR=C:\\Apps\\Sample\\shared\n");
    EXPECT_EQ(Scheduled(), Calls{"C:\\Apps\\Sample\\shared\\held.dll"});
}

// A queued folder follows its files to the restart only when all it still
// holds is scheduled, and only where the tree guard would allow it.
TEST_F(RemovalWorkerTest, AQueuedFolderIsScheduledOnlyWhenAllItHoldsIsScheduled)
{
    const struct {
        const char* name;
        std::string log;
        Calls scheduled;
    } cases[] = {
        {"a file nobody named stays", "FILE=C:\\Apps\\Sample\\held.dll\nDIR=C:\\Apps\\Sample\n",
         {"C:\\Apps\\Sample\\held.dll"}},
        {"parent listed first", "FILE=C:\\Apps\\Sample\\bin\\held.dll\nDIR=C:\\Apps\\Sample\nDIR=C:\\Apps\\Sample\\bin\n",
         {"C:\\Apps\\Sample\\bin\\held.dll", "C:\\Apps\\Sample\\bin"}},
        {"protected folder", "FILE=C:\\Program Files\\held.dll\nDIR=C:\\Program Files\n", {"C:\\Program Files\\held.dll"}},
        {"product folder", "FILE=C:\\Windows\\Installer\\{P}\\held.dll\nDIR=C:\\Windows\\Installer\\{P}\\\n",
         {"C:\\Windows\\Installer\\{P}\\held.dll"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        system = FakeRemovalSystem();
        system.protectedFolders.folders = {"C:\\Windows", "C:\\Program Files"};
        system.protectedFolders.profileRoots = {"C:\\Users"};
        for (const char* folder : {"C:\\Apps", "C:\\Apps\\Sample", "C:\\Apps\\Sample\\bin", "C:\\Program Files",
                                   "C:\\Windows", "C:\\Windows\\Installer", "C:\\Windows\\Installer\\{P}"})
            system.AddFolder(folder);
        system.AddFile("C:\\Apps\\Sample\\other.txt");
        for (const char* held : {"C:\\Apps\\Sample\\held.dll", "C:\\Apps\\Sample\\bin\\held.dll",
                                 "C:\\Program Files\\held.dll", "C:\\Windows\\Installer\\{P}\\held.dll"}) {
            system.AddFile(held);
            system.HoldFile(held);
        }
        RunEvents(c.log);
        EXPECT_EQ(Scheduled(), c.scheduled);
    }
}

// The tree removal finishes what the shell leaves; a file that a FILE
// record already scheduled is not scheduled twice.
TEST_F(RemovalWorkerTest, TheInstallationTreeWaitsForTheRestartWithWhatItHolds)
{
    system.AddFolder("C:\\Apps\\Sample\\bin");
    system.AddFile("C:\\Apps\\Sample\\bin\\app.exe");
    system.AddFile("C:\\Apps\\Sample\\bin\\helper.dll");
    system.AddFile("C:\\Apps\\Sample\\notes.txt");
    system.HoldFile("C:\\Apps\\Sample\\bin\\app.exe");
    system.HoldFile("C:\\Apps\\Sample\\bin\\helper.dll");
    const Calls events = RunEvents("FILE=C:\\Apps\\Sample\\bin\\app.exe\nREMOVEALL=1\n");
    EXPECT_EQ(Scheduled(), (Calls{"C:\\Apps\\Sample\\bin\\app.exe", "C:\\Apps\\Sample\\bin\\helper.dll",
                                  "C:\\Apps\\Sample\\bin", "C:\\Apps\\Sample"}));
    EXPECT_FALSE(system.Has("C:\\Apps\\Sample\\notes.txt"));
    const Calls lines = ReportLines(events);
    const Calls expected = {
        "FILE C:\\Apps\\Sample\\bin\\app.exe: in use or locked, scheduled for removal at restart (error 32: text of 32)",
        "  C:\\Apps\\Sample\\bin\\app.exe: in use or locked, scheduled for removal at restart (error 32: text of 32)",
        "  C:\\Apps\\Sample\\bin\\helper.dll: in use or locked, scheduled for removal at restart (error 32: text of 32)",
        "  C:\\Apps\\Sample\\bin: in use or locked, scheduled for removal at restart (error 145: text of 145)",
        "REMOVEALL C:\\Apps\\Sample: in use or locked, scheduled for removal at restart (error 145: text of 145)",
        "Uninstall key HKEY_LOCAL_MACHINE\\" + std::string(KeyPath) + ": removed",
        "Restart needed: 4 files and folders in use are removed when Windows restarts.",
    };
    EXPECT_EQ(lines, expected);
    EXPECT_TRUE(restartRequired);
}

TEST_F(RemovalWorkerTest, TheReportNamesTheGuardsRefusalAndWhy)
{
    system.AddFolder("C:\\Windows");
    product.InstallFolder = "C:\\Windows\\";
    const Calls lines = ReportLines(RunEvents("REMOVEALL=1\n"));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "REMOVEALL C:\\Windows: refused by the tree guard: a system or user folder, or holds one: "
                        "C:\\Windows");
    EXPECT_TRUE(Scheduled().empty());
}

// Each record's line says what became of it, failures with the system's
// error, and records that are not acted on say why.
TEST_F(RemovalWorkerTest, TheReportTellsWhatBecameOfEachRecord)
{
    system.serviceError = 1060;
    system.registryError = 5;
    system.keyError = 2;
    system.AddFile("C:\\Apps\\Sample\\cleanup.exe");
    const std::string log =
        "FILE=app.exe\n"
        "DIR=data\n"
        "NTSERVICE=Gone\n"
        "REGVAL=HKEY_LOCAL_MACHINE\\Software\\Sample\\Flag\n"
        "REGVAL=Software\\Sample\\Flag\n"
        "RUN3RD=cleanup.exe\n"
        "RUN3RDCMD=/quiet\n"
        "RUN3RDCMD=/again\n"
        "RUN3RD=http://example.test/bye\n"
        "RUN3RDCMD=x\n"
        "DIR=C:\\Apps\\Missing\n";
    const Calls expected = {
        "FILE app.exe: skipped: not a full path",
        "DIR data: skipped: not a full path",
        "NTSERVICE Gone: already gone",
        "REGVAL HKEY_LOCAL_MACHINE\\Software\\Sample\\Flag: failed (error 5: text of 5)",
        "REGVAL Software\\Sample\\Flag: skipped: no registry root named",
        "RUN3RDCMD /quiet: ran C:\\Apps\\Sample\\cleanup.exe",
        "RUN3RDCMD /again: skipped: C:\\Apps\\Sample\\C:\\Apps\\Sample\\cleanup.exe not found",
        "RUN3RDCMD x: opened http://example.test/bye",
        "DIR C:\\Apps\\Missing: already gone",
        "Uninstall key HKEY_LOCAL_MACHINE\\" + std::string(KeyPath) + ": already gone",
    };
    EXPECT_EQ(ReportLines(RunEvents(log)), expected);
}

// The log that cannot be read is named in the report, and nothing else is.
TEST_F(RemovalWorkerTest, TheReportOfAnUnreadableLogSaysNothingWasRemoved)
{
    system.logReadError = 32;
    EXPECT_EQ(ReportLines(RunEvents("FILE=C:\\Apps\\Sample\\app.exe\n")),
              Calls{"Uninstall log C:\\Windows\\Installer\\{P}\\uninstall.log: failed (error 32: text of 32): cannot "
                    "be read, so nothing was removed"});
}

}  // namespace

// A page that changes the installation folder while the run goes on, as a
// browse on the page's own thread does.
class BrowsingPage : public RemovalReporter {
public:
    void SetProgressRange(int) override {}
    void SetProgressPos(int) override
    {
        if (worker && !folder.empty())
            worker->ChangeInstallFolder(folder.c_str());
    }
    void SetStatusText(const CString&, int) override {}

    RemovalWorker* worker = nullptr;
    std::string folder;
};

TEST_F(RemovalWorkerTest, TheRunKeepsItsOwnProductValuesAndTakesABrowsedFolder)
{
    system.AddFolder("C:\\Apps\\Chosen");
    system.AddFile("C:\\Apps\\Chosen\\remove.exe");
    system.AddFile("C:\\Apps\\Sample\\a.txt");
    system.logContents = "FILE=C:\\Apps\\Sample\\a.txt\nRUN3RD=remove.exe\nRUN3RDCMD=x\nREMOVEALL=1\n";

    // Values changed after the worker was made are not the run's.
    BrowsingPage page;
    RemovalWorker worker(system, product, &page);
    product.InstallFolder = "C:\\Elsewhere\\";
    product.UninstallKeyPath = "SOFTWARE\\Other";
    // A browse in the middle of the run: the steps after it use its folder.
    page.worker = &worker;
    page.folder = "C:\\Apps\\Chosen\\";
    system.events.clear();
    worker.RunRemoval();
    EXPECT_EQ(SystemCalls(system.events),
              (Calls{"RemoveFile C:\\Apps\\Sample\\a.txt", "RunProgramAndWait C:\\Apps\\Chosen\\remove.exe|x",
                     "DeleteFolderTree C:\\Apps\\Chosen quiet", "DeleteMachineKey " + std::string(KeyPath)}));
}
