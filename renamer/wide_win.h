// Where Pelmora's UTF-8 texts meet Windows: every name and text goes to and
// comes from the system through the W functions, as UTF-16, so that names
// outside the code page arrive as they are.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "framework/cstring.h"

namespace pelmora {

std::wstring Widen(std::string_view utf8);
CString Narrow(std::wstring_view utf16);

// A window's text, and a new one for it.
std::wstring WideWindowText(HWND window);
CString WindowText(HWND window);
void SetText(HWND window, const CString& text);

// A message box owned by `owner`, titled `caption` or, without one, with the
// program's name.
int ShowMessageBox(HWND owner, const CString& text, const char* caption, UINT type);

}  // namespace pelmora
