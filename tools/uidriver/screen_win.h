// Inside the driver: pictures of what the screen shows, for what can only be
// told from pixels (the icon of a message box, the greyed lines of a menu).
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <type_traits>

namespace uidriver::detail {

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using Brush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiObjectDeleter>;

// The screen's device context for as long as it lives.
class ScreenDc {
public:
    ScreenDc() : dc_(GetDC(nullptr)) {}
    ~ScreenDc()
    {
        if (dc_)
            ReleaseDC(nullptr, dc_);
    }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    HDC Get() const { return dc_; }

private:
    HDC dc_;  // owned: released, not deleted
};

// A 32-bit top-down picture in memory with a device context to draw into.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height)
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // top-down: row 0 first
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        if (dc_ && bitmap_)
            oldBitmap_ = SelectObject(dc_, bitmap_);
    }
    ~Canvas()
    {
        if (oldBitmap_)
            SelectObject(dc_, oldBitmap_);
        if (bitmap_)
            DeleteObject(bitmap_);
        if (dc_)
            DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    bool IsValid() const { return oldBitmap_ != nullptr && bits_ != nullptr; }
    HDC Dc() const { return dc_; }
    // The colour of a pixel as 0x00RRGGBB, whatever the unused byte holds.
    std::uint32_t Color(int index) const
    {
        GdiFlush();
        return static_cast<const std::uint32_t*>(bits_)[index] & 0x00FFFFFF;
    }
    int PixelCount() const { return width_ * height_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Copies what the screen shows from (x, y) on. Wine refuses to copy from
    // the device context of another process's window; the screen's works.
    bool CopyFromScreen(int x, int y)
    {
        const ScreenDc screen;
        return screen.Get() && BitBlt(dc_, 0, 0, width_, height_, screen.Get(), x, y, SRCCOPY);
    }
    void Fill(COLORREF color)
    {
        const Brush brush(CreateSolidBrush(color));
        RECT all{0, 0, width_, height_};
        FillRect(dc_, &all, brush.get());
    }

private:
    int width_;
    int height_;
    HDC dc_ = nullptr;             // owned
    HBITMAP bitmap_ = nullptr;     // owned
    HGDIOBJ oldBitmap_ = nullptr;  // the DC's own, put back before it goes
    void* bits_ = nullptr;         // owned by bitmap_
};

}  // namespace uidriver::detail
