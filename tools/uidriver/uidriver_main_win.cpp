// uidriver: the UI driver as a console program for shell scripts. It runs in
// the same Wine prefix as the program it drives. Output is one record a line,
// fields separated by tabs; see the usage text.
#include "tools/uidriver/uidriver.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

// What follows the commands in the usage text.
const char kUsageNotes[] =
    "\n"
    "  WINDOW   --window HWND, or a top-level window matched by\n"
    "           [--pid P] [--class C] [--title T [--contains]] [--hidden]\n"
    "  CONTROL  --id N, or --child-text T [--child-class C] (\"Yes\" matches \"&Yes\")\n"
    "  BOX      [--pid P] [--title CAPTION [--contains]]\n"
    "\n"
    "Everything that waits polls for --timeout S seconds (default 30; decimals allowed).\n"
    "Fields are separated by tabs; in texts, CR, LF and tab are written \\r, \\n and \\t.\n"
    "Exit status: 0 done, 1 time-out or not found, 2 wrong usage, 3 the action failed.\n";

enum ExitStatus { kDone = 0, kNotFound = 1, kUsage = 2, kFailed = 3 };

struct Arguments {
    std::string command;
    std::map<std::string, std::string> options;
    std::vector<std::string> program;  // after "--"
};

// Options that stand alone; every other option takes a value.
bool IsFlag(const std::string& name)
{
    return name == "--contains" || name == "--hidden";
}

bool Parse(int argc, char** argv, Arguments* parsed, std::string* error)
{
    if (argc < 2) {
        *error = "no command";
        return false;
    }
    parsed->command = argv[1];
    for (int i = 2; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--") {
            parsed->program.assign(argv + i + 1, argv + argc);
            return true;
        }
        if (argument.compare(0, 2, "--") != 0) {
            *error = "unexpected argument: " + argument;
            return false;
        }
        if (IsFlag(argument)) {
            parsed->options[argument] = "1";
        } else if (i + 1 < argc) {
            parsed->options[argument] = argv[++i];
        } else {
            *error = "missing value for " + argument;
            return false;
        }
    }
    return true;
}

class Command {
public:
    explicit Command(const Arguments& arguments) : arguments_(arguments) {}

    bool Has(const char* name) const { return arguments_.options.count(name) != 0; }
    std::string Get(const char* name) const
    {
        const auto found = arguments_.options.find(name);
        return found == arguments_.options.end() ? std::string() : found->second;
    }
    bool GetNumber(const char* name, unsigned long long* value) const
    {
        const std::string text = Get(name);
        char* end = nullptr;
        *value = std::strtoull(text.c_str(), &end, 0);
        return !text.empty() && *end == '\0';
    }
    DWORD TimeoutMs() const
    {
        if (!Has("--timeout"))
            return 30000;
        const double seconds = std::atof(Get("--timeout").c_str());
        return seconds <= 0 ? 0 : static_cast<DWORD>(seconds * 1000);
    }
    DWORD ProcessId() const
    {
        unsigned long long pid = 0;
        return GetNumber("--pid", &pid) ? static_cast<DWORD>(pid) : 0;
    }
    const std::vector<std::string>& Program() const { return arguments_.program; }

    // The window named by --window, or the first top-level window that
    // matches, waited for. Null (after a message) when there is none.
    HWND Window() const
    {
        if (Has("--window")) {
            unsigned long long handle = 0;
            HWND window = GetNumber("--window", &handle)
                              ? reinterpret_cast<HWND>(static_cast<ULONG_PTR>(handle))
                              : nullptr;
            if (!IsWindow(window))
                std::fprintf(stderr, "uidriver: no window %s\n", Get("--window").c_str());
            return IsWindow(window) ? window : nullptr;
        }
        HWND window = uidriver::WaitForTopLevel(Query(), TimeoutMs());
        if (!window)
            std::fprintf(stderr, "uidriver: no such window within the time-out\n");
        return window;
    }
    uidriver::WindowQuery Query() const
    {
        uidriver::WindowQuery query;
        query.processId = ProcessId();
        query.className = Get("--class");
        query.caption = Get("--title");
        query.captionContains = Has("--contains");
        query.visibleOnly = !Has("--hidden");
        return query;
    }
    bool HasControl() const { return Has("--id") || Has("--child-text"); }
    // The control of `window` named by --id or --child-text, waited for: a
    // window can be shown before its children exist.
    HWND Control(HWND window) const
    {
        const DWORD start = GetTickCount();
        unsigned long long id = 0;
        const bool byId = GetNumber("--id", &id);
        for (;;) {
            HWND control = byId ? uidriver::FindChildById(window, static_cast<int>(id))
                                : uidriver::FindChildByText(window, Get("--child-text"),
                                                            Get("--child-class"));
            if (control)
                return control;
            if (!IsWindow(window) || GetTickCount() - start >= TimeoutMs()) {
                std::fprintf(stderr, "uidriver: no such control within the time-out\n");
                return nullptr;
            }
            Sleep(25);
        }
    }

private:
    const Arguments& arguments_;
};

std::string Escape(const std::string& text)
{
    std::string escaped;
    for (char c : text) {
        if (c == '\r')
            escaped += "\\r";
        else if (c == '\n')
            escaped += "\\n";
        else if (c == '\t')
            escaped += "\\t";
        else
            escaped += c;
    }
    return escaped;
}

std::string Hex(HWND window)
{
    char text[32];
    std::snprintf(text, sizeof(text), "0x%llx",
                  static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(window)));
    return text;
}

void PrintLine(const std::string& line)
{
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

struct ButtonName {
    const char* name;
    int id;
};
const ButtonName kButtons[] = {{"OK", IDOK},       {"Cancel", IDCANCEL}, {"Abort", IDABORT},
                               {"Retry", IDRETRY}, {"Ignore", IDIGNORE}, {"Yes", IDYES},
                               {"No", IDNO},       {"Close", IDCLOSE},   {"Help", IDHELP},
                               {"TryAgain", IDTRYAGAIN}, {"Continue", IDCONTINUE}};

std::string ButtonNameOf(int id)
{
    for (const ButtonName& button : kButtons)
        if (button.id == id)
            return button.name;
    return std::to_string(id);
}

bool ButtonIdOf(const std::string& name, int* id)
{
    for (const ButtonName& button : kButtons)
        if (lstrcmpiA(button.name, name.c_str()) == 0) {
            *id = button.id;
            return true;
        }
    char* end = nullptr;
    const long value = std::strtol(name.c_str(), &end, 0);
    *id = static_cast<int>(value);
    return !name.empty() && *end == '\0';
}

// Written beside the target and renamed into place, so that a script that
// polls for the file never reads it half written.
bool WriteWholeFile(const std::string& path, const std::string& content)
{
    const std::string temporary = path + ".part";
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fputs(content.c_str(), file) >= 0;
    if (std::fclose(file) != 0 || !written)
        return false;
    return MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
}

int Launch(const Command& command)
{
    if (command.Program().empty())
        return kUsage;
    uidriver::Process process;
    if (!process.Start(uidriver::BuildCommandLine(command.Program()), command.Get("--folder"))) {
        std::fprintf(stderr, "uidriver: cannot start %s (error %lu)\n",
                     command.Program().front().c_str(), GetLastError());
        return kFailed;
    }
    const std::string pid = std::to_string(process.Id());
    if (command.Has("--pid-file")) {
        if (!WriteWholeFile(command.Get("--pid-file"), pid + "\n")) {
            std::fprintf(stderr, "uidriver: cannot write %s\n", command.Get("--pid-file").c_str());
            process.Terminate();
            return kFailed;
        }
    } else {
        PrintLine("pid\t" + pid);
    }
    DWORD exitCode = 0;
    std::string result;
    int status = kDone;
    if (process.WaitForExit(command.Has("--timeout") ? command.TimeoutMs() : INFINITE, &exitCode)) {
        result = std::to_string(exitCode);
    } else {
        process.Terminate();
        result = "timeout";
        status = kNotFound;
    }
    if (command.Has("--exit-file")) {
        if (!WriteWholeFile(command.Get("--exit-file"), result + "\n"))
            return kFailed;
    } else {
        PrintLine("exit\t" + result);
    }
    return status;
}

int Run(const Command& command)
{
    if (command.Program().empty())
        return kUsage;
    uidriver::Process process;
    if (!process.Start(uidriver::BuildCommandLine(command.Program()), command.Get("--folder"))) {
        std::fprintf(stderr, "uidriver: cannot start %s (error %lu)\n",
                     command.Program().front().c_str(), GetLastError());
        return kFailed;
    }
    DWORD exitCode = 0;
    if (!process.WaitForExit(command.TimeoutMs(), &exitCode)) {
        process.Terminate();
        std::fprintf(stderr, "uidriver: the program did not end within the time-out; ended it\n");
        return kNotFound;
    }
    PrintLine(std::to_string(exitCode));
    return kDone;
}

int WaitExit(const Command& command)
{
    if (command.ProcessId() == 0)
        return kUsage;
    DWORD exitCode = 0;
    if (!uidriver::WaitForProcessExit(command.ProcessId(), command.TimeoutMs(), &exitCode)) {
        std::fprintf(stderr, "uidriver: process %lu did not end within the time-out\n",
                     command.ProcessId());
        return kNotFound;
    }
    PrintLine(std::to_string(exitCode));
    return kDone;
}

int End(const Command& command)
{
    if (command.ProcessId() == 0)
        return kUsage;
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, command.ProcessId());
    if (!process)
        return kNotFound;
    const bool ended = TerminateProcess(process, 1) &&
                       WaitForSingleObject(process, command.TimeoutMs()) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended ? kDone : kFailed;
}

int WaitWindow(const Command& command)
{
    HWND window = command.Window();
    if (!window)
        return kNotFound;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char caption[1024] = {};
    GetWindowTextA(window, caption, sizeof(caption));
    PrintLine(Hex(window) + "\t" + std::to_string(pid) + "\t" + uidriver::GetClassNameOf(window) +
              "\t" + Escape(caption));
    return kDone;
}

int WaitGone(const Command& command)
{
    const DWORD start = GetTickCount();
    const uidriver::WindowQuery query = command.Query();
    while (uidriver::FindTopLevel(query)) {
        if (GetTickCount() - start >= command.TimeoutMs()) {
            std::fprintf(stderr, "uidriver: the window is still there\n");
            return kNotFound;
        }
        Sleep(25);
    }
    return kDone;
}

int List(const Command& command)
{
    HWND window = command.Window();
    if (!window)
        return kNotFound;
    for (const uidriver::ChildInfo& child : uidriver::ListChildren(window))
        PrintLine(Hex(child.window) + "\t" + std::to_string(child.id) + "\t" + child.className +
                  "\t" + (child.enabled ? "1" : "0") + "\t" + (child.visible ? "1" : "0") + "\t" +
                  Escape(child.text));
    return kDone;
}

// The first message box of --pid (any process without it) whose caption
// matches --title (exact, or a part with --contains), waited for.
bool WaitForBox(const Command& command, uidriver::MessageBoxInfo* box)
{
    uidriver::WindowQuery query;
    query.processId = command.ProcessId();
    query.className = "#32770";
    query.caption = command.Get("--title");
    query.captionContains = command.Has("--contains");
    const DWORD start = GetTickCount();
    for (;;) {
        for (HWND window : uidriver::FindAllTopLevel(query))
            if (uidriver::ReadMessageBox(window, box))
                return true;
        if (GetTickCount() - start >= command.TimeoutMs()) {
            std::fprintf(stderr, "uidriver: no message box within the time-out\n");
            return false;
        }
        Sleep(25);
    }
}

int WaitBox(const Command& command)
{
    uidriver::MessageBoxInfo box;
    if (!WaitForBox(command, &box))
        return kNotFound;
    std::string buttons;
    for (int id : box.buttons)
        buttons += "\t" + ButtonNameOf(id);
    PrintLine("hwnd\t" + Hex(box.window));
    PrintLine("caption\t" + Escape(box.caption));
    PrintLine("text\t" + Escape(box.text));
    PrintLine("buttons" + buttons);
    PrintLine(std::string("icon\t") + uidriver::BoxIconName(box.icon));
    return kDone;
}

int Answer(const Command& command)
{
    int buttonId = 0;
    if (!ButtonIdOf(command.Get("--button"), &buttonId))
        return kUsage;
    uidriver::MessageBoxInfo box;
    if (!WaitForBox(command, &box))
        return kNotFound;
    if (!uidriver::AnswerMessageBox(box, buttonId, command.TimeoutMs())) {
        std::fprintf(stderr, "uidriver: could not press %s in the box \"%s\"\n",
                     command.Get("--button").c_str(), box.caption.c_str());
        return kFailed;
    }
    return kDone;
}

// The control that --id or --child-text names in WINDOW, or WINDOW itself
// when no control is named and `windowWillDo`. Gives kDone or the status to
// end with.
int FindTarget(const Command& command, bool windowWillDo, HWND* target)
{
    HWND window = command.Window();
    if (!window)
        return kNotFound;
    if (!command.HasControl()) {
        *target = window;
        return windowWillDo ? kDone : kUsage;
    }
    *target = command.Control(window);
    return *target ? kDone : kNotFound;
}

int ClickControl(const Command& command)
{
    HWND target = nullptr;
    if (const int status = FindTarget(command, false, &target); status != kDone)
        return status;
    if (!uidriver::Click(target)) {
        std::fprintf(stderr, "uidriver: the control is disabled or hidden\n");
        return kFailed;
    }
    return kDone;
}

int PostSystemCommand(const Command& command)
{
    unsigned long long id = 0;
    if (!command.GetNumber("--command", &id))
        return kUsage;
    HWND window = command.Window();
    if (!window)
        return kNotFound;
    // Posted, as a click on the system menu's item is: a handler that asks
    // a question does not block the driver.
    return PostMessageW(window, WM_SYSCOMMAND, static_cast<WPARAM>(id), 0) ? kDone : kFailed;
}

int PrintText(const Command& command)
{
    HWND target = nullptr;
    if (const int status = FindTarget(command, true, &target); status != kDone)
        return status;
    PrintLine(Escape(uidriver::GetText(target)));
    return kDone;
}

int SetTextOf(const Command& command)
{
    HWND target = nullptr;
    if (const int status = FindTarget(command, true, &target); status != kDone)
        return status;
    if (!command.Has("--value"))
        return kUsage;
    return uidriver::SetText(target, command.Get("--value")) ? kDone : kFailed;
}

int PrintItems(const Command& command)
{
    HWND target = nullptr;
    if (const int status = FindTarget(command, false, &target); status != kDone)
        return status;
    const std::string className = uidriver::GetClassNameOf(target);
    const bool isCombo = lstrcmpiA(className.c_str(), "ComboBox") == 0;
    for (const std::string& item :
         isCombo ? uidriver::GetComboItems(target) : uidriver::GetListItems(target))
        PrintLine(Escape(item));
    return kDone;
}

int SelectItem(const Command& command)
{
    HWND target = nullptr;
    if (const int status = FindTarget(command, false, &target); status != kDone)
        return status;
    unsigned long long index = 0;
    if (!command.GetNumber("--index", &index))
        return kUsage;
    return uidriver::SelectComboItem(target, static_cast<int>(index)) ? kDone : kFailed;
}

int PrintProgress(const Command& command)
{
    HWND target = nullptr;
    if (const int status = FindTarget(command, false, &target); status != kDone)
        return status;
    int low = 0;
    int high = 0;
    if (!uidriver::GetProgressRange(target, &low, &high))
        return kFailed;
    PrintLine(std::to_string(uidriver::GetProgressPos(target)) + "\t" + std::to_string(low) + "\t" +
              std::to_string(high));
    return kDone;
}

int PrintToolTip(const Command& command)
{
    HWND target = nullptr;
    if (const int status = FindTarget(command, false, &target); status != kDone)
        return status;
    PrintLine(Escape(uidriver::GetToolTipText(target)));
    return kDone;
}

int PrintUsage(const Command&);

// Every command: its name, what runs it, the group of the usage text it is
// listed in, and its lines there (none for an alias).
struct CommandEntry {
    const char* name;
    int (*run)(const Command&);
    const char* group;
    const char* usage;
};

const char kPrograms[] = "Programs:";
const char kWindows[] = "Windows (WINDOW and CONTROL below):";

const CommandEntry kCommands[] = {
    {"launch", Launch, kPrograms,
     "  launch [--pid-file F] [--exit-file F] [--folder DIR] [--timeout S] -- PROGRAM [ARGS...]\n"
     "      starts PROGRAM, writes its process id to F (or prints it), waits for its end\n"
     "      and writes its full 32-bit exit code in decimal to the exit file (or prints\n"
     "      it). With --timeout the program is ended after S seconds and the exit file\n"
     "      reads \"timeout\".\n"},
    {"run", Run, kPrograms,
     "  run [--folder DIR] [--timeout S] -- PROGRAM [ARGS...]\n"
     "      starts PROGRAM, waits and prints its full exit code.\n"},
    {"wait-exit", WaitExit, kPrograms,
     "  wait-exit --pid P [--timeout S]\n"
     "      waits for the end of process P and prints its full exit code.\n"},
    {"end", End, kPrograms,
     "  end --pid P\n"
     "      ends process P at once (a script cleaning up after a failed step).\n"},
    {"wait-window", WaitWindow, kWindows,
     "  wait-window WINDOW            prints: HWND PID CLASS CAPTION\n"},
    {"wait-gone", WaitGone, kWindows,
     "  wait-gone WINDOW              waits until no such window is shown\n"},
    {"list", List, kWindows,
     "  list WINDOW                   one line a child: HWND ID CLASS ENABLED VISIBLE TEXT\n"},
    {"wait-box", WaitBox, kWindows,
     "  wait-box [BOX]                the first message box: lines 'hwnd H', 'caption C',\n"
     "                                'text T', 'buttons B...' (Yes No OK ...), 'icon I'\n"
     "                                (none information exclamation question error unknown)\n"},
    {"answer", Answer, kWindows,
     "  answer [BOX] --button Yes|No|OK|Cancel|Abort|Retry|Ignore|ID\n"
     "                                presses a button of the first message box and waits\n"
     "                                until the box is gone\n"},
    {"click", ClickControl, kWindows,
     "  click WINDOW CONTROL          posts a click (does not wait for what it opens)\n"},
    {"syscommand", PostSystemCommand, kWindows,
     "  syscommand WINDOW --command N  chooses item N of the window's system menu\n"},
    {"text", PrintText, kWindows,
     "  text WINDOW [CONTROL]         prints the text (the caption without CONTROL)\n"},
    {"set-text", SetTextOf, kWindows, "  set-text WINDOW [CONTROL] --value TEXT\n"},
    {"items", PrintItems, kWindows,
     "  items WINDOW CONTROL          one line an item of a list or combo box\n"},
    {"select", SelectItem, kWindows,
     "  select WINDOW CONTROL --index N\n"
     "                                selects a combo box item as a user would\n"},
    {"progress", PrintProgress, kWindows, "  progress WINDOW CONTROL       prints: POS LOW HIGH\n"},
    {"tooltip", PrintToolTip, kWindows,
     "  tooltip WINDOW CONTROL        prints the control's tool tip text\n"},
    {"help", PrintUsage, nullptr, nullptr},
    {"--help", PrintUsage, nullptr, nullptr},
    {"-h", PrintUsage, nullptr, nullptr},
};

std::string UsageText()
{
    std::string text = "usage: uidriver COMMAND [OPTIONS]\n";
    const char* group = nullptr;
    for (const CommandEntry& command : kCommands) {
        if (!command.usage)
            continue;
        if (command.group != group) {
            group = command.group;
            text += std::string("\n") + group + "\n";
        }
        text += command.usage;
    }
    return text + kUsageNotes;
}

int PrintUsage(const Command&)
{
    std::fputs(UsageText().c_str(), stdout);
    return kDone;
}

}  // namespace

int main(int argc, char** argv)
{
    // Lines end in LF alone on both outputs, as the shell scripts that read
    // them expect.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    Arguments arguments;
    std::string error;
    if (!Parse(argc, argv, &arguments, &error)) {
        std::fprintf(stderr, "uidriver: %s\n\n%s", error.c_str(), UsageText().c_str());
        return kUsage;
    }
    const Command command(arguments);
    const std::string& name = arguments.command;
    int status = kUsage;
    for (const CommandEntry& entry : kCommands)
        if (name == entry.name) {
            status = entry.run(command);
            break;
        }
    if (status == kUsage)
        std::fprintf(stderr, "uidriver: wrong usage of '%s'\n\n%s", name.c_str(),
                     UsageText().c_str());
    return status;
}
