// The product placeholders of page and language texts: "<ProductName>" and
// "<ProductCode>", and the square-bracket spelling that pages may use.
#pragma once

#include "framework/cstring.h"
#include "uninstaller/common/product_values.h"

// Replaces every "<ProductName>" by the display name, then every
// "<ProductCode>" by the product code; inserted text is not searched again.
CString ExpandProductPlaceholders(const CString& text, const CString& displayName,
                                  const CString& productCode);
// Turns every "[" into "<" and "]" into ">", then expands the placeholders.
CString SubstituteText(const CString& text, const CString& displayName, const CString& productCode);

// The same two, with the process's product values.
CString ExpandProductPlaceholders(const CString& text);
CString SubstituteText(const CString& text);
