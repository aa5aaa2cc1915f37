#include "renamer/form_win.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "renamer/wide_win.h"

namespace pelmora {

namespace {

bool SameFont(const FormFont& a, const FormFont& b)
{
    return std::strcmp(a.face, b.face) == 0 && a.points == b.points && a.bold == b.bold && a.italic == b.italic;
}

}  // namespace

int CForm::openForms_ = 0;

BEGIN_MESSAGE_MAP(CForm, CWnd)
    ON_MESSAGE(WM_ACTIVATE, OnActivateForm)
    ON_MESSAGE(WM_SETFOCUS, OnSetFocusForm)
END_MESSAGE_MAP()

bool CForm::CreateForm(const char* className, const char* caption, int clientWidthTwips,
                       int clientHeightTwips, HBRUSH background, HICON bigIcon, HICON smallIcon)
{
    // The class procedure is the framework's; CS_DBLCLKS is not needed by the
    // form itself, its lists take double clicks on their own.
    const std::wstring wideClassName = Widen(className);
    if (!RegisterWindowClass(wideClassName.c_str(), 0, bigIcon, nullptr, background))
        return false;

    // A fixed dialog frame: a caption and a close box, no sizing border.
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT | WS_EX_APPWINDOW;
    RECT frame{0, 0, TwipsToPixels(clientWidthTwips), TwipsToPixels(clientHeightTwips)};
    ::AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;

    // Centred on the whole screen of the primary monitor, taskbar included,
    // not on the work area beside the taskbar: that is where the forms open.
    const int x = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int y = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;

    if (!CreateEx(exStyle, wideClassName.c_str(), Widen(caption).c_str(), style, x, y, width, height, nullptr,
                  nullptr))
        return false;
    counted_ = true;
    ++openForms_;
    if (bigIcon)
        SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon));
    if (smallIcon)
        SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
    return true;
}

void CForm::Show()
{
    ShowWindow(SW_SHOWNORMAL);
    ::SetForegroundWindow(m_hWnd);
    ::UpdateWindow(m_hWnd);
}

bool CForm::PreTranslateMessage(MSG* message)
{
    if (message->message < WM_KEYFIRST || message->message > WM_KEYLAST)
        return false;
    return ::IsDialogMessageW(m_hWnd, message) != FALSE;
}

bool CForm::CreateControls(const ControlRow* design, std::size_t count)
{
    // The order of creation is the Z order of the children, and the dialog
    // keyboard handling moves the focus along it: make them in tab order.
    std::vector<const ControlRow*> inTabOrder;
    for (std::size_t i = 0; i < count; ++i)
        inTabOrder.push_back(&design[i]);
    std::stable_sort(inTabOrder.begin(), inTabOrder.end(),
                     [](const ControlRow* a, const ControlRow* b) { return a->tabIndex < b->tabIndex; });
    for (const ControlRow* row : inTabOrder) {
        if (!CreateControl(*row))
            return false;
    }

    const bool anyTip = std::any_of(design, design + count, [](const ControlRow& row) { return row.toolTip; });
    // The form works without its tips when the tool tip window cannot be made.
    if (anyTip && (toolTips_.GetSafeHwnd() || toolTips_.Create(m_hWnd))) {
        for (const ControlRow* row : inTabOrder) {
            if (row->toolTip)
                toolTips_.AddTool(*row->control, Widen(row->toolTip).c_str());
        }
    }
    return true;
}

bool CForm::CreateControl(const ControlRow& row)
{
    const TwipsRect& place = row.place;
    const std::wstring text = row.text ? Widen(row.text) : std::wstring();
    const bool created = row.control->CreateEx(
        row.exStyle, Widen(row.className).c_str(), row.text ? text.c_str() : nullptr,
        WS_CHILD | WS_VISIBLE | row.style, TwipsToPixels(place.left), TwipsToPixels(place.top),
        TwipsToPixels(place.width), TwipsToPixels(place.height), m_hWnd,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)));
    if (!created)
        return false;
    if (HFONT font = FontOf(row.font))
        row.control->SetFont(font, false);
    return true;
}

HFONT CForm::FontOf(const FormFont& wanted)
{
    if (!wanted.face)
        return nullptr;
    for (const auto& [made, font] : fonts_) {
        if (SameFont(made, wanted))
            return font;
    }
    CFont font;
    if (!font.CreatePointFont(wanted.face, wanted.points, wanted.bold ? FW_BOLD : FW_NORMAL, wanted.italic))
        return nullptr;
    fonts_.emplace_back(wanted, std::move(font));
    return fonts_.back().second;
}

void CForm::SetToolTip(HWND control, const CString& text)
{
    toolTips_.UpdateTipText(control, Widen(text.view()).c_str());
}

LRESULT CForm::OnActivateForm(WPARAM wParam, LPARAM)
{
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = ::GetFocus();
        if (focus && ::IsChild(m_hWnd, focus))
            lastFocus_ = focus;
    }
    // The default handling gives an activated window the focus (WM_SETFOCUS).
    return Default();
}

LRESULT CForm::OnSetFocusForm(WPARAM, LPARAM)
{
    HWND target = lastFocus_;
    if (!target || !::IsWindow(target) || !::IsChild(m_hWnd, target) || !::IsWindowEnabled(target))
        target = ::GetNextDlgTabItem(m_hWnd, nullptr, FALSE);
    if (target)
        ::SetFocus(target);
    return 0;
}

void CForm::PostNcDestroy()
{
    if (!counted_)
        return;
    counted_ = false;
    if (--openForms_ == 0)
        ::PostQuitMessage(0);
}

}  // namespace pelmora
