#include "uninstaller/common/product_values.h"

namespace {

// The Uninstall key of every product lives below this key of HKEY_LOCAL_MACHINE.
constexpr const char* UninstallKeyRoot = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

}  // namespace

void BuildProductPaths(ProductValues& product, const CString& windowsFolder)
{
    CString windows = windowsFolder;
    if (windows.IsEmpty() || windows.GetAt(windows.GetLength() - 1) != '\\')
        windows += '\\';

    // The product code goes in verbatim: it is appended, never used as a
    // format, so a "%" in it stays a "%".
    product.UninstallKeyPath = CString(UninstallKeyRoot) + product.ProductCode;
    product.ProductFolder = windows + "Installer\\" + product.ProductCode + "\\";
    product.UninstallLogPath = product.ProductFolder + "uninstall.log";
    product.ThemeFolder = product.ProductFolder + "theme\\";
    product.LanguageFilePath = product.ProductFolder + "language.lan";
}

ProductValues& TheProduct()
{
    // Made on first use, so that start-up may fill it before anything else
    // reads it, whatever the order in which the program's statics are built.
    static ProductValues values;
    return values;
}
