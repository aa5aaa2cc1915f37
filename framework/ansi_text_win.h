// 8-bit text in the system code page, as kelrun holds it, for the few calls
// that exist only in their wide form or must see a name exactly.
#pragma once

#include <windows.h>

#include <string>

#include "framework/cstring.h"

inline std::wstring WideFromAnsi(const CString& text)
{
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.GetString(), text.GetLength(), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0)
        ::MultiByteToWideChar(CP_ACP, 0, text.GetString(), text.GetLength(), &wide[0], length);
    return wide;
}
