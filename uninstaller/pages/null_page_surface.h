// A page window that does nothing: every surface and factory operation is
// empty, and a control is "made" at the rectangle asked for. Whatever only
// loads pages to look at the model (kelcheck, the page fuzzer) derives from
// it and overrides the few operations it watches.
#pragma once

#include "uninstaller/pages/control_factory.h"
#include "uninstaller/pages/page_surface.h"

class NullPageSurface : public PageSurface, public ControlFactory {
public:
    void SetWindowTitle(const CString&) override {}
    void SetWindowBackColor(const CString&) override {}
    void SetWindowStyle(WindowStyleBit, bool) override {}
    void ShowOnTaskbar() override {}
    void SetBackgroundImage(const CString&) override {}
    void ClearBackgroundImage() override {}
    void SetPageFont(const FontSpec&, int) override {}
    void RedrawPage() override {}
    ColorRgb ButtonFaceColor() override { return {212, 208, 200}; }
    void SetControlText(const PageControl&, const CString&) override {}
    void SetControlColor(const PageControl&, const CString&, int) override {}
    void SetControlFont(const PageControl&, const FontSpec&) override {}
    void SetTextAlignment(const PageControl&, const char*) override {}
    void SetLinkStyle(const PageControl&, int) override {}
    void SetSecondColor(const PageControl&, const CString&) override {}
    void SetPictureBackColor(const PageControl&, const CString&) override {}
    void SetIconIndex(const PageControl&, int) override {}
    void LoadPicture(const PageControl&, const CString&) override {}
    void SetControlBorder(const PageControl&, bool) override {}
    void AddExtendedStyle(const PageControl&, std::uint32_t) override {}
    void MakeDefaultButton(const PageControl&) override {}
    void EnableControl(const PageControl&, bool) override {}

    ControlRect CreateControl(const ControlCreation& request) override { return request.rect; }
    void DestroyControl(int) override {}
};
