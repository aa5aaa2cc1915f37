#include "uninstaller/removal/removal_worker.h"
