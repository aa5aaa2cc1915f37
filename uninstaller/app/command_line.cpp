#include "uninstaller/app/command_line.h"
