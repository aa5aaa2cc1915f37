#!/usr/bin/env python3
"""Prints the rows of the upper-case table in renamer/upper_case.cpp.

The table is Unicode's simple upper-case mapping of the Basic Multilingual
Plane, kept only where the upper-case letter's own lower case leads back to
the letter (a, A), so that the mapping only joins the two cases of one
letter: a dotless i, a long s, a final sigma, a micro sign or a title-case
digraph keep their own names. That is the mapping by which Windows' file
systems take two names for the same one.

Python's str.upper() gives the full mapping; where that is more than one
character, the title case gives the simple one (U+1F80 -> U+1F88).
"""
import unicodedata


def upper_case():
    table = {}
    for c in range(0x10000):
        if 0xD800 <= c <= 0xDFFF:
            continue
        ch = chr(c)
        upper = ch.upper()
        if len(upper) != 1:
            upper = ch.title()
        if len(upper) == 1 and upper != ch and upper.lower() == ch:
            table[c] = ord(upper)
    return table


def rows(table):
    """Runs of letters one or two apart that move by the same distance."""
    result = []
    for c in sorted(table):
        delta = table[c] - c
        if result:
            first, last, stride, last_delta = result[-1]
            step = c - last
            if last_delta == delta and (step == stride or (first == last and step in (1, 2))):
                result[-1] = (first, c, step, delta)
                continue
        result.append((c, c, 1, delta))
    return result


def main():
    print(f"// Unicode {unicodedata.unidata_version}: "
          "renamer/unicode/make_upper_case_table.py")
    cells = [f"{{0x{first:04X}, 0x{last:04X}, {stride}, {delta}}},"
             for first, last, stride, delta in rows(upper_case())]
    for i in range(0, len(cells), 3):
        print("    " + " ".join(cells[i:i + 3]))


if __name__ == "__main__":
    main()
