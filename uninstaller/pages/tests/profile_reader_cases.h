// Files and the values the system's private-profile reader gives for them.
// The same table checks MemoryProfileReader natively and ProfileReaderWin
// under Wine, so the stand-in cannot drift from the real reader.
#pragma once

#include <string>
#include <vector>

struct ProfileReadCase {
    const char* what;
    std::string contents;
    const char* section;
    const char* key;
    int bufferSize;
    std::string expected;
};

inline std::vector<ProfileReadCase> ProfileReadCases()
{
    const std::string longValue(600, 'x');
    return {
        {"plain value", "[MAINWINDOW]\r\ncaption=Hello\r\n", "MAINWINDOW", "caption", 555, "Hello"},
        {"names ignore case", "[mainWindow]\r\nCAPTION=x\r\n", "MAINWINDOW", "caption", 555, "x"},
        {"blanks around name and value", "  [S]\n \t key  =   a  b \t \n", "S", "key", 555, "a  b"},
        {"double quotes dropped", "[S]\nk=\"quoted text\"\n", "S", "k", 555, "quoted text"},
        {"single quotes dropped", "[S]\nk='single'\n", "S", "k", 555, "single"},
        {"blanks kept inside quotes", "[S]\nk= \" padded \" \n", "S", "k", 555, " padded "},
        {"only the outer pair goes", "[S]\nk=\"a\" \"b\"\n", "S", "k", 555, "a\" \"b"},
        {"unmatched quote stays", "[S]\nk=\"open\n", "S", "k", 555, "\"open"},
        {"mixed quotes stay", "[S]\nk=\"mixed'\n", "S", "k", 555, "\"mixed'"},
        {"a lone quote stays", "[S]\nk=\"\n", "S", "k", 555, "\""},
        {"empty quotes", "[S]\nk=\"\"\n", "S", "k", 555, ""},
        {"first duplicate wins", "[S]\nk=1\nK=2\n", "S", "k", 555, "1"},
        {"equals sign in the value", "[S]\nk=a=b\n", "S", "k", 555, "a=b"},
        {"empty value", "[S]\nk=\nj=1\n", "S", "k", 555, ""},
        {"line feeds", "[S]\na=1\nb=2\n", "S", "b", 555, "2"},
        {"carriage returns", "[S]\ra=1\rb=2\r", "S", "b", 555, "2"},
        {"mixed line ends", "[S]\r\na=1\rb=2\nc=3", "S", "c", 555, "3"},
        {"no final line end", "[S]\nb=last", "S", "b", 555, "last"},
        {"blank lines", "\n\n[S]\n\n   \nb=2\n\n", "S", "b", 555, "2"},
        {"comment line", "[S]\n;b=1\nb=2\n", "S", "b", 555, "2"},
        {"missing key", "[S]\na=1\n", "S", "b", 555, ""},
        {"missing section", "[S]\na=1\n", "T", "a", 555, ""},
        {"key of another section", "[S]\na=1\n[T]\nb=2\n", "S", "b", 555, ""},
        {"later section", "[S]\na=1\n[T]\na=2\n", "T", "a", 555, "2"},
        {"text after the header", "[S] tail\na=1\n", "S", "a", 555, "1"},
        {"key without equals sign", "[S]\nTOTAL\n", "S", "TOTAL", 555, ""},
        {"a line without equals sign hides a later key", "[S]\nk\nk=5\n", "S", "k", 555, ""},
        {"only the first of repeated sections", "[S]\na=1\n[T]\nb=0\n[s]\nb=2\n", "S", "b", 555, ""},
        {"repeated section, first key wins", "[S]\nb=1\n[S]\nb=2\n", "S", "b", 555, "1"},
        {"blanks inside the brackets", "[ S\t]\na=1\n", "S", "a", 555, "1"},
        {"Ctrl-Z is a blank", "[S]\nk=abc\x1a\n", "S", "k", 555, "abc"},
        {"long value cut", "[S]\nk=" + longValue + "\n", "S", "k", 555, std::string(554, 'x')},
        {"long quoted value cut", "[S]\nk=\"" + longValue + "\"\n", "S", "k", 555, std::string(554, 'x')},
        {"count cut to 99", "[INFO]\nTOTAL=" + std::string(150, '7') + "\n", "INFO", "TOTAL", 100,
         std::string(99, '7')},
        {"one-byte buffer", "[S]\nk=abc\n", "S", "k", 1, ""},
        {"value fits exactly", "[S]\nk=abcd\n", "S", "k", 5, "abcd"},
        {"value one too long", "[S]\nk=abcde\n", "S", "k", 5, "abcd"},
    };
}

struct ProfileListCase {
    const char* what;
    std::string contents;
    const char* section;
    std::vector<std::string> expected;
};

inline std::vector<ProfileListCase> ProfileListCases()
{
    return {
        {"file order", "[INFO]\nTOTAL=3\n2=b\n0=a\n1=c\n", "INFO", {"TOTAL", "2", "0", "1"}},
        {"blanks dropped", "[info]\n  5 = x\n\t7=y\n", "INFO", {"5", "7"}},
        {"only that section", "[A]\na=1\n[INFO]\n0=x\n[B]\nb=2\n", "INFO", {"0"}},
        {"missing section", "[A]\na=1\n", "INFO", {}},
        {"empty section", "[INFO]\n[A]\na=1\n", "INFO", {}},
        {"comments left out", "[INFO]\n;0=x\n1=y\n", "INFO", {"1"}},
        {"repeated names", "[INFO]\n0=a\n0=b\n", "INFO", {"0", "0"}},
        {"lines without equals sign", "[INFO]\nTOTAL\n1=y\n", "INFO", {"1"}},
        {"repeated section", "[INFO]\n0=a\n[X]\n[INFO]\n1=b\n", "INFO", {"0"}},
    };
}

// Line `number` (from 1) of a file's text; CR LF, LF and a lone CR each end
// a line.
inline std::string LineOfText(const std::string& text, int number)
{
    std::size_t start = 0;
    for (int line = 1; start <= text.size(); ++line) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        if (line == number)
            return text.substr(start, end - start);
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return std::string();
}

// The line that a locator names for a case, alone under its section's
// header: a reader must find in it what it finds in the whole file.
inline std::string LocatedLineAlone(const ProfileReadCase& c, int line)
{
    return std::string("[") + c.section + "]\n" + LineOfText(c.contents, line) + "\n";
}
