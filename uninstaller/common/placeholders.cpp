#include "uninstaller/common/placeholders.h"

CString ExpandProductPlaceholders(const CString& text, const CString& displayName,
                                  const CString& productCode)
{
    // Two passes over the whole text. Within a pass the inserted text is not
    // searched again, so a display name holding "<ProductName>" cannot loop.
    CString result = text;
    result.Replace("<ProductName>", displayName.view());
    result.Replace("<ProductCode>", productCode.view());
    return result;
}

CString SubstituteText(const CString& text, const CString& displayName, const CString& productCode)
{
    // Page and language files may write "[ProductName]" where angle brackets
    // would be awkward; every square bracket turns, placeholder or not.
    CString result = text;
    result.Replace('[', '<');
    result.Replace(']', '>');
    return ExpandProductPlaceholders(result, displayName, productCode);
}

CString ExpandProductPlaceholders(const CString& text)
{
    const ProductValues& product = TheProduct();
    return ExpandProductPlaceholders(text, product.ProductDisplayName, product.ProductCode);
}

CString SubstituteText(const CString& text)
{
    const ProductValues& product = TheProduct();
    return SubstituteText(text, product.ProductDisplayName, product.ProductCode);
}
