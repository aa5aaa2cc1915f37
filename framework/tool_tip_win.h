// CToolTip: one tool tip control for the controls of a window. Each control
// is a tool of its own, known by its window handle. The tool tip class comes
// with the common controls' bar classes (ICC_BAR_CLASSES), which the program
// registers at start-up.
#pragma once

#include "framework/wnd_win.h"

class CToolTip : public CWnd {
public:
    bool Create(HWND owner);
    bool AddTool(HWND tool, const char* text);
    void UpdateTipText(HWND tool, const char* text);
    // The same with UTF-16 texts, for tools whose tips show names.
    bool AddTool(HWND tool, const wchar_t* text);
    void UpdateTipText(HWND tool, const wchar_t* text);

private:
    HWND owner_ = nullptr;  // borrowed: the window whose controls are the tools
};
