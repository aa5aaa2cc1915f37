#include "tools/pageview/page_listing_win.h"

#include <windows.h>

#include <string>

#include "uninstaller/skin/skin_dialog_win.h"

namespace {

CString OneLine(const CString& text)
{
    std::string line(text.GetString(), static_cast<std::size_t>(text.GetLength()));
    for (char& c : line) {
        if (c == '\t' || c == '\r' || c == '\n')
            c = ' ';
    }
    return CString(line);
}

CString RectText(const RECT& rect)
{
    return CString::Format("%ld,%ld,%ld,%ld", rect.left, rect.top, rect.right, rect.bottom);
}

CString FontText(HFONT font)
{
    LOGFONTA description{};
    if (!font || ::GetObjectA(font, sizeof description, &description) != sizeof description)
        return "-";
    return CString::Format("%s,%ld,%ld,%d,%d", description.lfFaceName, description.lfHeight, description.lfWeight,
                           description.lfItalic ? 1 : 0, description.lfUnderline ? 1 : 0);
}

// A text control draws with a font it may never have sent to its window;
// without one it draws with the window's.
HFONT FontOfControl(CWnd& control)
{
    if (const auto* text = dynamic_cast<const CColorStatic*>(&control)) {
        if (const CFont* font = text->GetDrawingFont())
            return font->GetSafeHandle();
    }
    return reinterpret_cast<HFONT>(control.SendMessage(WM_GETFONT));
}

CString ClassOf(HWND window)
{
    char name[256] = {};
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

CString ControlLine(CSkinDialog& page, int index)
{
    const PageControl& record = page.Model().Control(index);
    CString line = CString::Format("control\t%d\t%d\t%s\t%s\t%d", index, record.ControlId,
                                   OneLine(record.IdName).GetString(), record.Kind.GetString(), record.KindIndex);
    const RECT registered{record.Rect.left, record.Rect.top, record.Rect.right, record.Rect.bottom};
    CWnd* control = page.Pools().Object(PoolOf(record.KindCode), record.KindIndex);
    const HWND window = control ? control->GetSafeHwnd() : nullptr;
    if (!window) {
        return line + "\t-\t-\t-\t-\t" + RectText(registered) + "\t-\t-";
    }
    RECT rect{};
    ::GetWindowRect(window, &rect);
    ::MapWindowPoints(nullptr, page.GetSafeHwnd(), reinterpret_cast<POINT*>(&rect), 2);
    return line + CString::Format("\t%s\t0x%08lX\t0x%08lX\t%s\t%s\t%s\t%s", ClassOf(window).GetString(),
                                  static_cast<unsigned long>(::GetWindowLongA(window, GWL_STYLE)),
                                  static_cast<unsigned long>(::GetWindowLongA(window, GWL_EXSTYLE)),
                                  RectText(rect).GetString(), RectText(registered).GetString(),
                                  OneLine(control->GetWindowText()).GetString(),
                                  FontText(FontOfControl(*control)).GetString());
}

}  // namespace

std::vector<CString> ListPage(CSkinDialog& page)
{
    std::vector<CString> lines;
    const HWND window = page.GetSafeHwnd();
    RECT outer{};
    RECT client{};
    ::GetWindowRect(window, &outer);
    ::GetClientRect(window, &client);
    const CFont* pageFont = page.Host() ? page.Host()->GetPageFont() : nullptr;
    lines.push_back(CString::Format("page\t%s\t0x%08lX\t0x%08lX\t%s\t%ld,%ld\t%d\t%s",
                                    OneLine(page.GetWindowText()).GetString(),
                                    static_cast<unsigned long>(::GetWindowLongA(window, GWL_STYLE)),
                                    static_cast<unsigned long>(::GetWindowLongA(window, GWL_EXSTYLE)),
                                    RectText(outer).GetString(), client.right, client.bottom,
                                    page.Model().ControlCount(),
                                    FontText(pageFont ? pageFont->GetSafeHandle() : nullptr).GetString()));
    for (int index = 0; index < page.Model().ControlCount(); ++index)
        lines.push_back(ControlLine(page, index));
    return lines;
}
