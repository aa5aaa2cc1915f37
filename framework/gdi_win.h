// GDI objects and device contexts, each owned by one RAII object.
#pragma once

#include <windows.h>

#include <utility>

// Owns one GDI object (font, brush, bitmap, pen) and deletes it.
template <typename Handle>
class CGdiObject {
public:
    CGdiObject() = default;
    explicit CGdiObject(Handle handle) : handle_(handle) {}
    ~CGdiObject() { DeleteObject(); }

    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    CGdiObject(CGdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    CGdiObject& operator=(CGdiObject&& other) noexcept
    {
        if (this != &other)
            Attach(std::exchange(other.handle_, nullptr));
        return *this;
    }

    Handle GetSafeHandle() const { return handle_; }
    operator Handle() const { return handle_; }  // NOLINT: as the framework's objects
    explicit operator bool() const { return handle_ != nullptr; }

    // Takes ownership of a new object and deletes the one it replaces.
    void Attach(Handle handle)
    {
        if (handle != handle_) {
            DeleteObject();
            handle_ = handle;
        }
    }
    void DeleteObject()
    {
        if (handle_)
            ::DeleteObject(std::exchange(handle_, nullptr));
    }

private:
    Handle handle_ = nullptr;
};

class CFont : public CGdiObject<HFONT> {
public:
    bool CreateFontIndirect(const LOGFONTA& font)
    {
        Attach(::CreateFontIndirectA(&font));
        return GetSafeHandle() != nullptr;
    }
    // A font of the given face, point size (tenths allowed as in 9.75 pt = 97.5),
    // weight and italic flag, for the screen's pixels per inch.
    bool CreatePointFont(const char* face, double points, int weight = FW_NORMAL, bool italic = false);
};

class CBrush : public CGdiObject<HBRUSH> {
public:
    CBrush() = default;
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
    bool CreateSolidBrush(COLORREF color)
    {
        Attach(::CreateSolidBrush(color));
        return GetSafeHandle() != nullptr;
    }
};

class CBitmap : public CGdiObject<HBITMAP> {};
class CPen : public CGdiObject<HPEN> {};

// Selects an object into a DC and puts the previous one back.
class ScopedSelectObject {
public:
    ScopedSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(::SelectObject(dc, object)) {}
    ~ScopedSelectObject()
    {
        if (old_)
            ::SelectObject(dc_, old_);
    }
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

private:
    HDC dc_;        // borrowed
    HGDIOBJ old_;   // borrowed: belongs to whoever selected it before
};

// BeginPaint/EndPaint for one WM_PAINT.
class CPaintDC {
public:
    explicit CPaintDC(HWND window) : window_(window) { dc_ = ::BeginPaint(window, &paint_); }
    ~CPaintDC() { ::EndPaint(window_, &paint_); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    HDC Get() const { return dc_; }
    operator HDC() const { return dc_; }  // NOLINT

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;  // owned by the paint cycle; EndPaint releases it
};

// GetDC/ReleaseDC for a window (null = the screen).
class CClientDC {
public:
    explicit CClientDC(HWND window) : window_(window), dc_(::GetDC(window)) {}
    ~CClientDC()
    {
        if (dc_)
            ::ReleaseDC(window_, dc_);
    }
    CClientDC(const CClientDC&) = delete;
    CClientDC& operator=(const CClientDC&) = delete;
    operator HDC() const { return dc_; }  // NOLINT

private:
    HWND window_;
    HDC dc_;  // owned
};

// A memory DC compatible with another DC; deleted with the object.
class CMemoryDC {
public:
    explicit CMemoryDC(HDC compatibleWith) : dc_(::CreateCompatibleDC(compatibleWith)) {}
    ~CMemoryDC()
    {
        if (dc_)
            ::DeleteDC(dc_);
    }
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;
    operator HDC() const { return dc_; }  // NOLINT

private:
    HDC dc_;  // owned
};
