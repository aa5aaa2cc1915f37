// kelcheck: checks what an installer leaves behind for kelrun, before kelrun
// meets it.
//
//   kelcheck.exe {productcode}   the installed product, found as kelrun finds it
//   kelcheck.exe FOLDER          a product folder before any installation
//
// Prints one finding a line, "FILE:LINE: error: TEXT" or "... warning: ...",
// then "N errors, M warnings". Exit code 0 without errors, 1 with errors,
// 2 when nothing could be read.
#include <windows.h>

#include <cstdio>

#include "uninstaller/check/check_system_win.h"
#include "uninstaller/check/product_check.h"
#include "uninstaller/removal/product_lookup_win.h"

namespace {

const char kUsage[] =
    "usage: kelcheck.exe {productcode}   checks an installed product, as kelrun finds it\n"
    "       kelcheck.exe FOLDER          checks a product folder before any installation\n";

bool IsFolder(const CString& path)
{
    const DWORD attributes = ::GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

int NothingRead(const CString& why)
{
    std::printf("kelcheck: %s\n", why.GetString());
    return CheckNothingRead;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs(kUsage, stdout);
        return CheckNothingRead;
    }
    Win32CheckSystem system;
    CheckTarget target;
    const CString argument = argv[1];
    // A product code is written in braces; anything else names a folder.
    if (argument.Left(1) == "{") {
        ProductValues product;
        product.ProductCode = argument;
        LookUpProduct(product);
        target.productFolder = product.ProductFolder;
        target.installed = true;
        target.installFolder = product.InstallFolder;
        if (!IsFolder(product.ProductFolder))
            return NothingRead("no product " + argument + ": " + product.ProductFolder + " does not exist");
    } else {
        CString folder = system.FullPath(argument);
        if (folder.IsEmpty() || !IsFolder(folder))
            return NothingRead("no folder " + argument);
        if (folder.Right(1) != "\\")
            folder += "\\";
        target.productFolder = folder;
    }
    const Findings findings = CheckProduct(system, target);
    for (const CString& line : findings.Lines())
        std::printf("%s\n", line.GetString());
    std::fflush(stdout);
    return findings.ExitCode();
}
