// CToolTip: one tool tip control for the controls of a window. Each control
// is a tool of its own, known by its window handle.
#pragma once

#include "framework/wnd_win.h"

namespace pelmora {

class CToolTip : public CWnd {
public:
    bool Create(HWND owner);
    bool AddTool(HWND tool, const char* text);
    void UpdateTipText(HWND tool, const char* text);

private:
    HWND owner_ = nullptr;  // borrowed: the window whose controls are the tools
};

}  // namespace pelmora
