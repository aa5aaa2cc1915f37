// The UI driver: reading what another process's windows show. A read that
// the program does not answer in time gives an empty or failed result.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace uidriver {

std::string GetText(HWND window);
// The text as the window holds it, in UTF-16: names outside the code page too.
std::wstring GetTextW(HWND window);
std::string GetClassNameOf(HWND window);
bool IsEnabled(HWND window);
bool IsVisible(HWND window);

// Progress bars.
int GetProgressPos(HWND progress);
bool GetProgressRange(HWND progress, int* low, int* high);

// List and combo boxes (the standard classes; the texts cross processes).
std::vector<std::string> GetListItems(HWND listBox);
std::vector<std::string> GetComboItems(HWND comboBox);
// The same in UTF-16, as the box holds them.
std::vector<std::wstring> GetListItemsW(HWND listBox);
std::vector<std::wstring> GetComboItemsW(HWND comboBox);
int GetComboSelection(HWND comboBox);

// Tool tips: the text the tool tip control of `owner`'s top-level window
// holds for the tool `tool` (a control); empty when there is none.
std::string GetToolTipText(HWND tool);
std::wstring GetToolTipTextW(HWND tool);

}  // namespace uidriver
