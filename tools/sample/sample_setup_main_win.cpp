// sample_setup: installs the sample product "Parvane Sample" into the
// running machine (a Wine prefix, normally) and reports what of it is there.
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>

#include "tools/sample/sample_setup_win.h"

namespace {

const char kUsageText[] =
    "usage: sample_setup install [--code {CODE}] [--name NAME] [--folder PATH] [--library N] [--kelrun PATH]\n"
    "       sample_setup report  [--code {CODE}] [--name NAME] [--folder PATH] [--library N]\n"
    "\n"
    "  --code    the product code (default " "%s" ")\n"
    "  --name    the product's name (default \"%s\"); names the folders, shortcuts,\n"
    "            registry keys and the service, so that several installs can coexist\n"
    "  --folder  the installation folder (default <Program Files>\\<name>)\n"
    "  --library the number of files in data\\library (default %d)\n"
    "  --kelrun  copies that program to <Windows>\\kelrun.exe\n"
    "\n"
    "report takes the options that install was given.\n";

int Usage()
{
    std::fprintf(stderr, kUsageText, sample::kDefaultCode, sample::kDefaultName, sample::kLibraryFiles);
    return 2;
}

std::string OwnFolder()
{
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\'));
}

}  // namespace

int main(int argc, char** argv)
{
    _setmode(_fileno(stdout), _O_BINARY);
    if (argc < 2)
        return Usage();
    const std::string command = argv[1];
    std::string code = sample::kDefaultCode;
    std::string name = sample::kDefaultName;
    std::string folder;
    std::string kelrun;
    int libraryFiles = sample::kLibraryFiles;
    for (int i = 2; i < argc; ++i) {
        const std::string option = argv[i];
        if (i + 1 >= argc)
            return Usage();
        const std::string value = argv[++i];
        if (option == "--code")
            code = value;
        else if (option == "--name")
            name = value;
        else if (option == "--folder")
            folder = value;
        else if (option == "--library" && !value.empty() && value.find_first_not_of("0123456789") == std::string::npos &&
                 value.size() <= 6)
            libraryFiles = std::stoi(value);
        else if (option == "--kelrun" && command == "install")
            kelrun = value;
        else
            return Usage();
    }
    if (code.empty() || name.empty())
        return Usage();
    sample::Locations where = sample::LocateOnThisMachine(code, name, folder);
    where.libraryFiles = libraryFiles;
    const sample::Layout layout(where);
    if (command == "install")
        return sample::Install(layout, OwnFolder(), kelrun) ? 0 : 1;
    if (command == "report") {
        sample::Report(layout);
        return 0;
    }
    return Usage();
}
