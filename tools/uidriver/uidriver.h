// The UI driver: drives the programs' windows from outside, as a user would,
// for end-to-end tests and the demo. It runs in the same Wine prefix as the
// program it drives, in a process of its own.
//
// Everything that waits polls with a time-out: a top-level window can exist
// before its children do, and a program under test must never hang a test.
// One header a concern; this one brings them all.
#pragma once

#include "tools/uidriver/find_win.h"
#include "tools/uidriver/input_win.h"
#include "tools/uidriver/menu_win.h"
#include "tools/uidriver/message_box_win.h"
#include "tools/uidriver/process_win.h"
#include "tools/uidriver/read_win.h"
