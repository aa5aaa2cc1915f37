// Runs a RemovalWorker on a thread of its own while the calling (UI) thread
// keeps pumping messages, so the page stays live and shows progress.
#pragma once

#include "uninstaller/removal/removal_worker.h"

struct WorkerOutcome {
    // A quit request that arrived while the removal ran: the pump takes it off
    // the queue, and the caller ends the program with it once the run is over.
    bool quitRequested = false;
    int quitCode = 0;
};

// Starts the worker thread on `worker` and returns when it has ended.
WorkerOutcome WaitForWorker(RemovalWorker& worker);
