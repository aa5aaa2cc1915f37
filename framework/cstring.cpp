#include "framework/cstring.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <vector>

#include "framework/ascii_case.h"

namespace {

std::size_t Clamp(int position, std::size_t size)
{
    if (position < 0)
        return 0;
    return std::min(static_cast<std::size_t>(position), size);
}

int ToIndex(std::size_t found)
{
    return found == std::string::npos ? -1 : static_cast<int>(found);
}

}  // namespace

int CString::Find(std::string_view what, int start) const
{
    if (start < 0 || static_cast<std::size_t>(start) > text_.size())
        return -1;
    return ToIndex(text_.find(what, static_cast<std::size_t>(start)));
}

int CString::Find(char what, int start) const
{
    if (start < 0 || static_cast<std::size_t>(start) >= text_.size())
        return -1;
    return ToIndex(text_.find(what, static_cast<std::size_t>(start)));
}

int CString::ReverseFind(char what) const
{
    return ToIndex(text_.rfind(what));
}

CString CString::Left(int count) const
{
    return CString(text_.substr(0, Clamp(count, text_.size())));
}

CString CString::Mid(int first) const
{
    return CString(text_.substr(Clamp(first, text_.size())));
}

CString CString::Mid(int first, int count) const
{
    const std::size_t from = Clamp(first, text_.size());
    return CString(text_.substr(from, Clamp(count, text_.size() - from)));
}

CString CString::Right(int count) const
{
    const std::size_t keep = Clamp(count, text_.size());
    return CString(text_.substr(text_.size() - keep));
}

int CString::Replace(std::string_view from, std::string_view to)
{
    if (from.empty())
        return 0;
    int count = 0;
    std::string result;
    std::size_t done = 0;
    for (std::size_t hit = text_.find(from); hit != std::string::npos; hit = text_.find(from, done)) {
        result.append(text_, done, hit - done);
        result.append(to);
        done = hit + from.size();
        ++count;
    }
    if (count > 0) {
        result.append(text_, done, std::string::npos);
        text_ = std::move(result);
    }
    return count;
}

int CString::Replace(char from, char to)
{
    int count = 0;
    for (char& c : text_) {
        if (c == from) {
            c = to;
            ++count;
        }
    }
    return count;
}

CString& CString::MakeUpper()
{
    for (char& c : text_)
        c = AsciiUpper(c);
    return *this;
}

CString CString::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    CString result;
    if (length > 0) {
        std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), format, again);
        result.text_.assign(buffer.data(), static_cast<std::size_t>(length));
    }
    va_end(again);
    return result;
}
