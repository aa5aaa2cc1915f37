// Benchmark: kelrun's removal of 10,000 logged files in 100 folders against
// a bare Win32 delete loop over the same tree, both measured here, in the
// same prefix, several times; prints medians and their ratio. Then the same
// removal with the uninstall page shown against the same removal without a
// page, in alternating rounds.
//
//   kelrun_bench KELRUN_EXE [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/test_support_win.h"

namespace {

constexpr int kFolders = 100;
constexpr int kFilesPerFolder = 100;
const char kCode[] = "{BENCH-0000-0000-0000-000000000001}";
const char kRoot[] = "C:\\Bench Product";

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::string FolderName(int folder)
{
    return std::string(kRoot) + "\\folder" + std::to_string(folder);
}

std::string FileName(int folder, int file)
{
    return FolderName(folder) + "\\file" + std::to_string(file) + ".dat";
}

void BuildTree()
{
    ::CreateDirectoryA(kRoot, nullptr);
    for (int folder = 0; folder < kFolders; ++folder) {
        ::CreateDirectoryA(FolderName(folder).c_str(), nullptr);
        for (int file = 0; file < kFilesPerFolder; ++file)
            testsupport::WriteFile(FileName(folder, file), "x");
    }
}

std::string ProductFolder()
{
    return testsupport::WindowsFolder() + "\\Installer\\" + kCode;
}

// The uninstall page: a progress bar, its two status lines and a cancel
// button, as a product's page has them.
const char kPage[] =
    "[MAINWINDOW]\r\ncaption=Removing [ProductName]\r\nborder=1\r\nstartup=0\r\nbkcolor=248,250,252\r\n"
    "width=520\r\nheight=340\r\nfontname=Tahoma\r\nfontsize=9\r\nfontbold=No\r\nfontitalic=No\r\n"
    "[INFO]\r\nTOTAL=4\r\n"
    "0=0,24,110,466,20,TEXT,,0,0\r\n1=0,24,136,466,18,PROGRESS,,0,1\r\n"
    "2=0,24,166,466,40,TEXT,,0,2\r\n3=0,400,252,90,26,BUTTON,,0,3\r\n"
    "[DADOS]\r\n0,t=1\r\n0,0=ID|IDC_INFO|0\r\n1,t=1\r\n1,0=ID|IDC_PROGRESS1|0\r\n"
    "2,t=1\r\n2,0=ID|IDC_STATIC1|0\r\n3,t=2\r\n3,0=ID|IDCANCEL|0\r\n3,1=Caption|Cancel|0\r\n";

std::string PagePath()
{
    return ProductFolder() + "\\theme\\uninstall.lcd";
}

void UsePage(bool page)
{
    ::CreateDirectoryA((ProductFolder() + "\\theme").c_str(), nullptr);
    if (page)
        testsupport::WriteFile(PagePath(), kPage);
    else
        ::DeleteFileA(PagePath().c_str());
}

// A log that opens the page and removes nothing: the run's fixed cost.
void WriteEmptyLog()
{
    testsupport::WriteFile(ProductFolder() + "\\uninstall.log", "TOTALFILE=0\r\n");
}

void WriteProduct(bool withLog)
{
    const std::string uninstallKey = std::string("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\") + kCode;
    testsupport::SetStringValue(HKEY_LOCAL_MACHINE, uninstallKey, "DisplayName", "Bench");
    testsupport::SetStringValue(HKEY_LOCAL_MACHINE, uninstallKey, "LastInstallationPath", std::string(kRoot) + "\\");

    ::CreateDirectoryA((testsupport::WindowsFolder() + "\\Installer").c_str(), nullptr);
    ::CreateDirectoryA(ProductFolder().c_str(), nullptr);
    const std::string logPath = ProductFolder() + "\\uninstall.log";
    if (!withLog) {
        ::DeleteFileA(logPath.c_str());
        return;
    }
    std::string log = "TOTALFILE=" + std::to_string(kFolders * kFilesPerFolder) + "\r\n";
    for (int folder = 0; folder < kFolders; ++folder) {
        for (int file = 0; file < kFilesPerFolder; ++file)
            log += "FILE=" + FileName(folder, file) + "\r\n";
    }
    for (int folder = 0; folder < kFolders; ++folder)
        log += "DIR=" + FolderName(folder) + "\r\n";
    log += std::string("DIR=") + kRoot + "\\\r\n";
    testsupport::WriteFile(logPath, log);
}

// Runs kelrun silently and returns the seconds from start to end.
double RunKelrun(const std::string& kelrun)
{
    std::string command = "\"" + kelrun + "\" /S " + kCode;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    const auto start = Clock::now();
    if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
        std::fprintf(stderr, "cannot start %s\n", kelrun.c_str());
        std::exit(2);
    }
    ::WaitForSingleObject(started.hProcess, INFINITE);
    const double seconds = SecondsSince(start);
    ::CloseHandle(started.hProcess);
    ::CloseHandle(started.hThread);
    return seconds;
}

double BareDeleteLoop()
{
    const auto start = Clock::now();
    for (int folder = 0; folder < kFolders; ++folder) {
        for (int file = 0; file < kFilesPerFolder; ++file)
            ::DeleteFileA(FileName(folder, file).c_str());
        ::RemoveDirectoryA(FolderName(folder).c_str());
    }
    ::RemoveDirectoryA(kRoot);
    return SecondsSince(start);
}

// kelrun's removal report for the bench product: %TEMP%\kelrun <code>.log.
std::string ReportPath()
{
    char temp[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableA("TEMP", temp, MAX_PATH);
    std::string folder = length > 0 && length < MAX_PATH ? std::string(temp, length) : std::string();
    if (!folder.empty() && folder.back() != '\\')
        folder += '\\';
    return folder + "kelrun " + kCode + ".log";
}

int CountReportLines()
{
    HANDLE file = ::CreateFileA(ReportPath().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return -1;
    int lines = 0;
    char buffer[64 * 1024];
    DWORD got = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        for (DWORD i = 0; i < got; ++i)
            lines += buffer[i] == '\n' ? 1 : 0;
    }
    ::CloseHandle(file);
    return lines;
}

// What the report costs on its own: one unbuffered write per line, as kelrun
// writes it, for as many lines as the removal has files.
double ReportWritesAlone()
{
    const std::string path = ReportPath() + ".bench";
    HANDLE report = ::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
    const auto start = Clock::now();
    for (int folder = 0; folder < kFolders; ++folder) {
        for (int file = 0; file < kFilesPerFolder; ++file) {
            const std::string line = "FILE " + FileName(folder, file) + ": removed\r\n";
            DWORD written = 0;
            ::WriteFile(report, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
        }
    }
    const double seconds = SecondsSince(start);
    ::CloseHandle(report);
    ::DeleteFileA(path.c_str());
    return seconds;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: kelrun_bench KELRUN_EXE [ROUNDS]\n");
        return 2;
    }
    const std::string kelrun = argv[1];
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;

    // kelrun waits 500 ms on its start timer before the removal begins, and a
    // process costs its start and end: a run that stops at once for want of a
    // log measures both, and is taken off the full run.
    std::vector<double> fixedCost, fullRun, bareLoop, reportWrites;
    int reportLines = -1;
    for (int round = 0; round < rounds; ++round) {
        WriteProduct(false);
        fixedCost.push_back(RunKelrun(kelrun));

        BuildTree();
        WriteProduct(true);
        fullRun.push_back(RunKelrun(kelrun));
        if (::GetFileAttributesA(kRoot) != INVALID_FILE_ATTRIBUTES)
            std::fprintf(stderr, "warning: kelrun left %s behind\n", kRoot);
        reportLines = CountReportLines();
        reportWrites.push_back(ReportWritesAlone());

        BuildTree();
        bareLoop.push_back(BareDeleteLoop());
    }
    const double startTimer = 0.5;
    const double fixed = Median(fixedCost);
    const double full = Median(fullRun);
    const double removal = full - fixed - startTimer;
    const double bare = Median(bareLoop);
    std::printf("kelrun removal benchmark: %d files in %d folders, %d rounds (medians)\n",
                kFolders * kFilesPerFolder, kFolders, rounds);
    std::printf("  kelrun whole run            %8.3f s\n", full);
    std::printf("  kelrun start and end only   %8.3f s (log missing)\n", fixed);
    std::printf("  kelrun removal              %8.3f s (whole run - start/end - 0.5 s start timer)\n", removal);
    std::printf("  bare Win32 delete loop      %8.3f s\n", bare);
    std::printf("  ratio removal / bare loop   %8.3f (target <= 1.15)\n", removal / bare);
    std::printf("  removal report              %8d lines, %s\n", reportLines, ReportPath().c_str());
    std::printf("  its %d line writes alone    %8.3f s (one unbuffered write a line)\n",
                kFolders * kFilesPerFolder, Median(reportWrites));

    // The page must not slow the removal: the same log with the page shown
    // and without a page, each less its own fixed cost (a run over a log
    // that removes nothing, page or not), in rounds that alternate which
    // goes first.
    std::vector<double> withPage, withoutPage;
    for (int round = 0; round < rounds; ++round) {
        for (int turn = 0; turn < 2; ++turn) {
            const bool page = (round + turn) % 2 == 0;
            UsePage(page);
            WriteProduct(true);
            WriteEmptyLog();
            const double fixed = RunKelrun(kelrun);
            BuildTree();
            WriteProduct(true);
            const double removal = RunKelrun(kelrun) - fixed;
            if (::GetFileAttributesA(kRoot) != INVALID_FILE_ATTRIBUTES)
                std::fprintf(stderr, "warning: kelrun left %s behind\n", kRoot);
            (page ? withPage : withoutPage).push_back(removal);
        }
    }
    UsePage(false);
    const double pageRemoval = Median(withPage);
    const double plainRemoval = Median(withoutPage);
    std::printf("kelrun removal with its page: the same %d files, %d alternating rounds (medians, each less\n"
                "its own run over a log that removes nothing)\n",
                kFolders * kFilesPerFolder, rounds);
    std::printf("  removal without a page      %8.3f s\n", plainRemoval);
    std::printf("  removal with the page shown %8.3f s\n", pageRemoval);
    std::printf("  ratio page / no page        %8.3f (target <= 1.2)\n", pageRemoval / plainRemoval);
    return 0;
}
