#include "uninstaller/common/product_values.h"

ProductValues& TheProduct()
{
    // Made on first use, so that start-up may fill it before anything else
    // reads it, whatever the order in which the program's statics are built.
    static ProductValues values;
    return values;
}
