// Finding top-level windows and their controls.
#include "tools/uidriver/find_win.h"

#include "tools/uidriver/read_win.h"
#include "tools/uidriver/window_access_win.h"

namespace uidriver {
namespace {

using detail::CaptionOf;
using detail::Descendants;
using detail::kPollMs;
using detail::SameClass;

bool Matches(HWND window, const WindowQuery& query)
{
    if (query.visibleOnly && !IsWindowVisible(window))
        return false;
    if (query.processId != 0) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != query.processId)
            return false;
    }
    if (!query.className.empty() && !SameClass(GetClassNameOf(window), query.className))
        return false;
    if (!query.caption.empty()) {
        const std::string caption = CaptionOf(window);
        if (query.captionContains ? caption.find(query.caption) == std::string::npos
                                  : caption != query.caption)
            return false;
    }
    return true;
}

struct TopLevelSearch {
    const WindowQuery* query;
    std::vector<HWND> found;
    bool firstOnly;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM context)
{
    auto* search = reinterpret_cast<TopLevelSearch*>(context);
    if (!Matches(window, *search->query))
        return TRUE;
    search->found.push_back(window);
    return search->firstOnly ? FALSE : TRUE;
}

std::vector<HWND> SearchTopLevel(const WindowQuery& query, bool firstOnly)
{
    TopLevelSearch search{&query, {}, firstOnly};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// "&Yes" is shown as "Yes" with an underlined Y; "&&" is a literal "&".
std::string WithoutMnemonics(const std::string& text)
{
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size())
            ++i;
        else if (text[i] == '&')
            continue;
        plain += text[i];
    }
    return plain;
}

}  // namespace

// ------------------------------------------------------- top-level windows

HWND FindTopLevel(const WindowQuery& query)
{
    const std::vector<HWND> found = SearchTopLevel(query, true);
    return found.empty() ? nullptr : found.front();
}

std::vector<HWND> FindAllTopLevel(const WindowQuery& query)
{
    return SearchTopLevel(query, false);
}

HWND WaitForTopLevel(const WindowQuery& query, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND window = FindTopLevel(query))
            return window;
        if (GetTickCount() - start >= timeoutMs)
            return nullptr;
        Sleep(kPollMs);
    }
}

bool WaitForGoneOrHidden(HWND window, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (!IsWindow(window) || !IsWindowVisible(window))
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(kPollMs);
    }
}

// ---------------------------------------------------------------- children

std::vector<ChildInfo> ListChildren(HWND parent)
{
    std::vector<ChildInfo> children;
    for (HWND window : Descendants(parent)) {
        ChildInfo info;
        info.window = window;
        info.id = GetDlgCtrlID(window);
        info.className = GetClassNameOf(window);
        info.text = GetText(window);
        info.visible = IsWindowVisible(window) != FALSE;
        info.enabled = IsWindowEnabled(window) != FALSE;
        GetWindowRect(window, &info.rect);
        children.push_back(std::move(info));
    }
    return children;
}

HWND FindChildById(HWND parent, int id)
{
    for (HWND window : Descendants(parent))
        if (GetDlgCtrlID(window) == id)
            return window;
    return nullptr;
}

HWND FindChildByText(HWND parent, const std::string& text, const std::string& className)
{
    for (HWND window : Descendants(parent)) {
        if (!className.empty() && !SameClass(GetClassNameOf(window), className))
            continue;
        const std::string shown = GetText(window);
        if (shown == text || WithoutMnemonics(shown) == text)
            return window;
    }
    return nullptr;
}

HWND WaitForChildById(HWND parent, int id, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND child = FindChildById(parent, id))
            return child;
        if (!IsWindow(parent) || GetTickCount() - start >= timeoutMs)
            return nullptr;
        Sleep(kPollMs);
    }
}

}  // namespace uidriver
