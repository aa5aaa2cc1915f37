// dist_check: checks one shipped program file without running it.
//
//   dist_check --arch i386|x86-64 --program kelrun|Pelmora|pageview|kelcheck [--manifest SOURCE] FILE
//
// Prints one line a check ("ok" or "FAIL" with what was found) and exits
// with 0 when all passed, 1 when one failed, 2 on wrong usage or an
// unreadable file.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tools/distcheck/dist_rules.h"
#include "tools/distcheck/pe_image.h"

namespace {

bool ReadFile(const std::string& path, std::string* contents)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    contents->assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return !file.bad();
}

int Usage(const char* problem)
{
    std::fprintf(stderr,
                 "dist_check: %s\nusage: dist_check --arch i386|x86-64 --program kelrun|Pelmora|pageview|kelcheck "
                 "[--manifest SOURCE] FILE\n",
                 problem);
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string arch, program, manifest, path;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        std::string* value = argument == "--arch"       ? &arch
                             : argument == "--program"  ? &program
                             : argument == "--manifest" ? &manifest
                                                        : nullptr;
        if (value && i + 1 < argc)
            *value = argv[++i];
        else if (!value && path.empty() && argument.compare(0, 2, "--") != 0)
            path = argument;
        else
            return Usage(("unexpected argument " + argument).c_str());
    }
    if (path.empty())
        return Usage("no file");
    if (arch != "i386" && arch != "x86-64")
        return Usage("--arch is i386 or x86-64");
    distcheck::ProgramRules rules;
    if (program == "kelrun")
        rules = distcheck::KelrunRules();
    else if (program == "Pelmora")
        rules = distcheck::PelmoraRules();
    else if (program == "pageview")
        rules = distcheck::PageViewRules();
    else if (program == "kelcheck")
        rules = distcheck::KelcheckRules();
    else
        return Usage("--program is kelrun, Pelmora, pageview or kelcheck");
    if (!manifest.empty() && !ReadFile(manifest, &rules.manifestSource)) {
        std::fprintf(stderr, "dist_check: cannot read %s\n", manifest.c_str());
        return 2;
    }

    std::string bytes;
    if (!ReadFile(path, &bytes)) {
        std::fprintf(stderr, "dist_check: cannot read %s\n", path.c_str());
        return 2;
    }
    distcheck::PeImage image;
    std::string error;
    if (!image.Parse(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), &error)) {
        std::printf("FAIL %s: not a readable Windows program (%s)\n", path.c_str(), error.c_str());
        return 1;
    }
    const auto architecture =
        arch == "i386" ? distcheck::Architecture::kI386 : distcheck::Architecture::kX86_64;
    bool allPassed = true;
    for (const distcheck::CheckResult& result : distcheck::CheckProgram(image, architecture, rules)) {
        if (result.passed)
            std::printf("ok   %s: %s\n", path.c_str(), result.what.c_str());
        else
            std::printf("FAIL %s: %s: %s\n", path.c_str(), result.what.c_str(),
                        result.detail.c_str());
        allPassed = allPassed && result.passed;
    }
    return allPassed ? 0 : 1;
}
