#include "uninstaller/removal/product_lookup_win.h"

#include <windows.h>

#include <vector>

#include "uninstaller/removal/removal_system_win.h"

CString WindowsFolder()
{
    const UINT size = ::GetWindowsDirectoryA(nullptr, 0);
    std::vector<char> buffer(size + 1, '\0');
    const UINT length = ::GetWindowsDirectoryA(buffer.data(), size + 1);
    return (length > 0 && length <= size) ? CString(buffer.data(), length) : CString();
}

void LookUpProduct(ProductValues& product)
{
    BuildProductPaths(product, WindowsFolder());
    product.ProductDisplayName = ReadRegistryText(product.UninstallKeyPath, "DisplayName");
    product.InstallFolder = ReadRegistryText(product.UninstallKeyPath, "LastInstallationPath");
}
