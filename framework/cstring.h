// CString: the framework's 8-bit text class.
//
// Text in these programs is 8-bit text in the system code page, so the class
// is a thin layer over std::string with the handful of operations the code
// uses. It never includes <windows.h>: the portable logic builds on Linux.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class CString {
public:
    CString() = default;
    CString(const char* text) : text_(text ? text : "") {}  // NOLINT: implicit like the framework's
    CString(const char* text, std::size_t length) : text_(text, length) {}
    CString(std::string text) : text_(std::move(text)) {}  // NOLINT
    CString(std::string_view text) : text_(text) {}         // NOLINT

    // The framework's string converts to a C string wherever one is expected.
    operator const char*() const { return text_.c_str(); }  // NOLINT
    const char* GetString() const { return text_.c_str(); }
    const std::string& str() const { return text_; }
    std::string_view view() const { return text_; }

    int GetLength() const { return static_cast<int>(text_.size()); }
    bool IsEmpty() const { return text_.empty(); }
    void Empty() { text_.clear(); }
    char GetAt(int index) const { return text_[static_cast<std::size_t>(index)]; }

    // Position of the first occurrence at or after `start`, or -1.
    int Find(std::string_view what, int start = 0) const;
    int Find(char what, int start = 0) const;
    // Position of the last occurrence of a character, or -1.
    int ReverseFind(char what) const;

    CString Left(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Right(int count) const;

    // Replaces every occurrence, left to right; inserted text is not searched
    // again. Returns the number of replacements.
    int Replace(std::string_view from, std::string_view to);
    int Replace(char from, char to);

    CString& MakeUpper();  // ASCII letters only, as the code page may not be Latin

    // printf-style formatting into a text of any length.
    static CString Format(const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 1, 2)))
#endif
        ;

    CString& operator+=(const CString& more) { text_ += more.text_; return *this; }
    CString& operator+=(const char* more) { text_ += more ? more : ""; return *this; }
    CString& operator+=(char more) { text_ += more; return *this; }

    friend CString operator+(CString left, const CString& right) { return left += right; }
    friend CString operator+(CString left, const char* right) { return left += right; }
    friend CString operator+(const char* left, const CString& right) { return CString(left) += right; }
    friend CString operator+(CString left, char right) { return left += right; }

    friend bool operator==(const CString& a, const CString& b) { return a.text_ == b.text_; }
    friend bool operator==(const CString& a, const char* b) { return a.text_ == (b ? b : ""); }
    friend bool operator==(const char* a, const CString& b) { return b == a; }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, const char* b) { return !(a == b); }
    friend bool operator!=(const char* a, const CString& b) { return !(b == a); }
    friend bool operator<(const CString& a, const CString& b) { return a.text_ < b.text_; }

private:
    std::string text_;
};
