#include "framework/tool_tip_win.h"

#include <commctrl.h>

namespace {

// Sends a tool message with a TOOLINFOA or TOOLINFOW for the text's kind of
// character.
template <typename Info, typename Char>
LRESULT SendToolInfo(const CWnd& toolTip, UINT message, HWND owner, HWND tool, const Char* text)
{
    Info info{};
    // The size of the structure that every common controls version takes:
    // version 5 refuses the larger one that names the reserved field.
    info.cbSize = sizeof(Char) == 1 ? TTTOOLINFOA_V2_SIZE : TTTOOLINFOW_V2_SIZE;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = owner;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = const_cast<Char*>(text);
    return toolTip.SendMessage(message, 0, reinterpret_cast<LPARAM>(&info));
}

}  // namespace

bool CToolTip::Create(HWND owner)
{
    owner_ = owner;
    if (!CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr))
        return false;
    // Long texts wrap instead of running off the screen.
    SendMessage(TTM_SETMAXTIPWIDTH, 0, 400);
    return true;
}

bool CToolTip::AddTool(HWND tool, const char* text)
{
    return SendToolInfo<TOOLINFOA>(*this, TTM_ADDTOOLA, owner_, tool, text) != FALSE;
}

void CToolTip::UpdateTipText(HWND tool, const char* text)
{
    SendToolInfo<TOOLINFOA>(*this, TTM_UPDATETIPTEXTA, owner_, tool, text);
}

bool CToolTip::AddTool(HWND tool, const wchar_t* text)
{
    return SendToolInfo<TOOLINFOW>(*this, TTM_ADDTOOLW, owner_, tool, text) != FALSE;
}

void CToolTip::UpdateTipText(HWND tool, const wchar_t* text)
{
    SendToolInfo<TOOLINFOW>(*this, TTM_UPDATETIPTEXTW, owner_, tool, text);
}
