// SkinPageSurface: carries out what the page model does to the page window
// and its controls, on real windows: the window's title, colour, frame bits,
// picture and font, and the styled controls of the pools.
#pragma once

#include "framework/wnd_win.h"
#include "uninstaller/pages/page_surface.h"
#include "uninstaller/skin/page_background_win.h"
#include "uninstaller/skin/page_host_win.h"
#include "uninstaller/skin/page_pools_win.h"

class SkinPageSurface : public PageSurface {
public:
    // All three are borrowed and outlive the surface.
    SkinPageSurface(CWnd& page, PagePools& pools, PageBackground& background)
        : page_(page), pools_(pools), background_(background)
    {
    }

    // Where a picture file over 32 MB is reported (borrowed; null: nowhere).
    void SetReport(const PageReport* report) { report_ = report; }
    // The host that makes the page font; null: the page has no font.
    void UseHost(PageHost* host);
    const CFont* PageFont() const { return host_ ? host_->GetPageFont() : nullptr; }

    // The page window.
    void SetWindowTitle(const CString& title) override;
    void SetWindowBackColor(const CString& colorText) override;
    void SetWindowStyle(WindowStyleBit bit, bool on) override;
    void ShowOnTaskbar() override;
    void SetBackgroundImage(const CString& path) override;
    void ClearBackgroundImage() override;
    void SetPageFont(const FontSpec& font, int height) override;
    void RedrawPage() override;
    ColorRgb ButtonFaceColor() override;

    // Controls.
    void SetControlText(const PageControl& control, const CString& text) override;
    void SetControlColor(const PageControl& control, const CString& colorText, int which) override;
    void SetControlFont(const PageControl& control, const FontSpec& font) override;
    void SetTextAlignment(const PageControl& control, const char* word) override;
    void SetLinkStyle(const PageControl& control, int flag) override;
    void SetSecondColor(const PageControl& control, const CString& colorText) override;
    void SetPictureBackColor(const PageControl& control, const CString& colorText) override;
    void SetIconIndex(const PageControl& control, int index) override;
    void LoadPicture(const PageControl& control, const CString& path) override;
    void SetControlBorder(const PageControl& control, bool on) override;
    void AddExtendedStyle(const PageControl& control, std::uint32_t exStyles) override;
    void MakeDefaultButton(const PageControl& control) override;
    void EnableControl(const PageControl& control, bool enable) override;

private:
    // The record's object when it has a window, as the class its pool holds;
    // null otherwise, so that a control never made is passed over.
    template <typename Control>
    Control* Live(const PageControl& control)
    {
        Control* object = pools_.ObjectOf<Control>(control);
        return object && object->GetSafeHwnd() ? object : nullptr;
    }
    void HandFontToControls();

    CWnd& page_;                  // borrowed
    PagePools& pools_;            // borrowed
    PageBackground& background_;  // borrowed
    PageHost* host_ = nullptr;    // borrowed: the main window
    const PageReport* report_ = nullptr;  // borrowed from the page window
};
