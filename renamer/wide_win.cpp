#include "renamer/wide_win.h"

#include "framework/app_win.h"
#include "renamer/utf.h"

namespace pelmora {

// On Windows a wchar_t is one UTF-16 unit.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

std::wstring Widen(std::string_view utf8)
{
    std::wstring units;
    units.reserve(utf8.size());
    AppendUtf16(utf8, units);
    return units;
}

CString Narrow(std::wstring_view utf16)
{
    return CString(ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(utf16.data()), utf16.size())));
}

std::wstring WideWindowText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    const int got = ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return text;
}

CString WindowText(HWND window)
{
    return Narrow(WideWindowText(window));
}

void SetText(HWND window, const CString& text)
{
    ::SetWindowTextW(window, Widen(text.view()).c_str());
}

int ShowMessageBox(HWND owner, const CString& text, const char* caption, UINT type)
{
    return ::MessageBoxW(owner, Widen(text.view()).c_str(), Widen(caption ? caption : AfxGetAppName()).c_str(),
                         type);
}

}  // namespace pelmora
