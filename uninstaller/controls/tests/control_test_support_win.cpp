#include "uninstaller/controls/tests/control_test_support_win.h"

#include <winternl.h>

#include <algorithm>
#include <cstdint>
#include <optional>

#include "tests/support/test_support_win.h"

namespace controltest {

BEGIN_MESSAGE_MAP(TestPage, CWnd)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

TestPage::TestPage() : ownBrush_(RGB(1, 2, 3))
{
    const char* className =
        RegisterWindowClass("KelrunControlTestPage", 0, nullptr, nullptr, ::GetSysColorBrush(COLOR_BTNFACE));
    CreateEx(0, className, "control test", WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0, 520, 400, nullptr, nullptr);
}

TestPage::~TestPage()
{
    DestroyWindow();
}

HBRUSH TestPage::OnCtlColor(HDC, HWND, UINT)
{
    return ownBrush_;
}

RECT Rect(int x, int y, int width, int height)
{
    return RECT{x, y, x + width, y + height};
}

namespace {

// A 32-bit top-down bitmap the caller can read directly, selected into a
// memory DC for the life of the object.
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill) : dc_(nullptr)
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_.Attach(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = static_cast<const std::uint32_t*>(bits);
        select_.emplace(dc_, bitmap_);
        RECT all{0, 0, width, height};
        CBrush brush(fill);
        ::FillRect(dc_, &all, brush);
    }
    HDC Dc() const { return dc_; }
    std::vector<COLORREF> Read(int width, int height) const
    {
        ::GdiFlush();
        std::vector<COLORREF> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
        for (std::size_t i = 0; i < pixels.size(); ++i) {
            const std::uint32_t bgr = bits_[i];
            pixels[i] = RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
        }
        return pixels;
    }

private:
    CMemoryDC dc_;
    CBitmap bitmap_;
    const std::uint32_t* bits_ = nullptr;  // owned by bitmap_
    std::optional<ScopedSelectObject> select_;
};

}  // namespace

PrintedControl::PrintedControl(HWND control, COLORREF underneath)
{
    RECT client{};
    ::GetClientRect(control, &client);
    width_ = client.right;
    height_ = client.bottom;
    Canvas canvas(width_, height_, underneath);
    ::SendMessageA(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
    pixels_ = canvas.Read(width_, height_);
}

COLORREF PrintedControl::At(int x, int y) const
{
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
}

int PrintedControl::Count(COLORREF color) const
{
    int count = 0;
    for (COLORREF pixel : pixels_)
        count += pixel == color ? 1 : 0;
    return count;
}

RECT PrintedControl::InkBounds(COLORREF background) const
{
    RECT bounds{width_, height_, 0, 0};
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            if (At(x, y) == background)
                continue;
            bounds.left = std::min<LONG>(bounds.left, x);
            bounds.top = std::min<LONG>(bounds.top, y);
            bounds.right = std::max<LONG>(bounds.right, x + 1);
            bounds.bottom = std::max<LONG>(bounds.bottom, y + 1);
        }
    }
    if (bounds.right == 0)
        return RECT{0, 0, 0, 0};
    return bounds;
}

PrintedControl DrawnIcon(int resource, int width, int height, COLORREF back)
{
    Canvas canvas(width, height, back);
    HICON icon = static_cast<HICON>(
        ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resource), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR));
    if (icon) {
        ::DrawIconEx(canvas.Dc(), 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL);
        ::DestroyIcon(icon);
    }
    return PrintedControl(width, height, canvas.Read(width, height));
}

int GdiObjectCount(HANDLE target)
{
    const DWORD reported = ::GetGuiResources(target, GR_GDIOBJECTS);
    if (reported != 0)
        return static_cast<int>(reported);
    // Wine answers 0 here (the call is not implemented there), but keeps the
    // process's GDI handle table where Windows keeps it, in the process
    // environment block: 24-byte entries whose type byte and unique number
    // are set while the object lives; deleting it clears the unique number.
    struct Entry {
        std::uint64_t object;
        std::uint16_t processId;
        std::uint16_t count;
        std::uint8_t type;
        std::uint8_t flags;
        std::uint16_t unique;
        std::uint64_t user;
    };
    static_assert(sizeof(Entry) == 24, "entry layout");
#ifdef _WIN64
    constexpr std::size_t tableOffset = 0xF8;
#else
    constexpr std::size_t tableOffset = 0x94;
#endif
    PROCESS_BASIC_INFORMATION process{};
    if (::NtQueryInformationProcess(target, ProcessBasicInformation, &process, sizeof process, nullptr) != 0)
        return -1;
    const auto* peb = reinterpret_cast<const unsigned char*>(process.PebBaseAddress);
    const Entry* table = nullptr;
    if (!::ReadProcessMemory(target, peb + tableOffset, &table, sizeof table, nullptr) || !table)
        return -1;
    MEMORY_BASIC_INFORMATION region{};
    if (!::VirtualQueryEx(target, table, &region, sizeof region))
        return -1;
    const auto* end = static_cast<const unsigned char*>(region.BaseAddress) + region.RegionSize;
    std::vector<Entry> entries(static_cast<std::size_t>(end - reinterpret_cast<const unsigned char*>(table)) / sizeof(Entry));
    if (!::ReadProcessMemory(target, table, entries.data(), entries.size() * sizeof(Entry), nullptr))
        return -1;
    int live = 0;
    for (const Entry& entry : entries)
        live += (entry.type != 0 && entry.unique != 0) ? 1 : 0;
    return live;
}

MessageBoxWatcher::MessageBoxWatcher() : thread_(::CreateThread(nullptr, 0, &WatchThread, this, 0, nullptr)) {}

DWORD WINAPI MessageBoxWatcher::WatchThread(void* watcher)
{
    static_cast<MessageBoxWatcher*>(watcher)->Watch();
    return 0;
}

MessageBoxWatcher::~MessageBoxWatcher()
{
    Stop();
}

std::vector<MessageBoxWatcher::Box> MessageBoxWatcher::Stop()
{
    stop_ = true;
    if (thread_) {
        ::WaitForSingleObject(thread_.Get(), INFINITE);
        thread_.Close();
    }
    return boxes_;
}

namespace {

std::string TextOf(HWND window)
{
    char text[1024] = {};
    ::GetWindowTextA(window, text, sizeof text);
    return text;
}

// An EnumWindows callback: the visible message boxes of this process. It is
// a named CALLBACK function because the system calls it with stdcall, which a
// lambda cannot be on 32-bit x86.
BOOL CALLBACK CollectOwnBoxes(HWND window, LPARAM context)
{
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    char className[32] = {};
    ::GetClassNameA(window, className, sizeof className);
    if (process == ::GetCurrentProcessId() && std::string(className) == "#32770" && ::IsWindowVisible(window))
        reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
    return TRUE;
}

}  // namespace

void MessageBoxWatcher::Watch()
{
    std::vector<HWND> answered;
    while (!stop_) {
        std::vector<HWND> boxes;
        ::EnumWindows(CollectOwnBoxes, reinterpret_cast<LPARAM>(&boxes));
        for (HWND box : boxes) {
            bool seen = false;
            for (HWND old : answered)
                seen = seen || old == box;
            if (seen)
                continue;
            answered.push_back(box);
            boxes_.push_back(Box{TextOf(box), TextOf(::GetDlgItem(box, 0xFFFF))});
            ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
        ::Sleep(20);
    }
}

LOGFONTA FontOf(HFONT font)
{
    LOGFONTA description{};
    if (font)
        ::GetObjectA(font, sizeof description, &description);
    return description;
}

std::string TestPicture(const char* name)
{
    return testsupport::WindowsPathOf(CONTROL_TEST_PICTURES) + "\\" + name;
}

}  // namespace controltest
