// Benchmark: loading a full page (70 controls of 20 properties each) into
// kelrun's page window, against the bare private-profile reads that such a
// load must make (16 window keys, TOTAL, one listing of INFO, and per
// control its INFO line, its count and its 20 properties: 1557 reads and a
// listing), both measured here in the same prefix; prints medians and their
// ratio.
//
//   page_load_bench [ROUNDS]
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/app_win.h"
#include "tests/support/test_support_win.h"
#include "uninstaller/skin/skin_dialog_win.h"

namespace {

constexpr int kControls = 70;
constexpr int kProperties = 20;
const char* const kWindowKeys[] = {"idcname", "caption", "bkimage", "border", "startup", "bkcolor",
                                   "width", "height", "soundfile", "minwindow", "maxwindow", "closewindow",
                                   "fontname", "fontsize", "fontbold", "fontitalic"};

using Clock = std::chrono::steady_clock;

CWinApp benchApplication;

class BenchHost : public CWnd, public PageHost {
public:
    BenchHost()
    {
        const char* className = RegisterWindowClass("PageBenchHost", 0, nullptr, nullptr, nullptr);
        CreateEx(0, className, "host", WS_OVERLAPPEDWINDOW, 0, 0, 0, 0, nullptr, nullptr);
    }
    bool OnPageCommand(int, int, int, const CString&, CSkinDialog*, const CString&) override { return false; }
    const CFont* GetPageFont() const override { return &font_; }
    void CreatePageFont(const CString& face, int height, int bold, int italic, int points) override
    {
        MakePageFont(font_, face, height, bold, italic, points);
    }

private:
    CFont font_;
};

// Five kinds of 14 controls each: within 15 a kind and 70 a page.
std::string FullPage()
{
    const char* kinds[] = {"TEXT", "BUTTON", "RECT", "CHECKBOX", "HOTSPOT"};
    std::string page =
        "[MAINWINDOW]\r\nidcname=IDD_BENCH\r\ncaption=Bench\r\nbkimage=\r\nborder=1\r\nstartup=0\r\n"
        "bkcolor=255,255,255\r\nwidth=640\r\nheight=480\r\nsoundfile=\r\nminwindow=No\r\nmaxwindow=No\r\n"
        "closewindow=Yes\r\nfontname=Tahoma\r\nfontsize=8\r\nfontbold=No\r\nfontitalic=No\r\n\r\n[INFO]\r\n";
    page += "TOTAL=" + std::to_string(kControls) + "\r\n";
    for (int key = 0; key < kControls; ++key) {
        page += std::to_string(key) + "=0," + std::to_string(10 + (key % 7) * 88) + "," +
                std::to_string(10 + (key / 7) * 40) + ",80,30," + kinds[key / 14] + ",,0," + std::to_string(key) +
                "\r\n";
    }
    page += "\r\n[DADOS]\r\n";
    for (int key = 0; key < kControls; ++key) {
        page += std::to_string(key) + ",t=" + std::to_string(kProperties) + "\r\n";
        for (int position = 0; position < kProperties; ++position) {
            page += std::to_string(key) + "," + std::to_string(position) + "=Property " +
                    std::to_string(position) + "|value " + std::to_string(position) + "|0\r\n";
        }
    }
    return page;
}

// Every read the load makes, with nothing done with the values.
int BareReads(const std::string& path)
{
    char value[555];
    int reads = 0;
    auto read = [&](const char* section, const std::string& key) {
        ::GetPrivateProfileStringA(section, key.c_str(), "", value, sizeof value, path.c_str());
        ++reads;
    };
    for (const char* key : kWindowKeys)
        read("MAINWINDOW", key);
    read("INFO", "TOTAL");
    std::vector<char> names(4096);
    ::GetPrivateProfileStringA("INFO", nullptr, "", names.data(), static_cast<DWORD>(names.size()), path.c_str());
    for (int key = kControls - 1; key >= 0; --key) {
        read("INFO", std::to_string(key));
        read("DADOS", std::to_string(key) + ",t");
        for (int position = 0; position < kProperties; ++position)
            read("DADOS", std::to_string(key) + "," + std::to_string(position));
    }
    return reads;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

template <typename Work>
double SecondsOf(Work work)
{
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    ::OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    testsupport::ScratchFolder folder("page-bench");
    const std::string path = folder.Path() + "\\bench.lcd";
    testsupport::WriteFile(path, FullPage());

    BenchHost host;
    benchApplication.m_pMainWnd = &host;
    CSkinDialog page;
    page.LoadPageFile(path.c_str());
    if (page.Model().ControlCount() != kControls || page.Model().Control(0).PropCount != kProperties) {
        std::fprintf(stderr, "the bench page loaded %d controls, not %d\n", page.Model().ControlCount(), kControls);
        return 1;
    }
    const int reads = BareReads(path);

    // The two alternate round by round, so that a change in the machine's
    // load (it is shared) weighs on both alike.
    std::vector<double> bareTimes;
    std::vector<double> loadTimes;
    for (int round = 0; round < rounds; ++round) {
        bareTimes.push_back(SecondsOf([&] { BareReads(path); }));
        loadTimes.push_back(SecondsOf([&] { page.LoadPageFile(path.c_str()); }));
    }
    const double bare = Median(bareTimes);
    const double load = Median(loadTimes);
    std::printf("page of %d controls x %d properties, median of %d rounds\n", kControls, kProperties, rounds);
    std::printf("  bare reads (%d reads + 1 listing): %8.2f ms\n", reads, bare * 1000);
    std::printf("  LoadPageFile (reads + 70 windows):    %8.2f ms\n", load * 1000);
    std::printf("  ratio load / bare reads: %.2f (target: at most 2)\n", load / bare);
    benchApplication.m_pMainWnd = nullptr;
    return 0;
}
