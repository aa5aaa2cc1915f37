#include "uninstaller/removal/worker_win.h"

#include <windows.h>
#include <objbase.h>
#include <process.h>

#include "framework/app_win.h"
#include "framework/handle_win.h"

namespace {

unsigned __stdcall WorkerThreadEntry(void* parameter)
{
    // The shell's open of a web address wants COM on the calling thread.
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    try {
        static_cast<RemovalWorker*>(parameter)->RunRemoval();
    } catch (...) {
        // A failure never stops the run's caller: the flow goes on to its end.
    }
    if (SUCCEEDED(com))
        ::CoUninitialize();
    return 1;
}

bool HasEnded(HANDLE thread)
{
    return ::WaitForSingleObject(thread, 0) == WAIT_OBJECT_0;
}

}  // namespace

WorkerOutcome WaitForWorker(RemovalWorker& worker)
{
    WorkerOutcome outcome;
    CHandle thread(reinterpret_cast<HANDLE>(
        ::_beginthreadex(nullptr, 0, &WorkerThreadEntry, &worker, 0, nullptr)));
    if (!thread) {
        // No thread: run the removal here rather than not at all.
        worker.RunRemoval();
        return outcome;
    }
    HANDLE handles[] = {thread.Get()};
    for (;;) {
        // Wakes for the thread's end and for any message, including the
        // worker's own sends to the page, which are served while we wait here.
        const DWORD woken = ::MsgWaitForMultipleObjects(1, handles, FALSE, INFINITE, QS_ALLINPUT);
        if (woken == WAIT_OBJECT_0)
            break;
        if (woken == WAIT_FAILED) {
            // The worker uses `worker` until it ends: never return before that.
            ::WaitForSingleObject(thread.Get(), INFINITE);
            break;
        }
        // As the program's own loop does: the windows' keyboard handling
        // (a page's filter and its dialog keys) applies during the run too.
        MSG message{};
        bool ended = false;
        while (!ended && ::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                outcome.quitRequested = true;
                outcome.quitCode = static_cast<int>(message.wParam);
            } else if (!CWinApp::PreTranslate(&message)) {
                ::TranslateMessage(&message);
                ::DispatchMessageA(&message);
            }
            ended = HasEnded(thread.Get());
        }
        if (ended)
            break;
    }
    return outcome;
}
