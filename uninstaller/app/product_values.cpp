#include "uninstaller/app/product_values.h"
