// The UI driver: programs it starts, waits for and ends.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace uidriver {

// A program started by the driver. Owns its process handle.
class Process {
public:
    Process() = default;
    ~Process();
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // Starts `commandLine` (program path first, quoted where needed) in
    // `folder` (empty: the driver's current folder). False when it cannot start.
    bool Start(const std::string& commandLine, const std::string& folder = "");
    DWORD Id() const { return id_; }
    HANDLE Handle() const { return process_; }
    bool IsRunning() const;
    // Waits for the end and gives the full 32-bit exit code; false on time-out.
    bool WaitForExit(DWORD timeoutMs, DWORD* exitCode);
    // Ends the program if it still runs (tests clean up after themselves).
    void Terminate();

private:
    HANDLE process_ = nullptr;  // owned
    DWORD id_ = 0;
};

// Waits for the end of a process the driver did not start (found by id) and
// gives its full 32-bit exit code; false on time-out or when there is no such
// process.
bool WaitForProcessExit(DWORD processId, DWORD timeoutMs, DWORD* exitCode);

// Joins arguments into one command line that the C runtime splits back into
// the same arguments (quotes where a blank, tab or quote needs them).
std::string BuildCommandLine(const std::vector<std::string>& arguments);

}  // namespace uidriver
