// What the control tests share: a stand-in for the page window, controls
// printed into a bitmap of the test's own, a count of the process's GDI
// objects, and a watcher that answers message boxes.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <utility>
#include <vector>

#include "framework/gdi_win.h"
#include "framework/handle_win.h"
#include "framework/wnd_win.h"

namespace controltest {

// A top-level window of ours standing in for the page window: it offers the
// colour requests of its controls back to them first (as every window of the
// framework does) and answers with its own brush when they make none.
class TestPage : public CWnd {
public:
    TestPage();
    ~TestPage() override;

    HBRUSH OwnBrush() const { return ownBrush_.GetSafeHandle(); }
    // The next free control id, 3000 upward as on a page.
    UINT NextId() { return nextId_++; }

protected:
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT type);

    DECLARE_MESSAGE_MAP()

private:
    CBrush ownBrush_;
    UINT nextId_ = 3000;
};

RECT Rect(int x, int y, int width, int height);

// The pixels a control paints into a bitmap that holds `underneath` before
// (asked with WM_PRINTCLIENT, so that no other window on the screen can
// cover what is read).
class PrintedControl {
public:
    PrintedControl(HWND control, COLORREF underneath);
    PrintedControl(int width, int height, std::vector<COLORREF> pixels)
        : width_(width), height_(height), pixels_(std::move(pixels))
    {
    }

    int Width() const { return width_; }
    int Height() const { return height_; }
    COLORREF At(int x, int y) const;
    int Count(COLORREF color) const;
    // The smallest rectangle holding every pixel that is not `background`;
    // empty (all zero) when there is none.
    RECT InkBounds(COLORREF background) const;
    bool operator==(const PrintedControl& other) const { return pixels_ == other.pixels_; }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<COLORREF> pixels_;
};

// An icon resource of the test program drawn at 0,0 in 32 x 32 over `back`,
// in a bitmap of the given size: what an icon control should show.
PrintedControl DrawnIcon(int resource, int width, int height, COLORREF back);

// The GDI objects a process holds now (a handle that may read its memory).
int GdiObjectCount(HANDLE target = ::GetCurrentProcess());

// Watches for message boxes of this process while it lives, records their
// captions and texts, and answers each with OK.
class MessageBoxWatcher {
public:
    MessageBoxWatcher();
    ~MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    struct Box {
        std::string caption;
        std::string text;
    };
    // Stops watching and returns what was seen.
    std::vector<Box> Stop();

private:
    static DWORD WINAPI WatchThread(void* watcher);
    void Watch();

    std::atomic<bool> stop_{false};
    std::vector<Box> boxes_;  // written by the watching thread until it has ended
    // A thread of the system's own rather than std::thread: under Wine a
    // std::thread (through winpthreads) now and then starts its routine
    // without its state and crashes.
    CHandle thread_;
};

// A font's description, from the font handle.
LOGFONTA FontOf(HFONT font);

// A test picture made at build time (full Windows path).
std::string TestPicture(const char* name);

}  // namespace controltest
