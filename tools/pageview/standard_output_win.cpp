#include "tools/pageview/standard_output_win.h"

#include <windows.h>

#include <string>

namespace {

HANDLE StandardOutput()
{
    // GetStdHandle gives null for a GUI program started without handles
    // and INVALID_HANDLE_VALUE when the slot holds nothing usable.
    const HANDLE output = ::GetStdHandle(STD_OUTPUT_HANDLE);
    return output == INVALID_HANDLE_VALUE ? nullptr : output;
}

}  // namespace

bool HasStandardOutput()
{
    return StandardOutput() != nullptr;
}

void WriteOutputLine(const CString& line)
{
    const HANDLE output = StandardOutput();
    if (!output)
        return;
    std::string text(line.GetString(), static_cast<std::size_t>(line.GetLength()));
    text += "\r\n";
    // A pipe may take the text in parts.
    std::size_t done = 0;
    while (done < text.size()) {
        DWORD written = 0;
        if (!::WriteFile(output, text.data() + done, static_cast<DWORD>(text.size() - done), &written, nullptr) ||
            written == 0)
            return;
        done += written;
    }
}
