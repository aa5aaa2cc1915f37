#include "uninstaller/removal/tree_guard.h"
