// What several styled controls share: colour texts turned into colour
// references, and fonts made from a font choice (face, point size, bold and
// italic flags, 255 meaning yes) on the system's status-bar font.
#pragma once

#include <windows.h>

#include "framework/cstring.h"
#include "uninstaller/common/color_text.h"

// The system's button face colour as it is now.
ColorRgb SystemButtonFace();
COLORREF ToColorRef(const ColorRgb& color);
// A colour text as the colour setters read it ("COLOR_BTNFACE" and an
// empty text are the button face colour).
COLORREF ColorFromText(const CString& colorText);

// The non-client metrics in the record size every Windows version accepts
// (without the padded border width, 340 bytes).
NONCLIENTMETRICSA ReadNonClientMetrics();

// Character height in pixels of `pointSize` points on the screen that
// `control` is on (a null control: the screen itself).
int PointsToPixels(HWND control, int pointSize);

// Puts a font choice into `font`: height minus `pixelHeight`, weight 700 for
// bold 255 else 400, italic for italic 255, and the face (cut to the 31
// characters a face name holds). Underline and the rest stay as they were.
void ApplyFontChoice(LOGFONTA& font, int pixelHeight, const CString& faceName, int bold, int italic);
