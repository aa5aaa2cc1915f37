// What of a user's profile a product may take away as a tree. A profile
// holds the user's own files and the settings of every program, so it
// stays, and so does everything in it, except the per-user products that
// live below AppData\Local, AppData\Roaming and AppData\LocalLow.
#pragma once

#include <string>
#include <vector>

#include "framework/cstring.h"

// Why the folder of a profile named by `namesBelowProfile` (such as
// {"APPDATA", "LOCAL", "VENDOR", "APP"}, upper-cased as ComparablePath holds
// them; none for the profile itself) may not go as a tree; empty when it may.
CString ProfileFolderRefusal(const std::vector<std::string>& namesBelowProfile);
