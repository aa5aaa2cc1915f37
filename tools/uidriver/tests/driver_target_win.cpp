// The window the driver's own tests drive: one control of each kind the
// driver reads, and a status line that tells what the program received, so a
// test sees the effect of each action from outside.
//
//   uidriver_target                       shows the window
//   uidriver_target --exit CODE           ends at once with CODE (any 32-bit value)
//   uidriver_target --write-args FILE ... writes each following argument on a line of FILE
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tools/uidriver/tests/driver_target_ids.h"

namespace {

const char kClassName[] = "UidriverTarget";

HWND g_toolTip = nullptr;  // owned by the main window (destroyed with it)

HWND AddControl(HWND parent, const char* className, const char* text, DWORD style, int id,
                int x, int y, int width, int height)
{
    return CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height,
                           parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleA(nullptr), nullptr);
}

void SetStatus(HWND window, const std::string& text)
{
    SetDlgItemTextA(window, kIdStatus, text.c_str());
}

void AddToolTip(HWND window, HWND tool, const char* text, bool wholeControl)
{
    TTTOOLINFOA info{};
    info.cbSize = sizeof(info);
    info.hwnd = window;
    info.lpszText = const_cast<char*>(text);
    if (wholeControl) {
        info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        info.uId = reinterpret_cast<UINT_PTR>(tool);
    } else {
        // A rectangle tool: the tool is identified by its window and a number.
        info.uFlags = TTF_SUBCLASS;
        info.hwnd = tool;
        info.uId = 1;
        GetClientRect(tool, &info.rect);
    }
    SendMessageA(g_toolTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

void CreateControls(HWND window)
{
    AddControl(window, "BUTTON", "&Ask", BS_PUSHBUTTON, kIdAsk, 10, 10, 90, 26);
    AddControl(window, "BUTTON", "Step", BS_PUSHBUTTON, kIdStep, 110, 10, 90, 26);
    HWND never = AddControl(window, "BUTTON", "Never", BS_PUSHBUTTON, kIdNever, 210, 10, 90, 26);
    EnableWindow(never, FALSE);
    AddControl(window, "BUTTON", "Hang", BS_PUSHBUTTON, kIdHang, 310, 10, 90, 26);
    AddControl(window, "BUTTON", "Dialog", BS_PUSHBUTTON, kIdDialog, 310, 200, 90, 26);
    AddControl(window, "BUTTON", "Inform", BS_PUSHBUTTON, kIdBoxInformation, 10, 230, 74, 26);
    AddControl(window, "BUTTON", "Warn", BS_PUSHBUTTON, kIdBoxExclamation, 89, 230, 74, 26);
    AddControl(window, "BUTTON", "Fail", BS_PUSHBUTTON, kIdBoxError, 168, 230, 74, 26);
    AddControl(window, "BUTTON", "Plain", BS_PUSHBUTTON, kIdBoxPlain, 247, 230, 74, 26);
    AddControl(window, "BUTTON", "Other", BS_PUSHBUTTON, kIdBoxOther, 326, 230, 74, 26);
    HWND edit = AddControl(window, "EDIT", kInitialEditText, WS_BORDER | ES_AUTOHSCROLL, kIdEdit,
                           10, 46, 390, 24);
    HWND list = AddControl(window, "LISTBOX", "", WS_BORDER | WS_VSCROLL | LBS_NOTIFY, kIdList, 10,
                           80, 190, 80);
    for (int i = 0; i < kListItemCount; ++i)
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ListItemText(i).c_str()));
    HWND combo = AddControl(window, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL, kIdCombo, 210,
                            80, 190, 120);
    for (const char* item : kComboItems)
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    HWND progress = AddControl(window, PROGRESS_CLASSA, "", 0, kIdProgress, 10, 170, 390, 20);
    SendMessageA(progress, PBM_SETRANGE32, kProgressLow, kProgressHigh);
    SendMessageA(progress, PBM_SETPOS, kProgressStart, 0);
    SendMessageA(progress, PBM_SETSTEP, 1, 0);
    AddControl(window, "STATIC", "ready", SS_LEFT, kIdStatus, 10, 200, 290, 20);

    g_toolTip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(g_toolTip, TTM_SETMAXTIPWIDTH, 0, 300);
    AddToolTip(window, GetDlgItem(window, kIdAsk), kAskTip, true);
    AddToolTip(window, GetDlgItem(window, kIdStep), kStepTip, true);
    AddToolTip(window, edit, kEditTip, false);
}

std::string ItemText(HWND box, UINT lengthMessage, UINT textMessage, LRESULT index)
{
    const LRESULT length = SendMessageA(box, lengthMessage, static_cast<WPARAM>(index), 0);
    if (length < 0)
        return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    SendMessageA(box, textMessage, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

// A dialog of the system's dialog class with a text static of the id that
// message boxes use, and a button of its own: a driver must not take it for
// a message box.
void OpenDialog(HWND owner)
{
    HWND dialog = CreateWindowExA(WS_EX_DLGMODALFRAME, "#32770", kDialogCaption,
                                  WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 100, 100, 260,
                                  120, owner, nullptr, GetModuleHandleA(nullptr), nullptr);
    AddControl(dialog, "STATIC", "Choose the settings.", SS_LEFT, 0xFFFF, 10, 10, 230, 20);
    AddControl(dialog, "BUTTON", "Apply", BS_PUSHBUTTON, kIdApply, 10, 40, 90, 26);
}

void OnCommand(HWND window, int id, int code, HWND control)
{
    switch (id) {
    case kIdAsk: {
        const int answer = MessageBoxA(window, kQuestionText, kQuestionCaption,
                                       MB_YESNO | MB_ICONQUESTION);
        SetStatus(window, answer == IDYES ? "Answer: Yes" : answer == IDNO ? "Answer: No"
                                                                           : "Answer: other");
        break;
    }
    case kIdBoxInformation:
    case kIdBoxExclamation:
    case kIdBoxError:
    case kIdBoxPlain: {
        const UINT icon = id == kIdBoxInformation   ? MB_ICONINFORMATION
                          : id == kIdBoxExclamation ? MB_ICONEXCLAMATION
                          : id == kIdBoxError       ? MB_ICONERROR
                                                    : 0;
        MessageBoxA(window, "Something to know.", kNoticeCaption, MB_OK | icon);
        SetStatus(window, "Noticed");
        break;
    }
    case kIdBoxOther: {
        MSGBOXPARAMSA box{};
        box.cbSize = sizeof(box);
        box.hwndOwner = window;
        box.lpszText = "Something to know.";
        box.lpszCaption = kNoticeCaption;
        box.dwStyle = MB_OK | MB_USERICON;
        box.lpszIcon = IDI_APPLICATION;  // from the system, as hInstance is null
        MessageBoxIndirectA(&box);
        SetStatus(window, "Noticed");
        break;
    }
    case kIdStep:
        SendDlgItemMessageA(window, kIdProgress, PBM_STEPIT, 0, 0);
        SetStatus(window, "Stepped");
        break;
    case kIdNever:
        SetStatus(window, "Never pressed");
        break;
    case kIdDialog:
        OpenDialog(window);
        break;
    case kIdHang:
        // Stops answering messages for a while, as a busy program does.
        Sleep(kHangMs);
        break;
    case kIdEdit:
        if (code == EN_CHANGE) {
            char text[256] = {};
            GetWindowTextA(control, text, sizeof(text));
            SetStatus(window, std::string("Edit: ") + text);
        }
        break;
    case kIdList:
        if (code == LBN_DBLCLK) {
            const LRESULT index = SendMessageA(control, LB_GETCURSEL, 0, 0);
            SetStatus(window, "Opened: " + ItemText(control, LB_GETTEXTLEN, LB_GETTEXT, index));
        }
        break;
    case kIdCombo:
        if (code == CBN_SELCHANGE) {
            const LRESULT index = SendMessageA(control, CB_GETCURSEL, 0, 0);
            SetStatus(window, "Chose: " + ItemText(control, CB_GETLBTEXTLEN, CB_GETLBTEXT, index));
        }
        break;
    default:
        break;
    }
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        CreateControls(window);
        return 0;
    case WM_COMMAND:
        OnCommand(window, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

int WriteArguments(int argc, char** argv)
{
    FILE* file = std::fopen(argv[2], "wb");
    if (!file)
        return 2;
    for (int i = 3; i < argc; ++i)
        std::fprintf(file, "%s\n", argv[i]);
    std::fclose(file);
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    if (__argc >= 3 && std::strcmp(__argv[1], "--exit") == 0)
        return static_cast<int>(std::strtoul(__argv[2], nullptr, 10));
    if (__argc >= 3 && std::strcmp(__argv[1], "--write-args") == 0)
        return WriteArguments(__argc, __argv);

    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES | ICC_PROGRESS_CLASS |
                                                        ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, kClassName, kTargetCaption, WS_OVERLAPPEDWINDOW, 40, 40, 430,
                                  310, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    ShowWindow(window, show);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
