#include "framework/tool_tip_win.h"

#include <commctrl.h>

namespace {

TOOLINFOA ToolInfo(HWND owner, HWND tool, const char* text)
{
    TOOLINFOA info{};
    // The size of the structure that every common controls version takes:
    // version 5 refuses the larger one that names the reserved field.
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = owner;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = const_cast<char*>(text);
    return info;
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
    TOOLINFOA info = ToolInfo(owner_, tool, text);
    return SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)) != FALSE;
}

void CToolTip::UpdateTipText(HWND tool, const char* text)
{
    TOOLINFOA info = ToolInfo(owner_, tool, text);
    SendMessage(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
}
