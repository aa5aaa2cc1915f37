#include "uninstaller/removal/uninstall_log.h"
