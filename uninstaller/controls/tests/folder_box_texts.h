// The texts of the folder checks' message boxes, as a user reads them,
// written out here once for the native and the Wine tests.
#pragma once

#include <string>

inline std::string Question(const std::string& folder)
{
    return "The folder:\n\n" + folder + "\n\ndoes not exist. Do you want the folder to be created?";
}

inline std::string Invalid(const std::string& folder)
{
    return "The folder:\n\n" + folder + "\n\nis invalid. Please reenter.";
}

inline std::string NotCreated(const std::string& folder)
{
    return "The folder:\n\n" + folder + "\n\ncan not be created. Please double check.";
}

inline std::string Refused(const std::string& folder, const std::string& reason)
{
    return "The folder:\n\n" + folder + "\n\ncan not be the installation folder (" + reason +
           "). Please choose another folder.";
}
