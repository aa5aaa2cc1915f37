// The standard output a GUI program inherits: a file or pipe its caller
// redirected it to. A program started from a desktop has none, and then
// nothing is written.
#pragma once

#include "framework/cstring.h"

// True when the process has a standard output to write to.
bool HasStandardOutput();
// Writes the text and a line end (CR LF); nothing without a standard output.
void WriteOutputLine(const CString& line);
