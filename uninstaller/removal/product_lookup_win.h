// Finding a product on this machine as kelrun's start-up does. kelcheck
// looks a product up the same way, so that it checks what kelrun would read.
#pragma once

#include "framework/cstring.h"
#include "uninstaller/common/product_values.h"

// The Windows folder (GetWindowsDirectory), as the system gives it.
CString WindowsFolder();

// With `product.ProductCode` set: the paths of the product's folder of
// uninstall data under the Windows folder, and its display name and
// installation folder from its Uninstall key (empty when missing).
void LookUpProduct(ProductValues& product);
