// The example product of docs/authoring.md, read from the guide itself: the
// fenced blocks whose info string names a file ("```ini file=language.lan").
#pragma once

#include <fstream>
#include <map>
#include <string>

// File name (as in the product folder) -> text, with CR LF line ends as an
// installer on Windows writes them.
inline std::map<std::string, std::string> GuideExample(const std::string& guidePath)
{
    std::ifstream guide(guidePath);
    std::map<std::string, std::string> files;
    std::string line;
    std::string* block = nullptr;
    while (std::getline(guide, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.rfind("```", 0) == 0) {
            const std::size_t name = line.find(" file=");
            block = block || name == std::string::npos ? nullptr : &files[line.substr(name + 6)];
        } else if (block) {
            *block += line + "\r\n";
        }
    }
    return files;
}
