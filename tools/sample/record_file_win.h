// The record file that the sample product's removal helpers write to, so a
// test or the demo sees what the uninstaller ran and with what.
#pragma once

#include <string>

namespace sample {

// KELRUN_RECORD_FILE when set, else "Parvane Sample Records.txt" in the
// machine's common application data folder (C:\ProgramData).
std::string RecordFilePath();

// Appends one line (CR LF added). Several helpers may write at once: the
// file is opened for appending, so each line lands whole at the end.
bool AppendRecord(const std::string& line);

}  // namespace sample
