// The rules of the styled page controls that are plain values: alignment
// words, the numbers of the page icons, picture sizes and when a text
// control paints its background. Portable: no Win32 here.
#pragma once

#include <string_view>

#include "framework/cstring.h"
#include "uninstaller/common/color_text.h"

// Text drawing flags of a text control: word-wrap (DrawText's DT_WORDBREAK,
// 0x10) with left (0), centred (1) or right (2) lines. 0 is left without
// wrapping, the flags before any alignment is chosen.
constexpr int AlignNone = 0;
constexpr int AlignWrapLeft = 16;
constexpr int AlignWrapCenter = 17;
constexpr int AlignWrapRight = 18;

// "Left", "Center" or "Right" (exactly, case included) give their flags;
// any other word keeps `current`.
int AlignmentFlagsFor(std::string_view word, int current);

// The icon resource that icon number 0 to 7 shows, or 0 for any other number.
int PageIconResourceFor(int index);

// The largest picture file a page reads: 32 MB. A page's pictures are read
// whole into memory before they are decoded; a larger file is no picture,
// as if it were not there, so that a huge file cannot hold the page up or
// take gigabytes of memory.
constexpr long long MaxPictureFileBytes = 32LL * 1024 * 1024;

// The line a page's load report gives for a picture file over that bound.
CString OversizedPictureLine(const CString& path);

// A picture side in HIMETRIC units (0.01 mm) in pixels at the given dots per
// inch, rounded to the nearest pixel.
int HimetricToPixels(int himetric, int dotsPerInch);

// Whether a text control paints its background for this colour text: every
// text does except the button face colour spelled out in the "%u,%u,%u"
// form, which leaves the background as the parent drew it. An empty text
// stands for "COLOR_BTNFACE" and so paints.
bool BackColorPaintsBackground(const CString& colorText, const ColorRgb& buttonFace);

// The colour a colour setter uses: an empty text and "COLOR_BTNFACE" are
// the button face colour; any other text is read as three numbers.
ColorRgb ResolveColorText(const CString& colorText, const ColorRgb& buttonFace);
