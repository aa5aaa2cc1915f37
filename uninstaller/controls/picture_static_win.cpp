#include "uninstaller/controls/picture_static_win.h"

#include <ocidl.h>

#include <utility>

#include "framework/app_win.h"
#include "framework/gdi_win.h"
#include "uninstaller/controls/control_rules.h"
#include "uninstaller/controls/control_support_win.h"

namespace {

// Selects a palette into a DC, realised, and puts the previous one back.
class ScopedSelectPalette {
public:
    ScopedSelectPalette(HDC dc, HPALETTE palette) : dc_(dc)
    {
        if (palette) {
            old_ = ::SelectPalette(dc, palette, FALSE);
            ::RealizePalette(dc);
        }
    }
    ~ScopedSelectPalette()
    {
        if (old_)
            ::SelectPalette(dc_, old_, FALSE);
    }
    ScopedSelectPalette(const ScopedSelectPalette&) = delete;
    ScopedSelectPalette& operator=(const ScopedSelectPalette&) = delete;

private:
    HDC dc_;                   // borrowed
    HPALETTE old_ = nullptr;   // borrowed: the DC's palette before
};

void FillWithColor(HDC dc, const RECT& area, COLORREF color)
{
    CBrush brush(color);
    ::FillRect(dc, &area, brush);
}

constexpr int IconSize = 32;

}  // namespace

CPictureStatic::CPictureStatic() : backColor_(::GetSysColor(COLOR_BTNFACE)) {}

CPictureStatic::~CPictureStatic()
{
    // The window goes first: it must not keep showing an icon of ours that
    // is about to be destroyed.
    DestroyWindow();
}

PictureFileStatus CPictureStatic::LoadPicture(const CString& path)
{
    PictureFile file = LoadPictureFile(path);
    if (file.status == PictureFileStatus::Missing && !silent_)
        AfxMessageBox(CString::Format("File not found: (%s)", path.GetString()), MB_OK);
    if (file.status != PictureFileStatus::Loaded)
        return file.status;  // an oversized file or one that is no picture changes nothing
    CComPtr<IPicture> loaded = std::move(file.picture);

    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    loaded->get_Width(&width);
    loaded->get_Height(&height);
    picture_ = std::move(loaded);  // releases the picture held before
    himetricWidth_ = width;
    himetricHeight_ = height;

    CClientDC screen(nullptr);
    pixelWidth_ = HimetricToPixels(width, ::GetDeviceCaps(screen, LOGPIXELSX));
    pixelHeight_ = HimetricToPixels(height, ::GetDeviceCaps(screen, LOGPIXELSY));
    pictureLoaded_ = 1;
    return PictureFileStatus::Loaded;
}

void CPictureStatic::SetBackColor(const CString& colorText)
{
    backColor_ = ColorFromText(colorText);
    Invalidate(true);
}

void CPictureStatic::SetIconIndex(int index)
{
    iconMode_ = 255;
    const int resource = PageIconResourceFor(index);
    if (resource != 0) {
        CIcon icon = LoadIconResource(resource, IconSize);
        if (m_hWnd) {
            SetImage(IMAGE_ICON, icon.Get());
            SetIcon(icon.Get());
        }
        // The window shows the new icon now, so the old one may go.
        icon_ = std::move(icon);
    }
    Invalidate(true);
}

void CPictureStatic::Paint(HDC dc)
{
    if (iconMode_ == 255)
        PaintIcon(dc);
    else if (pictureLoaded_ == 1 && picture_)
        PaintPicture(dc);
}

void CPictureStatic::PaintIcon(HDC dc)
{
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    FillWithColor(dc, client, backColor_);
    if (icon_)
        ::DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon_.Get()), 0, 0, 0, IconSize, IconSize,
                     DST_ICON | DSS_NORMAL);
}

void CPictureStatic::PaintPicture(HDC dc)
{
    OLE_HANDLE paletteHandle = 0;
    HPALETTE palette = nullptr;
    if (SUCCEEDED(picture_->get_hPal(&paletteHandle)) && paletteHandle)
        palette = reinterpret_cast<HPALETTE>(static_cast<UINT_PTR>(paletteHandle));
    ScopedSelectPalette screenPalette(dc, palette);

    // The picture is rendered upside down in HIMETRIC terms (top at the
    // height, going up by minus the height), which stands it upright.
    DWORD attributes = 0;
    const HRESULT asked = picture_->get_Attributes(&attributes);
    if (FAILED(asked) || (attributes & PICTURE_TRANSPARENT)) {
        // A transparent picture is composed over the background colour off
        // screen, then copied in one piece.
        RECT area{0, 0, pixelWidth_, pixelHeight_};
        CMemoryDC memory(dc);
        CBitmap bitmap;
        bitmap.Attach(::CreateCompatibleBitmap(dc, pixelWidth_, pixelHeight_));
        ScopedSelectObject selectBitmap(memory, bitmap);
        ScopedSelectPalette memoryPalette(memory, palette);
        FillWithColor(memory, area, backColor_);
        picture_->Render(memory, 0, 0, pixelWidth_, pixelHeight_, 0, himetricHeight_, himetricWidth_,
                         -himetricHeight_, &area);
        ::BitBlt(dc, 0, 0, pixelWidth_, pixelHeight_, memory, 0, 0, SRCCOPY);
    } else {
        RECT client{};
        ::GetClientRect(m_hWnd, &client);
        picture_->Render(dc, 0, 0, pixelWidth_, pixelHeight_, 0, himetricHeight_, himetricWidth_, -himetricHeight_,
                         &client);
    }
}
