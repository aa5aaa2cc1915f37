#include "framework/wnd_win.h"

#include <mutex>
#include <unordered_map>
#include <vector>

#include "framework/app_win.h"

namespace {

// The objects bound to windows, by handle. A table of our own works for every
// window class, including system controls and dialogs whose user data slots
// belong to others, and unlike a window property it is read without a trip
// to the window server (Wine makes every property read one): the table is
// consulted for every message.
class BindingTable {
public:
    void Bind(HWND window, CWnd* object)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        objects_[window] = object;
    }
    void Unbind(HWND window)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        objects_.erase(window);
    }
    CWnd* Find(HWND window)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        const auto found = objects_.find(window);
        return found == objects_.end() ? nullptr : found->second;
    }

private:
    std::mutex mutex_;
    std::unordered_map<HWND, CWnd*> objects_;
};

BindingTable& Bindings()
{
    static BindingTable table;
    return table;
}

bool IsCtlColorMessage(UINT message)
{
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

// The child window a notification comes from, or null when it is not one.
HWND NotifyingChild(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND)
        return reinterpret_cast<HWND>(lParam);  // null for menus and accelerators
    if (message == WM_NOTIFY)
        return reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
    if (IsCtlColorMessage(message))
        return reinterpret_cast<HWND>(lParam);
    if (message == WM_DRAWITEM && wParam != 0)
        return reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem;
    return nullptr;
}

bool EntryMatches(const MessageEntry& entry, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (entry.message != message)
        return false;
    if (!entry.matchesCommand)
        return true;
    UINT code = 0;
    UINT id = 0;
    const UINT plain = message >= WM_REFLECT_BASE ? message - WM_REFLECT_BASE : message;
    if (plain == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        code = header->code;
        id = static_cast<UINT>(header->idFrom);
    } else {
        code = HIWORD(wParam);
        id = LOWORD(wParam);
    }
    return code == entry.code && id >= entry.idFirst && id <= entry.idLast;
}

// The A or W forms of the calls that register classes and make windows.
template <typename Char, typename ClassInfo>
struct WindowCalls {
    BOOL(WINAPI* getClassInfo)(HINSTANCE, const Char*, ClassInfo*);
    ATOM(WINAPI* registerClass)(const ClassInfo*);
    HWND(WINAPI* create)(DWORD, const Char*, const Char*, DWORD, int, int, int, int, HWND, HMENU, HINSTANCE, LPVOID);
};
const WindowCalls<char, WNDCLASSEXA> kAnsiCalls{&::GetClassInfoExA, &::RegisterClassExA, &::CreateWindowExA};
const WindowCalls<wchar_t, WNDCLASSEXW> kWideCalls{&::GetClassInfoExW, &::RegisterClassExW, &::CreateWindowExW};

template <typename Char, typename ClassInfo>
const Char* RegisterClassWith(const WindowCalls<Char, ClassInfo>& calls, const Char* name, UINT style, HICON icon,
                              HCURSOR cursor, HBRUSH background, WNDPROC procedure)
{
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    ClassInfo existing{};
    existing.cbSize = sizeof existing;
    if (calls.getClassInfo(instance, name, &existing))
        return name;
    ClassInfo windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = style;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon;
    windowClass.hIconSm = icon;
    windowClass.hCursor = cursor ? cursor : ::LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name;
    return calls.registerClass(&windowClass) ? name : nullptr;
}

// *ours: the class is one of ours, whose procedure is `procedure`.
template <typename Char, typename ClassInfo>
HWND CreateWindowWith(const WindowCalls<Char, ClassInfo>& calls, DWORD exStyle, const Char* className,
                      const Char* title, DWORD style, const RECT& place, HWND parent, HMENU menuOrId,
                      CWnd* object, WNDPROC procedure, bool* ours)
{
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    ClassInfo info{};
    info.cbSize = sizeof info;
    *ours = calls.getClassInfo(instance, className, &info) && info.lpfnWndProc == procedure;
    // A class of ours binds at WM_NCCREATE from the creation parameter, so the
    // object sees WM_CREATE; a system class is subclassed once it exists.
    return calls.create(exStyle, className, title, style, place.left, place.top, place.right - place.left,
                        place.bottom - place.top, parent, menuOrId, instance, *ours ? object : nullptr);
}

}  // namespace

CWnd::~CWnd()
{
    if (m_hWnd) {
        HWND window = m_hWnd;
        Detach();
        ::DestroyWindow(window);
    }
}

const MessageMap* CWnd::GetThisMessageMap()
{
    static const MessageMap map = {nullptr, nullptr, 0};
    return &map;
}

CWnd* CWnd::FromHandle(HWND window)
{
    return window ? Bindings().Find(window) : nullptr;
}

const char* CWnd::RegisterWindowClass(const char* name, UINT style, HICON icon, HCURSOR cursor,
                                      HBRUSH background)
{
    return RegisterClassWith(kAnsiCalls, name, style, icon, cursor, background, &CWnd::StaticWindowProc);
}

const wchar_t* CWnd::RegisterWindowClass(const wchar_t* name, UINT style, HICON icon, HCURSOR cursor,
                                         HBRUSH background)
{
    return RegisterClassWith(kWideCalls, name, style, icon, cursor, background, &CWnd::StaticWindowProc);
}

bool CWnd::CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style,
                    int x, int y, int width, int height, HWND parent, HMENU menuOrId)
{
    bool ours = false;
    HWND window = CreateWindowWith(kAnsiCalls, exStyle, className, title, style, {x, y, x + width, y + height},
                                   parent, menuOrId, this, &CWnd::StaticWindowProc, &ours);
    if (!window)
        return false;
    if (!ours)
        Attach(window, true);
    return true;
}

bool CWnd::CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menuOrId)
{
    bool ours = false;
    HWND window = CreateWindowWith(kWideCalls, exStyle, className, title, style, {x, y, x + width, y + height},
                                   parent, menuOrId, this, &CWnd::StaticWindowProc, &ours);
    if (!window)
        return false;
    if (!ours)
        Attach(window, true, true);
    return true;
}

bool CWnd::SubclassWindow(HWND window)
{
    if (!window || FromHandle(window))
        return false;
    Attach(window, true);
    return true;
}

bool CWnd::DestroyWindow()
{
    return m_hWnd && ::DestroyWindow(m_hWnd);
}

void CWnd::Attach(HWND window, bool subclass, bool wide)
{
    m_hWnd = window;
    wide_ = wide;
    Bindings().Bind(window, this);
    superProc_ = nullptr;
    if (subclass) {
        // The window stays a W window only when its procedure is set by the
        // W function; the A function would have the system turn every text
        // into the code page on its way to us.
        const auto procedure = reinterpret_cast<LONG_PTR>(&CWnd::StaticWindowProc);
        superProc_ = reinterpret_cast<WNDPROC>(wide ? ::SetWindowLongPtrW(window, GWLP_WNDPROC, procedure)
                                                    : ::SetWindowLongPtrA(window, GWLP_WNDPROC, procedure));
    }
}

void CWnd::Detach()
{
    if (!m_hWnd)
        return;
    const auto current = reinterpret_cast<WNDPROC>(wide_ ? ::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC)
                                                         : ::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC));
    if (superProc_ && current == &CWnd::StaticWindowProc) {
        const auto original = reinterpret_cast<LONG_PTR>(superProc_);
        if (wide_)
            ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, original);
        else
            ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, original);
    }
    Bindings().Unbind(m_hWnd);
    m_hWnd = nullptr;
}

LRESULT CALLBACK CWnd::StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* self = FromHandle(window);
    // A class of ours registered with the W function makes W windows.
    if (!self && message == WM_NCCREATE) {
        // CREATESTRUCTA and CREATESTRUCTW hold the parameter at the same place.
        self = static_cast<CWnd*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (self)
            self->Attach(window, false, ::IsWindowUnicode(window) != FALSE);
    }
    if (!self) {
        return ::IsWindowUnicode(window) ? ::DefWindowProcW(window, message, wParam, lParam)
                                         : ::DefWindowProcA(window, message, wParam, lParam);
    }

    const MSG current{window, message, wParam, lParam, 0, {0, 0}};
    const MSG* outer = self->currentMessage_;
    self->currentMessage_ = &current;
    LRESULT result = 0;
    // No C++ exception may unwind through the system's code that called us.
    try {
        result = self->WindowProc(message, wParam, lParam);
    } catch (...) {
        ::OutputDebugStringA("unhandled exception in a window procedure\n");
        result = (message == WM_CREATE) ? -1 : 0;
    }
    self->currentMessage_ = outer;

    if (message == WM_NCDESTROY) {
        self->Detach();
        self->PostNcDestroy();  // may delete the object
    }
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (Dispatch(message, wParam, lParam, &result))
        return result;
    return Default();
}

bool CWnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (ReflectToChild(message, wParam, lParam, result))
        return true;
    for (const MessageMap* map = GetMessageMap(); map; map = map->base ? map->base() : nullptr) {
        for (std::size_t i = 0; i < map->count; ++i) {
            const MessageEntry& entry = map->entries[i];
            if (EntryMatches(entry, message, wParam, lParam)) {
                *result = entry.handler(*this, wParam, lParam);
                return true;
            }
        }
    }
    return false;
}

bool CWnd::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    HWND childWindow = NotifyingChild(message, wParam, lParam);
    if (!childWindow || childWindow == m_hWnd)
        return false;
    CWnd* child = FromHandle(childWindow);
    if (!child)
        return false;
    const UINT reflected = WM_REFLECT_BASE + message;
    for (const MessageMap* map = child->GetMessageMap(); map; map = map->base ? map->base() : nullptr) {
        for (std::size_t i = 0; i < map->count; ++i) {
            const MessageEntry& entry = map->entries[i];
            if (!EntryMatches(entry, reflected, wParam, lParam))
                continue;
            const LRESULT answer = entry.handler(*child, wParam, lParam);
            // A colour handler that made no brush leaves the choice to the parent.
            if (IsCtlColorMessage(message) && answer == 0)
                return false;
            *result = answer;
            return true;
        }
    }
    return false;
}

LRESULT CWnd::Default()
{
    if (!currentMessage_)
        return 0;
    const MSG& m = *currentMessage_;
    if (wide_) {
        return superProc_ ? ::CallWindowProcW(superProc_, m.hwnd, m.message, m.wParam, m.lParam)
                          : ::DefWindowProcW(m.hwnd, m.message, m.wParam, m.lParam);
    }
    if (superProc_)
        return ::CallWindowProcA(superProc_, m.hwnd, m.message, m.wParam, m.lParam);
    return ::DefWindowProcA(m.hwnd, m.message, m.wParam, m.lParam);
}

bool CWnd::PreTranslateMessage(MSG*)
{
    return false;
}

CString CWnd::GetWindowText() const
{
    const int length = ::GetWindowTextLengthA(m_hWnd);
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    const int got = ::GetWindowTextA(m_hWnd, buffer.data(), length + 1);
    return CString(buffer.data(), static_cast<std::size_t>(got > 0 ? got : 0));
}

namespace {

bool ModifyLong(HWND window, int index, DWORD remove, DWORD add, UINT swpFlags)
{
    const DWORD old = static_cast<DWORD>(::GetWindowLongA(window, index));
    const DWORD changed = (old & ~remove) | add;
    if (changed == old)
        return false;
    ::SetWindowLongA(window, index, static_cast<LONG>(changed));
    if (swpFlags) {
        ::SetWindowPos(window, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | swpFlags);
    }
    return true;
}

}  // namespace

bool CWnd::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags)
{
    return ModifyLong(m_hWnd, GWL_STYLE, remove, add, swpFlags);
}

bool CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags)
{
    return ModifyLong(m_hWnd, GWL_EXSTYLE, remove, add, swpFlags);
}

int CWnd::MessageBox(const char* text, const char* caption, UINT type)
{
    return ::MessageBoxA(m_hWnd, text, caption ? caption : AfxGetAppName(), type);
}
