#include "uninstaller/skin/skin_surface_win.h"

#include "uninstaller/controls/control_support_win.h"

namespace {

DWORD StyleBitOf(WindowStyleBit bit)
{
    switch (bit) {
    case WindowStyleBit::ThinBorder:
        return WS_BORDER;
    case WindowStyleBit::MinimizeBox:
        return WS_MINIMIZEBOX;
    case WindowStyleBit::MaximizeBox:
        return WS_MAXIMIZEBOX;
    case WindowStyleBit::SystemMenu:
        return WS_SYSMENU;
    }
    return 0;
}

}  // namespace

void SkinPageSurface::UseHost(PageHost* host)
{
    host_ = host;
    pools_.UsePageFont(PageFont());
}

void SkinPageSurface::SetWindowTitle(const CString& title)
{
    page_.SetWindowText(title);
}

void SkinPageSurface::SetWindowBackColor(const CString& colorText)
{
    background_.SetColor(ColorFromText(colorText));
    page_.Invalidate(true);
}

void SkinPageSurface::SetWindowStyle(WindowStyleBit bit, bool on)
{
    // No frame-changed flag: the frame follows when the window is placed.
    const DWORD style = StyleBitOf(bit);
    page_.ModifyStyle(on ? 0 : style, on ? style : 0);
}

void SkinPageSurface::ShowOnTaskbar()
{
    page_.ModifyStyleEx(0, WS_EX_APPWINDOW);
}

void SkinPageSurface::SetBackgroundImage(const CString& path)
{
    ReportPictureFile(report_, background_.SetImage(path), path);
    page_.Invalidate(true);
}

void SkinPageSurface::ClearBackgroundImage()
{
    background_.Clear();
}

void SkinPageSurface::SetPageFont(const FontSpec& font, int height)
{
    if (host_)
        host_->CreatePageFont(font.face, height, font.bold, font.italic, font.points);
    pools_.UsePageFont(PageFont());
    HandFontToControls();
    page_.Invalidate(true);
}

void SkinPageSurface::HandFontToControls()
{
    const CFont* font = PageFont();
    const HFONT handle = font ? font->GetSafeHandle() : nullptr;
    // Every control that was given the page font when it was made gets the
    // new one: the old font is deleted when the host remakes it, and a
    // control left holding its handle would draw with a deleted font.
    const ControlPool pools[] = {ControlPool::GroupBoxes, ControlPool::Texts,      ControlPool::Buttons,
                                 ControlPool::Radios,     ControlPool::TextBoxes,  ControlPool::ComboBoxes,
                                 ControlPool::CheckBoxes, ControlPool::Animations, ControlPool::TreeViews};
    for (const ControlPool pool : pools) {
        for (int index = 0; index < MaxKindControls; ++index) {
            CWnd* control = pools_.Object(pool, index);
            if (control && control->GetSafeHwnd())
                control->SetFont(handle, true);
        }
    }
}

void SkinPageSurface::RedrawPage()
{
    page_.Invalidate(true);
}

ColorRgb SkinPageSurface::ButtonFaceColor()
{
    return SystemButtonFace();
}

void SkinPageSurface::SetControlText(const PageControl& control, const CString& text)
{
    if (CWnd* window = Live<CWnd>(control))
        window->SetWindowText(text);
}

void SkinPageSurface::SetControlColor(const PageControl& control, const CString& colorText, int which)
{
    if (which != 0 && which != 1)
        return;
    // The face colour reaches the controls spelled out, so that a text on
    // the face colour leaves the page's own background showing.
    const CString color = SpellOutColorText(colorText, SystemButtonFace());
    bool acted = false;
    switch (control.KindCode) {
    case ControlKind::Text:
        if (CColorStatic* text = Live<CColorStatic>(control)) {
            if (which == 0)
                text->SetTextColor(ColorFromText(color));
            else
                text->SetBackColor(color);
        }
        acted = true;
        break;
    case ControlKind::Rect:
        if (which == 1) {
            if (CColorStatic* box = Live<CColorStatic>(control))
                box->SetBackColor(color);
            acted = true;
        }
        break;
    case ControlKind::GroupBox:
        if (which == 1) {
            if (CColorButton* group = Live<CColorButton>(control))
                group->SetBackColor(color);
            acted = true;
        }
        break;
    case ControlKind::Radio:
    case ControlKind::CheckBox:
        if (which == 1) {
            if (CColorCheckButton* check = Live<CColorCheckButton>(control))
                check->SetBackColor(color);
            acted = true;
        }
        break;
    case ControlKind::TextBox:
    case ControlKind::RichText:
        acted = which == 1;
        break;
    default:
        break;
    }
    if (acted)
        page_.Invalidate(true);
}

void SkinPageSurface::SetControlFont(const PageControl& control, const FontSpec& font)
{
    if (CColorStatic* text = Live<CColorStatic>(control))
        text->SetTextFont(font.face, font.points, font.bold, font.italic);
    else if (CColorButton* button = Live<CColorButton>(control))
        button->SetTextFont(font.face, font.points, font.bold, font.italic);
}

void SkinPageSurface::SetTextAlignment(const PageControl& control, const char* word)
{
    if (CColorStatic* text = Live<CColorStatic>(control))
        text->SetAlignment(word);
}

void SkinPageSurface::SetLinkStyle(const PageControl& control, int flag)
{
    if (CColorStatic* text = Live<CColorStatic>(control))
        text->SetLinkStyle(flag);
}

void SkinPageSurface::SetSecondColor(const PageControl& control, const CString& colorText)
{
    if (CColorCheckButton* check = Live<CColorCheckButton>(control))
        check->SetSecondColor(colorText);
}

void SkinPageSurface::SetPictureBackColor(const PageControl& control, const CString& colorText)
{
    if (CPictureStatic* picture = Live<CPictureStatic>(control))
        picture->SetBackColor(colorText);
}

void SkinPageSurface::SetIconIndex(const PageControl& control, int index)
{
    if (CPictureStatic* icon = Live<CPictureStatic>(control))
        icon->SetIconIndex(index);
}

void SkinPageSurface::LoadPicture(const PageControl& control, const CString& path)
{
    // The object was made silent in an unattended run before any picture.
    if (CPictureStatic* icon = Live<CPictureStatic>(control))
        ReportPictureFile(report_, icon->LoadPicture(path), path);
}

void SkinPageSurface::SetControlBorder(const PageControl& control, bool on)
{
    if (CWnd* window = Live<CWnd>(control))
        window->ModifyStyle(on ? 0 : WS_BORDER, on ? WS_BORDER : 0, SWP_FRAMECHANGED);
}

void SkinPageSurface::AddExtendedStyle(const PageControl& control, std::uint32_t exStyles)
{
    if (CWnd* window = Live<CWnd>(control))
        window->ModifyStyleEx(0, exStyles, SWP_FRAMECHANGED);
}

void SkinPageSurface::MakeDefaultButton(const PageControl& control)
{
    if (CWnd* window = Live<CWnd>(control))
        window->ModifyStyle(0, BS_DEFPUSHBUTTON, SWP_FRAMECHANGED);
}

void SkinPageSurface::EnableControl(const PageControl& control, bool enable)
{
    if (CWnd* window = Live<CWnd>(control))
        window->EnableWindow(enable);
}
