// The product values of one kelrun process: the mode, the product and the
// paths of its folder of uninstall data. Start-up writes them once, before any
// window or thread exists; afterwards they are only read, except
// InstallFolder, which a page's folder browse may replace on the UI thread.
#pragma once

#include "framework/cstring.h"

enum RunModeValue : int {
    RunModeNone = 0,
    RunModeUninstall = 255,        // "/R"
    RunModeModify = 333,           // "/I"
    RunModeSilentUninstall = 444,  // "/S"
};

// Exit codes, in the conventions that deployment tools read.
enum ExitCodeValue : int {
    ExitRemovalRan = 0,
    ExitUserDeclined = 1602,       // the user cancelled: No to the question, or the page closed before the removal
    ExitStartupFailed = 1603,      // any other failed start-up
    ExitProductNotFound = 1605,    // no uninstall information for the product
    ExitBadCommandLine = 1639,     // the usage message was shown
    ExitRestartRequired = 3010,    // the removal ran; files in use go when Windows restarts
};

struct ProductValues {
    int RunMode = RunModeNone;
    CString ProductCode;         // second command-line argument, verbatim
    CString ProductDisplayName;  // DisplayName of the Uninstall key, or empty
    CString InstallFolder;       // LastInstallationPath of the Uninstall key, or empty
    CString UninstallKeyPath;    // below HKEY_LOCAL_MACHINE
    CString ProductFolder;       // <WindowsDir>\Installer\<ProductCode>\ (ends in a backslash)
    CString UninstallLogPath;    // ProductFolder + "uninstall.log"
    CString ThemeFolder;         // ProductFolder + "theme\"
    CString LanguageFilePath;    // ProductFolder + "language.lan"
};

// Fills UninstallKeyPath, ProductFolder, UninstallLogPath, ThemeFolder and
// LanguageFilePath of `product` from its ProductCode and the Windows folder
// (which gets exactly one trailing backslash).
void BuildProductPaths(ProductValues& product, const CString& windowsFolder);

// The process's values. Start-up fills them; everything else reads them.
ProductValues& TheProduct();
