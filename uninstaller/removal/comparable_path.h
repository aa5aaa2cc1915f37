// A full path in one comparable form, for the tree guard's rules: the root
// ("C:" or "\\SERVER\SHARE") and the folder names below it, all upper-cased.
#pragma once

#include <string>
#include <vector>

#include "framework/cstring.h"

// Repeated and trailing backslashes vanish, "/" counts as "\", and trailing
// dots and blanks of a name are dropped as Windows drops them, so
// "C:\Windows.\" compares equal to "C:\WINDOWS". Not valid: relative paths,
// "C:name", names of nothing but dots and blanks ("." and ".."), device
// paths ("\\.\", "\\?\") and administrative drive shares ("\\host\C$").
struct ComparablePath {
    bool valid = false;
    std::string root;
    std::vector<std::string> names;
};

ComparablePath Comparable(const CString& path);

// `inner` is `outer` itself or lies somewhere below it; both valid.
bool IsSameOrInside(const ComparablePath& outer, const ComparablePath& inner);
