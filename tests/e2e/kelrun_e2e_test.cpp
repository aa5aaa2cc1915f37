// kelrun end to end: the real program, started in a throw-away Wine prefix
// and driven from outside as a user would, with real files, registry keys
// and services.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/e2e/kelrun_e2e_support_win.h"

namespace {

using namespace testsupport;
using namespace kelrune2e;

TEST(KelrunE2E, UninstallAskedYesRemovesTheProductAndSaysSo)
{
    Product product("yes");
    product.Register("Sample Yes");
    const std::string app = product.File("app.exe");
    const std::string readme = product.File("docs\\readme.txt");
    ::SetFileAttributesA(readme.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    product.WriteLog("TOTALFILE=2\r\nFILE=" + app + "\r\nFILE=" + readme + "\r\nDIR=" + product.InstallFolder() +
                     "\\docs\\\r\nDIR=" + product.InstallFolder() + "\r\n");
    product.WriteLanguage("[SetupProgress]\r\n14=Remove <ProductName> now?\r\n");

    KelrunRun run("/R " + product.Code());
    uidriver::MessageBoxInfo question = run.NextBox();
    ASSERT_NE(question.window, nullptr);
    EXPECT_EQ(question.caption, "Lumetra Parvane");
    EXPECT_EQ(question.text, "Remove Sample Yes now?");
    EXPECT_EQ(question.buttons, (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(question.icon, uidriver::BoxIcon::kInformation);
    ASSERT_TRUE(run.Answer(question, IDYES));

    uidriver::MessageBoxInfo done = run.NextBox();
    ASSERT_NE(done.window, nullptr);
    EXPECT_EQ(done.caption, "kelrun");
    EXPECT_EQ(done.text, "Product uninstalled.");
    EXPECT_EQ(done.buttons, (std::vector<int>{IDOK}));
    EXPECT_TRUE(done.hasIcon);
    EXPECT_EQ(done.icon, uidriver::BoxIcon::kExclamation);
    // The removal is over before the final message.
    EXPECT_FALSE(PathExists(app));
    EXPECT_FALSE(PathExists(readme));
    EXPECT_FALSE(PathExists(product.InstallFolder()));
    EXPECT_FALSE(product.KeyExists());
    ASSERT_TRUE(run.Answer(done, IDOK));
    EXPECT_EQ(run.ExitCode(), 0);
    // The folder of uninstall data is never touched.
    EXPECT_TRUE(PathExists(product.ProductFolder() + "\\uninstall.log"));
}

TEST(KelrunE2E, UninstallAnsweredNoChangesNothing)
{
    Product product("no");
    product.Register("Sample No");
    const std::string app = product.File("app.exe");
    product.WriteLog("FILE=" + app + "\r\nREMOVEALL=1\r\n");

    KelrunRun run("/R " + product.Code());
    uidriver::MessageBoxInfo question = run.NextBox();
    ASSERT_NE(question.window, nullptr);
    // Without a language text the built-in question names the product.
    EXPECT_EQ(question.text, "This will remove Sample No from your system, do you want to continue?");
    ASSERT_TRUE(run.Answer(question, IDNO));
    EXPECT_EQ(run.ExitCode(), 1602);
    EXPECT_TRUE(PathExists(app));
    EXPECT_TRUE(product.KeyExists());
    const std::vector<std::string> report = product.Report();
    EXPECT_TRUE(HasLine(report, "Mode: /R (uninstall)"));
    EXPECT_TRUE(HasLine(report, "The confirmation was answered No: nothing was removed."));
    ASSERT_FALSE(report.empty());
    EXPECT_EQ(report.back(), "Exit code: 1602 (the user cancelled: nothing was removed)");
}

TEST(KelrunE2E, ModifyAndSilentModesAskNothing)
{
    Product modify("modify");
    modify.Register("Sample Modify");
    const std::string modifyFile = modify.File("a.txt");
    modify.WriteLog("FILE=" + modifyFile + "\n");
    {
        KelrunRun run("/I " + modify.Code());
        uidriver::MessageBoxInfo box = run.NextBox();
        ASSERT_NE(box.window, nullptr);
        EXPECT_EQ(box.text, "Product uninstalled.");
        EXPECT_FALSE(PathExists(modifyFile));
        run.Answer(box, IDOK);
        EXPECT_EQ(run.ExitCode(), 0);
    }

    Product silent("silent");
    silent.Register("Sample Silent");
    const std::string silentFile = silent.File("a.txt");
    silent.WriteLog("FILE=" + silentFile + "\n");
    std::vector<std::string> boxes;
    EXPECT_EQ(RunAnsweringEverything("/S " + silent.Code(), &boxes), 0);
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(PathExists(silentFile));
    EXPECT_FALSE(silent.KeyExists());
}

TEST(KelrunE2E, MissingLogIsReportedExceptInSilentMode)
{
    Product product("nolog");
    product.Register("Sample Missing");
    const std::string app = product.File("app.exe");

    KelrunRun run("/R " + product.Code());
    uidriver::MessageBoxInfo question = run.NextBox();
    ASSERT_NE(question.window, nullptr);
    run.Answer(question, IDYES);
    uidriver::MessageBoxInfo missing = run.NextBox();
    ASSERT_NE(missing.window, nullptr);
    EXPECT_EQ(missing.caption, "Parvane");
    EXPECT_EQ(missing.text, "Uninstallation information not found. Parvane can't uninstall this software");
    EXPECT_EQ(missing.buttons, (std::vector<int>{IDOK}));
    EXPECT_EQ(missing.icon, uidriver::BoxIcon::kInformation);
    run.Answer(missing, IDOK);
    EXPECT_EQ(run.ExitCode(), 1605);

    std::vector<std::string> boxes;
    EXPECT_EQ(RunAnsweringEverything("/S " + product.Code(), &boxes), 1605);
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(PathExists(app));
    EXPECT_TRUE(product.KeyExists());
    // The report of the second run replaced the first one's.
    const std::vector<std::string> report = product.Report();
    EXPECT_TRUE(HasLine(report, "Mode: /S (silent uninstall)"));
    EXPECT_FALSE(HasLine(report, "Mode: /R (uninstall)"));
    EXPECT_TRUE(HasLineStartingWith(report, "Uninstall log " + product.ProductFolder() + "\\uninstall.log: failed (error 2"));
    ASSERT_FALSE(report.empty());
    EXPECT_EQ(report.back(), "Exit code: 1605 (no uninstall information for the product)");
}

TEST(KelrunE2E, BadSwitchesShowTheUsage)
{
    // Seven lines; the caption is the program's title, and an OK box that
    // names no icon gets the exclamation icon.
    const std::string usage =
        "Parvane Uninstaller\r\n"
        "\r\n"
        "Usage:\r\n"
        "kelrun.exe /R {productcode} to uninstall.\r\n"
        "kelrun.exe /I {productcode} to modify.\r\n"
        "\r\n"
        "kelrun.exe /S {productcode} to silent uninstall.";
    for (const std::string arguments : {"-R {X}", "/r {X}", ""}) {
        SCOPED_TRACE("arguments: " + arguments);
        KelrunRun run(arguments);
        ASSERT_TRUE(run.Started());
        uidriver::MessageBoxInfo box = run.NextBox();
        ASSERT_NE(box.window, nullptr);
        EXPECT_EQ(box.caption, "kelrun");
        EXPECT_EQ(box.text, usage);
        EXPECT_EQ(box.buttons, (std::vector<int>{IDOK}));
        EXPECT_EQ(box.icon, uidriver::BoxIcon::kExclamation);
        ASSERT_TRUE(run.Answer(box, IDOK));
        // No second box: the program ends at once.
        EXPECT_EQ(run.ExitCode(10000), 1639);
    }
}

// Every record kind in one log, with the edge cases that matter.
TEST(KelrunE2E, EveryRecordKindIsCarriedOut)
{
    Product product("records");
    product.Register("Sample Records");
    ScratchFolder scratch("records");
    const std::string recordFile = scratch.Path() + "\\records.txt";
    ScopedEnvironment recordTo("KELRUN_RECORD_FILE", recordFile);
    SetStringValue(HKEY_CLASSES_ROOT, "http\\shell\\open\\command", "",
                   "\"" + std::string(HelperProgram("record_url.exe").GetString()) + "\" \"%1\"");

    const std::string hidden = product.File("hidden.dat");
    ::SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    const std::string equals = product.File("a=b.txt");
    const std::string shortcut = product.File("Sample.lnk");
    const std::string childFile = product.File("parent\\child\\c.txt");
    const std::string keptParent = product.File("kept\\k.txt");
    ::CopyFileA(HelperProgram("record_run.exe"), (product.InstallFolder() + "\\cleanup.exe").c_str(), FALSE);
    ::CopyFileA(HelperProgram("record_run.exe"), (product.InstallFolder() + "\\noargs.exe").c_str(), FALSE);
    ::CopyFileA(HelperProgram("record_hook.dll"), (product.InstallFolder() + "\\hook.dll").c_str(), FALSE);

    const std::string serviceName = "KelrunE2E" + UniqueName("svc");
    ASSERT_TRUE(CreateDemandService(serviceName));
    const std::string userKey = "Software\\Kelrun E2E\\" + UniqueName("records");
    SetStringValue(HKEY_CURRENT_USER, userKey, "LastRun", "1");
    // Without a backslash after the root, the record names a key's default value.
    const std::string topKey = "KelrunE2E-" + UniqueName("default");
    SetStringValue(HKEY_CURRENT_USER, topKey, "", "default");
    SetStringValue(HKEY_CURRENT_USER, topKey, "Named", "1");
    SetStringValue(HKEY_CURRENT_USER, userKey, "Victim", "must survive");
    SetStringValue(HKEY_CURRENT_USER, userKey, "Kept", "1");
    SetStringValue(HKEY_LOCAL_MACHINE, "Software\\" + userKey, "Machine", "1");

    const std::string folder = product.InstallFolder();
    // A line far longer than any fixed buffer: it must stay one record, so
    // the REGVAL text inside it is part of a FILE path and deletes nothing.
    // A reader that cut lines into pieces of 1023 characters would take the
    // text after the cut for a record of its own.
    const std::string longStart = "FILE=" + folder + "\\";
    const std::string longLine = longStart + std::string(1023 - longStart.size(), 'x') +
                                 "REGVAL=HKEY_CURRENT_USER\\" + userKey + "\\Victim";
    const std::string log =
        "TOTALFILE=4\r\n"
        "FILE=" + hidden + "\r\n"
        "FILE=" + equals + "\r\n"
        "SHORTCUT=" + shortcut + "\r\n"
        "FILE=" + childFile + "\r\n" +
        longLine + "\r\n"
        "FILE = " + keptParent + "\r\n"
        "NTSERVICE=" + serviceName + "\r\n"
        "REGVAL=HKEY_CURRENT_USER\\" + userKey + "\\LastRun\r\n"
        "REGVAL=HKEY_CURRENT_USER\\" + topKey + "\r\n"
        "REGVAL=HKEY_LOCAL_MACHINE\\Software\\" + userKey + "\\Machine\r\n"
        "RUN3RD=cleanup.exe\r\n"
        "RUN3RDCMD=cleanup.exe /uninstall\r\n"
        "RUN3RDCMD=cleanup.exe /again\r\n"
        "RUN3RD=noargs.exe\r\n"
        "RUN3RDCMD=\r\n"
        "RUN3RD=hook.dll\r\n"
        "RUN3RDCMD=UnregisterSample\r\n"
        "RUN3RD=hook.dll\r\n"
        "RUN3RDCMD=ReportArgumentSize\r\n"
        "RUN3RD=http://example.invalid/goodbye?product=sample\r\n"
        "RUN3RDCMD=ignored\r\n"
        "DIR=" + folder + "\\kept\r\n"
        "DIR=" + folder + "\\parent\\child\\\r\n"
        "DIR=" + folder + "\\parent\r\n";
    product.WriteLog(log);

    EXPECT_EQ(RunAnsweringEverything("/S " + product.Code()), 0);

    EXPECT_FALSE(PathExists(hidden));
    EXPECT_FALSE(PathExists(equals));
    EXPECT_FALSE(PathExists(shortcut));
    EXPECT_FALSE(PathExists(folder + "\\parent"));  // child listed first: both go
    EXPECT_TRUE(PathExists(keptParent));            // "FILE = " is no record; its folder is not empty
    EXPECT_FALSE(ServiceExists(serviceName));
    EXPECT_FALSE(ValueExists(HKEY_CURRENT_USER, userKey, "LastRun"));
    EXPECT_FALSE(ValueExists(HKEY_CURRENT_USER, topKey, ""));
    EXPECT_TRUE(ValueExists(HKEY_CURRENT_USER, topKey, "Named"));
    EXPECT_TRUE(ValueExists(HKEY_CURRENT_USER, userKey, "Victim"));
    EXPECT_TRUE(ValueExists(HKEY_CURRENT_USER, userKey, "Kept"));
    EXPECT_FALSE(ValueExists(HKEY_LOCAL_MACHINE, "Software\\" + userKey, "Machine"));
    EXPECT_FALSE(product.KeyExists());

    // The program ran once, with its command; the export got the library
    // path; the web address went to the shell's handler.
    const std::vector<std::string> records = ReadLines(recordFile);
    std::vector<std::string> programRuns, libraryCalls, arguments, urls;
    for (const std::string& line : records) {
        if (line.rfind("program|", 0) == 0)
            programRuns.push_back(line);
        else if (line.rfind("library|", 0) == 0)
            libraryCalls.push_back(line);
        else if (line.rfind("argument|", 0) == 0)
            arguments.push_back(line);
        else if (line.rfind("url|", 0) == 0)
            urls.push_back(line);
    }
    ASSERT_EQ(programRuns.size(), 2u);
    EXPECT_EQ(programRuns[0].rfind("program|cleanup.exe /uninstall|", 0), 0u) << programRuns[0];
    // An empty command: the program's command line is its own path and
    // nothing else (the system may quote it).
    const std::string noArgs = folder + "\\noargs.exe";
    const std::string noArgsLine = programRuns[1].substr(0, programRuns[1].rfind('|'));
    EXPECT_TRUE(noArgsLine == "program|" + noArgs || noArgsLine == "program|\"" + noArgs + "\"") << programRuns[1];
    ASSERT_EQ(libraryCalls.size(), 1u);
    EXPECT_EQ(libraryCalls[0], "library|" + folder + "\\hook.dll");
    // kelrun's own call hands the export a block of 256 bytes.
    ASSERT_EQ(arguments.size(), 1u);
    EXPECT_EQ(arguments[0], "argument|256|" + folder + "\\hook.dll");
    // The shell starts the handler without waiting: give it a moment.
    for (int attempt = 0; attempt < 100 && urls.empty(); ++attempt) {
        ::Sleep(100);
        for (const std::string& line : ReadLines(recordFile)) {
            if (line.rfind("url|", 0) == 0)
                urls.push_back(line);
        }
    }
    ASSERT_EQ(urls.size(), 1u);
    EXPECT_EQ(urls[0], "url|http://example.invalid/goodbye?product=sample");

    DeleteServiceIfPresent(serviceName);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, userKey.c_str());
    ::RegDeleteTreeA(HKEY_CURRENT_USER, topKey.c_str());
    ::RegDeleteKeyA(HKEY_CURRENT_USER, topKey.c_str());
    ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, ("Software\\" + userKey).c_str());
}

TEST(KelrunE2E, LineEndsDoNotMatter)
{
    for (const std::string lineEnd : {"\r\n", "\n"}) {
        SCOPED_TRACE(lineEnd == "\n" ? "LF" : "CR LF");
        Product product(lineEnd == "\n" ? "lf" : "crlf");
        product.Register("Sample Line Ends");
        const std::string a = product.File("a.txt");
        const std::string b = product.File("sub\\b.txt");
        // No line end after the last record.
        product.WriteLog("TOTALFILE=2" + lineEnd + "FILE=" + a + lineEnd + "FILE=" + b + lineEnd +
                         "DIR=" + product.InstallFolder() + "\\sub");
        EXPECT_EQ(RunAnsweringEverything("/S " + product.Code()), 0);
        EXPECT_FALSE(PathExists(a));
        EXPECT_FALSE(PathExists(b));
        EXPECT_FALSE(PathExists(product.InstallFolder() + "\\sub"));
    }
}

TEST(KelrunE2E, TreeRemovalOfTheInstallationFolder)
{
    Product product("tree");
    product.Register("Sample Tree");
    product.File("bin\\app.exe");
    const std::string locked = product.File("data\\deep\\locked.dat");
    ::SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY);
    product.WriteLog("REMOVEALL=1\r\n");
    EXPECT_EQ(RunAnsweringEverything("/S " + product.Code()), 0);
    EXPECT_FALSE(PathExists(product.InstallFolder()));
    EXPECT_TRUE(PathExists("C:\\Program Files\\Kelrun E2E"));
}

// An installation folder that names a system folder must never be wiped,
// whatever name it goes by: the Windows folder through drive Z: (the Linux
// root, which holds the prefix's drive C: too), a profile behind a link.
TEST(KelrunE2E, TreeRemovalNeverTakesSystemFolders)
{
    ScratchFolder scratch("guard");
    const std::string canary = "C:\\" + UniqueName("kelrun-canary") + ".txt";
    WriteFile(canary, "still here");
    const std::string windows = WindowsFolder(), data = windows + "\\" + UniqueName("kelrun-data");
    const std::string profile = std::getenv("USERPROFILE"), users = profile.substr(0, profile.rfind('\\'));
    MakeFolders(data);
    ASSERT_TRUE(MakeFolderLink(scratch.Path() + "\\Users", users));
    for (const std::string& folder : {std::string("C:\\"), std::string("C:"), windows, windows + "\\",
                                      std::string("C:\\Program Files"), std::string("C:\\users"), std::string("C:\\*"),
                                      WindowsPathOf(std::getenv("WINEPREFIX")) + "\\drive_c" + data.substr(2),
                                      scratch.Path() + "\\Users" + profile.substr(users.size()), profile + "\\Documents"}) {
        SCOPED_TRACE("LastInstallationPath: " + folder);
        Product product("guard");
        product.Register("Sample Guard", folder);
        product.WriteLog("REMOVEALL=1\r\n");
        EXPECT_EQ(RunAnsweringEverything("/S " + product.Code()), 0);
        // The report names the refusal and the reason.
        const std::vector<std::string> report = product.Report();
        std::string refusal;
        for (const std::string& line : report) {
            if (line.rfind("REMOVEALL ", 0) == 0)
                refusal = line;
        }
        EXPECT_NE(refusal.find(": refused by the tree guard: "), std::string::npos) << refusal;
        EXPECT_GT(refusal.size(), refusal.find("guard: ") + 7) << refusal;
        EXPECT_TRUE(PathExists(canary));
        EXPECT_TRUE(PathExists(windows + "\\system32\\kernel32.dll"));
        EXPECT_TRUE(PathExists(windows + "\\win.ini"));
        EXPECT_TRUE(PathExists("C:\\Program Files"));
        EXPECT_TRUE(PathExists(product.ProductFolder() + "\\uninstall.log"));
        EXPECT_FALSE(product.KeyExists());  // the rest of the run goes on
    }
    ::DeleteFileA(canary.c_str());
    RemoveTree(data);
}

// A product under another name for an ordinary folder (through drive Z:,
// or behind a link) or in the user's AppData\Local\Programs goes. Each run's
// report replaces a link planted under its name (symbolic or hard) and leaves
// the file it led to alone.
TEST(KelrunE2E, AProductUnderAnotherNameGoesAndTheReportFollowsNoLink)
{
    const std::string perUser = std::getenv("LOCALAPPDATA") + std::string("\\Programs\\") + UniqueName("Sample");
    ScratchFolder scratch("other-names");
    const std::string real = scratch.Path() + "\\Real", precious = scratch.Path() + "\\precious.txt";
    for (const std::string& folder : {real + "\\ByDrive", real + "\\ByLink", perUser})
        MakeFolders(folder);
    WriteFile(precious, "keep");
    ASSERT_TRUE(MakeFolderLink(scratch.Path() + "\\Linked", real));
    bool symbolic = false;
    const std::string onDriveZ = WindowsPathOf(std::getenv("WINEPREFIX")) + "\\drive_c" + real.substr(2);
    for (const std::string& folder : {onDriveZ + "\\ByDrive", scratch.Path() + "\\Linked\\ByLink", perUser}) {
        SCOPED_TRACE("LastInstallationPath: " + folder);
        Product product("other-names");
        product.Register("Sample Other Names", folder + "\\");
        product.WriteLog("REMOVEALL=1\r\n");
        const std::string report = ReportPath(product.Code());
        symbolic = !symbolic;
        ASSERT_TRUE(symbolic ? MakeFileLink(report, precious) : ::CreateHardLinkA(report.c_str(), precious.c_str(), 0));
        EXPECT_EQ(RunAnsweringEverything("/S " + product.Code()), 0);
        EXPECT_TRUE(HasLineStartingWith(product.Report(), "REMOVEALL " + folder + ": removed"));
        EXPECT_FALSE(PathExists(folder));
        EXPECT_EQ(ReadFile(precious), "keep");
    }
}

// Folders inside the Windows folder carry no protected name of their own,
// yet none of them is a product's to wipe.
TEST(KelrunE2E, TreeRemovalNeverTakesAFolderInsideWindows)
{
    const std::string windows = WindowsFolder();
    const std::string drivers = windows + "\\system32\\drivers";
    const std::string own = windows + "\\" + UniqueName("KelrunE2E");
    MakeFolders(drivers);  // a 32-bit program sees SysWOW64's, which Wine does not make
    MakeFolders(own);
    const std::string driversCanary = drivers + "\\" + UniqueName("kelrun-canary") + ".sys";
    const std::string ownCanary = own + "\\canary.txt";
    WriteFile(driversCanary, "driver");
    WriteFile(ownCanary, "system data");
    for (const std::string& folder : {drivers, drivers + "\\", own + "\\"}) {
        SCOPED_TRACE("LastInstallationPath: " + folder);
        Product product("inside-windows");
        product.Register("Sample Inside Windows", folder);
        product.WriteLog("REMOVEALL=1\r\n");
        EXPECT_EQ(RunAnsweringEverything("/S " + product.Code()), 0);
        EXPECT_TRUE(PathExists(driversCanary));
        EXPECT_TRUE(PathExists(ownCanary));
        EXPECT_FALSE(product.KeyExists());  // the rest of the run goes on
    }
    ::DeleteFileA(driversCanary.c_str());
    RemoveTree(own);
}

// FILE, SHORTCUT and DIR records that are not full paths would act on
// kelrun's current folder, which is the system folder when the system
// starts it. They change nothing; the run goes on.
TEST(KelrunE2E, RecordsWithoutAFullPathLeaveTheCurrentFolderAlone)
{
    ScratchFolder current("current");
    const std::string& here = current.Path();
    const std::string plain = here + "\\victim.txt";
    const std::string driveRelative = here + "\\victim2.txt";
    const std::string rootRelative = here + "\\victim3.txt";
    const std::string shortcut = here + "\\victim.lnk";
    for (const std::string& file : {plain, driveRelative, rootRelative, shortcut})
        WriteFile(file, "keep");
    MakeFolders(here + "\\sub");
    MakeFolders(here + "\\sub2");
    ASSERT_EQ(here.substr(0, 3), "C:\\");

    Product product("relative");
    product.Register("Sample Relative");
    const std::string app = product.File("app.exe");
    product.WriteLog("TOTALFILE=5\r\n"
                     "FILE=victim.txt\r\n"
                     "FILE=C:victim2.txt\r\n"
                     "FILE=" + rootRelative.substr(2) + "\r\n"
                     "SHORTCUT=victim.lnk\r\n"
                     "DIR=sub\r\n"
                     "DIR=C:sub2\r\n"
                     "FILE=" + app + "\r\n");
    EXPECT_EQ(RunAnsweringEverything("/S " + product.Code(), nullptr, here), 0);
    for (const std::string& file : {plain, driveRelative, rootRelative, shortcut}) {
        SCOPED_TRACE(file);
        EXPECT_TRUE(PathExists(file));
    }
    EXPECT_TRUE(PathExists(here + "\\sub"));
    EXPECT_TRUE(PathExists(here + "\\sub2"));
    EXPECT_FALSE(PathExists(app));
    EXPECT_FALSE(product.KeyExists());
}

// The uninstall log in a state that lets no one read it.
class UnreadableLog {
public:
    enum Kind { Folder, Locked };
    UnreadableLog(const Product& product, Kind kind) : path_(product.ProductFolder() + "\\uninstall.log")
    {
        if (kind == Folder) {
            ::DeleteFileA(path_.c_str());
            MakeFolders(path_);
        } else {
            Lock();
        }
    }
    ~UnreadableLog() { ::RemoveDirectoryA(path_.c_str()); }
    UnreadableLog(const UnreadableLog&) = delete;
    UnreadableLog& operator=(const UnreadableLog&) = delete;

    // Opens the log and shares it with no one, as a program that writes it would.
    void Lock()
    {
        lock_.Reset(::CreateFileA(path_.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        EXPECT_TRUE(lock_.IsValid()) << path_;
    }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
    CFileHandle lock_;
};

void ExpectUnreadableLogBox(const uidriver::MessageBoxInfo& box, const std::string& logPath)
{
    SCOPED_TRACE("box: " + box.text);
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.caption, "Parvane");
    const std::string head = "Uninstallation information cannot be read. Parvane can't uninstall this software\r\n\r\n" +
                             logPath + "\r\n";
    ASSERT_EQ(box.text.rfind(head, 0), 0u);
    // The system's reason follows the path.
    EXPECT_GT(box.text.size(), head.size());
    EXPECT_EQ(box.buttons, (std::vector<int>{IDOK}));
}

// A log that exists but cannot be read is no empty log: nothing is removed,
// the Uninstall key stays, and the run ends as a failure (1603), with a box
// that says why except in silent mode.
TEST(KelrunE2E, UnreadableLogChangesNothingAndIsReported)
{
    for (const UnreadableLog::Kind kind : {UnreadableLog::Folder, UnreadableLog::Locked}) {
        for (const std::string mode : {"/R", "/I", "/S"}) {
            SCOPED_TRACE(std::string(kind == UnreadableLog::Folder ? "folder " : "locked ") + mode);
            Product product("unreadable");
            product.Register("Sample Unreadable");
            const std::string app = product.File("app.exe");
            product.WriteLog("FILE=" + app + "\r\nREMOVEALL=1\r\n");
            UnreadableLog log(product, kind);

            if (mode == "/S") {
                std::vector<std::string> boxes;
                EXPECT_EQ(RunAnsweringEverything(mode + " " + product.Code(), &boxes), 1603);
                EXPECT_TRUE(boxes.empty());
            } else {
                KelrunRun run(mode + " " + product.Code());
                if (mode == "/R") {
                    // The confirmation comes first, as always.
                    uidriver::MessageBoxInfo question = run.NextBox();
                    ASSERT_NE(question.window, nullptr);
                    EXPECT_EQ(question.caption, "Lumetra Parvane");
                    ASSERT_TRUE(run.Answer(question, IDYES));
                }
                uidriver::MessageBoxInfo box = run.NextBox();
                ExpectUnreadableLogBox(box, log.Path());
                run.Answer(box, IDOK);
                EXPECT_EQ(run.ExitCode(), 1603);
            }
            EXPECT_TRUE(PathExists(app));
            EXPECT_TRUE(product.KeyExists());
        }
    }
}

// The log is readable when kelrun checks it and locked by the time the
// removal reads it: the removal must change nothing either.
TEST(KelrunE2E, LogLockedAfterTheCheckChangesNothing)
{
    Product product("late-lock");
    product.Register("Sample Late Lock");
    const std::string app = product.File("app.exe");
    product.WriteLog("FILE=" + app + "\r\nREMOVEALL=1\r\n");
    const std::string logPath = product.ProductFolder() + "\\uninstall.log";

    KelrunRun run("/R " + product.Code());
    uidriver::MessageBoxInfo question = run.NextBox();
    ASSERT_NE(question.window, nullptr);
    ASSERT_TRUE(run.Answer(question, IDYES));
    // The check runs as the question closes; the removal starts half a
    // second later. Lock the log in between.
    ::Sleep(150);
    CFileHandle lock(::CreateFileA(logPath.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock.IsValid());

    uidriver::MessageBoxInfo box = run.NextBox();
    ExpectUnreadableLogBox(box, logPath);
    run.Answer(box, IDOK);
    EXPECT_EQ(run.ExitCode(), 1603);
    EXPECT_TRUE(PathExists(app));
    EXPECT_TRUE(PathExists(product.InstallFolder()));
    EXPECT_TRUE(product.KeyExists());
}

TEST(KelrunE2E, TreeRemovalSparesWhatALinkPointsTo)
{
    ScratchFolder outside("outside");
    WriteFile(outside.Path() + "\\precious.txt", "keep");
    Product product("linked");
    product.Register("Sample Linked");
    product.File("bin\\app.exe");
    ASSERT_TRUE(MakeFolderLink(product.InstallFolder() + "\\shared", outside.Path()));
    product.WriteLog("REMOVEALL=1\r\n");
    EXPECT_EQ(RunAnsweringEverything("/S " + product.Code()), 0);
    EXPECT_TRUE(PathExists(outside.Path() + "\\precious.txt"));
    EXPECT_FALSE(PathExists(product.InstallFolder() + "\\bin"));
}

// A quit request that arrives while the removal runs (a page's Finish or
// close posts one) is kept: the run goes on to its end, and then the program
// ends at once, without the final message.
TEST(KelrunE2E, QuitDuringTheRemovalEndsTheProgramAfterTheRun)
{
    Product product("quit");
    product.Register("Sample Quit");
    ScratchFolder scratch("quit");
    const std::string recordFile = scratch.Path() + "\\records.txt";
    ScopedEnvironment recordTo("KELRUN_RECORD_FILE", recordFile);
    ScopedEnvironment slowProgram("KELRUN_RECORD_DELAY_MS", "3000");
    ::CopyFileA(HelperProgram("record_run.exe"), (product.InstallFolder() + "\\slow.exe").c_str(), FALSE);
    const std::string after = product.File("after.txt");
    product.WriteLog("RUN3RD=slow.exe\r\nRUN3RDCMD=slow.exe\r\nFILE=" + after + "\r\n");

    KelrunRun run("/I " + product.Code());
    ASSERT_TRUE(run.Started());
    // The slow removal program has started: the worker waits for it.
    for (int attempt = 0; attempt < 200 && ReadLines(recordFile).empty(); ++attempt)
        ::Sleep(50);
    ASSERT_FALSE(ReadLines(recordFile).empty());

    uidriver::WindowQuery query;
    query.processId = run.Id();
    query.className = "FrameworkFrame";
    query.visibleOnly = false;
    HWND frame = uidriver::FindTopLevel(query);
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(::PostThreadMessageA(::GetWindowThreadProcessId(frame, nullptr), WM_QUIT, 0, 0));

    // With the final message box the program would not end by itself.
    EXPECT_EQ(run.ExitCode(15000), 0);
    EXPECT_FALSE(PathExists(after));
    EXPECT_FALSE(product.KeyExists());
}

// A file in use goes at the next restart, with the folders it keeps, children
// first; everything else goes now, and the run ends with 3010 and a report
// that says which file waits and why.
TEST(KelrunE2E, AFileInUseIsRemovedAtTheRestartSilently)
{
    Product product("in-use");
    product.Register("Sample In Use");
    const std::string folder = product.InstallFolder();
    const std::string held = product.File("bin\\app.exe");
    const std::string helper = product.File("bin\\helper.dll");
    const std::string readme = product.File("docs\\readme.txt");
    product.WriteLog("TOTALFILE=3\r\nFILE=" + held + "\r\nFILE=" + helper + "\r\nFILE=" + readme + "\r\nDIR=" + folder +
                     "\\bin\\\r\nDIR=" + folder + "\\docs\r\nDIR=" + folder + "\\\r\n");
    HeldFile holder(held);

    std::vector<std::string> boxes;
    EXPECT_EQ(RunAnsweringEverything("/S " + product.Code(), &boxes), 3010);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(product.PendingRemovals(), (std::vector<std::string>{held, folder + "\\bin", folder}));
    EXPECT_FALSE(PathExists(helper));
    EXPECT_FALSE(PathExists(readme));
    EXPECT_FALSE(PathExists(folder + "\\docs"));
    EXPECT_FALSE(product.KeyExists());

    const std::vector<std::string> report = product.Report();
    EXPECT_TRUE(HasLineStartingWith(report, "FILE " + held + ": in use or locked, scheduled for removal at restart (error 32"));
    EXPECT_TRUE(HasLine(report, "FILE " + helper + ": removed"));
    EXPECT_TRUE(HasLineStartingWith(report, "DIR " + folder + "\\bin: in use or locked, scheduled for removal at restart"));
    ASSERT_FALSE(report.empty());
    EXPECT_EQ(report.back(), "Exit code: 3010 (a restart completes the removal)");
}

// The installation tree: the shell stops at the file in use, and kelrun
// finishes the tree and schedules what is left, children first.
TEST(KelrunE2E, ATreeWithAFileInUseIsFinishedAtTheRestart)
{
    Product product("in-use-tree");
    product.Register("Sample In Use Tree");
    const std::string folder = product.InstallFolder();
    const std::string held = product.File("data\\deep\\cache.db");
    const std::string other = product.File("data\\other.txt");
    const std::string app = product.File("app.exe");
    product.WriteLog("REMOVEALL=1\r\n");
    HeldFile holder(held);

    EXPECT_EQ(RunAnsweringEverything("/S " + product.Code()), 3010);
    EXPECT_EQ(product.PendingRemovals(),
              (std::vector<std::string>{held, folder + "\\data\\deep", folder + "\\data", folder}));
    EXPECT_FALSE(PathExists(other));
    EXPECT_FALSE(PathExists(app));
    const std::vector<std::string> report = product.Report();
    EXPECT_TRUE(HasLineStartingWith(report, "  " + held + ": in use or locked, scheduled for removal at restart (error 32"));
    EXPECT_TRUE(HasLineStartingWith(report, "REMOVEALL " + folder + ": in use or locked, scheduled for removal at restart"));
}

// Without a page the final box says that a restart completes the removal,
// on a line of its own; a language file may translate the sentence.
TEST(KelrunE2E, TheFinalBoxSaysARestartCompletesTheRemoval)
{
    const struct {
        const char* mode;
        const char* language;
        const char* sentence;
    } cases[] = {
        {"/R", "", "Some files are in use. They will be removed when Windows restarts."},
        {"/I", "[RestartToComplete]\r\n1=Restart to finish removing <ProductName>.\r\n",
         "Restart to finish removing Sample Restart Box."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        Product product("restart-box");
        product.Register("Sample Restart Box");
        const std::string held = product.File("app.exe");
        product.WriteLog("FILE=" + held + "\r\nDIR=" + product.InstallFolder() + "\r\n");
        product.WriteLanguage(c.language);
        HeldFile holder(held);

        KelrunRun run(std::string(c.mode) + " " + product.Code());
        uidriver::MessageBoxInfo box = run.NextBox();
        ASSERT_NE(box.window, nullptr);
        if (std::string(c.mode) == "/R") {
            ASSERT_EQ(box.caption, "Lumetra Parvane");
            ASSERT_TRUE(run.Answer(box, IDYES));
            box = run.NextBox();
            ASSERT_NE(box.window, nullptr);
        }
        box = WithText(box);
        EXPECT_EQ(box.caption, "kelrun");
        EXPECT_EQ(box.text, std::string("Product uninstalled.\r\n") + c.sentence);
        EXPECT_EQ(box.buttons, (std::vector<int>{IDOK}));
        run.Answer(box, IDOK);
        EXPECT_EQ(run.ExitCode(), 3010);
        EXPECT_EQ(product.PendingRemovals(), (std::vector<std::string>{held, product.InstallFolder()}));
    }
}

// Nothing in use: exit code 0, nothing waits for a restart, and the report
// lists every record as removed.
TEST(KelrunE2E, AnOrdinaryRunLeavesNothingForTheRestartAndReportsEveryRecord)
{
    Product product("report");
    product.Register("Sample Report");
    const std::string folder = product.InstallFolder();
    const std::string app = product.File("app.exe");
    const std::string readme = product.File("docs\\readme.txt");
    ::SetFileAttributesA(readme.c_str(), FILE_ATTRIBUTE_READONLY);
    const std::string userKey = "Software\\Kelrun E2E\\" + UniqueName("report");
    SetStringValue(HKEY_CURRENT_USER, userKey, "LastRun", "1");
    product.WriteLog("TOTALFILE=2\r\nFILE=" + app + "\r\nFILE=" + readme + "\r\nREGVAL=HKEY_CURRENT_USER\\" + userKey +
                     "\\LastRun\r\nDIR=" + folder + "\\docs\\\r\nDIR=" + folder + "\r\n");

    EXPECT_EQ(RunAnsweringEverything("/S " + product.Code()), 0);
    EXPECT_TRUE(product.PendingRemovals().empty());
    EXPECT_FALSE(PathExists(folder));

    const std::vector<std::string> report = product.Report();
    const std::vector<std::string> header = {
        "kelrun removal report",
        "Mode: /S (silent uninstall)",
        "Product: Sample Report",
        "Product code: " + product.Code(),
        "InstallFolder: " + folder + "\\",
        "ProductFolder: " + product.ProductFolder() + "\\",
    };
    for (const std::string& line : header)
        EXPECT_TRUE(HasLine(report, line)) << line;
    EXPECT_TRUE(HasLineStartingWith(report, "Time: 20"));
    std::vector<std::string> steps;
    for (const std::string& line : report) {
        if (line.find(": removed") != std::string::npos)
            steps.push_back(line);
    }
    const std::vector<std::string> expected = {
        "FILE " + app + ": removed",
        "FILE " + readme + ": removed",
        "REGVAL HKEY_CURRENT_USER\\" + userKey + "\\LastRun: removed",
        "DIR " + folder + "\\docs: removed",
        "DIR " + folder + ": removed",
        "Uninstall key HKEY_LOCAL_MACHINE\\" + std::string(kUninstallRoot) + product.Code() + ": removed",
    };
    EXPECT_EQ(steps, expected);
    ASSERT_FALSE(report.empty());
    EXPECT_EQ(report.back(), "Exit code: 0 (the removal ran)");
    ::RegDeleteTreeA(HKEY_CURRENT_USER, userKey.c_str());
}

// The report is written as the run goes: a run that is ended in the middle
// leaves every line up to its last step, and no exit code.
TEST(KelrunE2E, ARunEndedMidwayLeavesItsReportUpToItsLastStep)
{
    Product product("killed");
    product.Register("Sample Killed");
    ScratchFolder scratch("killed");
    const std::string recordFile = scratch.Path() + "\\records.txt";
    ScopedEnvironment recordTo("KELRUN_RECORD_FILE", recordFile);
    ScopedEnvironment slowProgram("KELRUN_RECORD_DELAY_MS", "5000");
    ::CopyFileA(HelperProgram("record_run.exe"), (product.InstallFolder() + "\\slow.exe").c_str(), FALSE);
    const std::string before = product.File("before.txt");
    const std::string after = product.File("after.txt");
    product.WriteLog("FILE=" + before + "\r\nRUN3RD=slow.exe\r\nRUN3RDCMD=slow.exe\r\nFILE=" + after + "\r\n");
    {
        KelrunRun run("/S " + product.Code());
        ASSERT_TRUE(run.Started());
        // The worker waits for the slow removal program now.
        for (int attempt = 0; attempt < 200 && ReadLines(recordFile).empty(); ++attempt)
            ::Sleep(50);
        ASSERT_FALSE(ReadLines(recordFile).empty());
    }  // kelrun is ended here, in the middle of its run

    const std::vector<std::string> report = product.Report();
    EXPECT_TRUE(HasLine(report, "Mode: /S (silent uninstall)"));
    EXPECT_TRUE(HasLine(report, "FILE " + before + ": removed"));
    EXPECT_FALSE(HasLineStartingWith(report, "FILE " + after));
    EXPECT_FALSE(HasLineStartingWith(report, "Exit code:"));
    EXPECT_TRUE(PathExists(after));
}

}  // namespace
