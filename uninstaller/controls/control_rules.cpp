#include "uninstaller/controls/control_rules.h"

#include <cstdint>

#include "uninstaller/common/resource.h"

int AlignmentFlagsFor(std::string_view word, int current)
{
    if (word == "Left")
        return AlignWrapLeft;
    if (word == "Center")
        return AlignWrapCenter;
    if (word == "Right")
        return AlignWrapRight;
    return current;
}

int PageIconResourceFor(int index)
{
    // By number: exclamation, info, error, typical, minimal, custom, setup, folder.
    static const int resources[] = {IDI_PAGE_EXCLAMATION, IDI_PAGE_INFO,   IDI_PAGE_ERROR, IDI_PAGE_TYPICAL,
                                    IDI_PAGE_MINIMAL,     IDI_PAGE_CUSTOM, IDI_PAGE_SETUP, IDI_PAGE_FOLDER};
    if (index < 0 || index >= static_cast<int>(sizeof resources / sizeof resources[0]))
        return 0;
    return resources[index];
}

CString OversizedPictureLine(const CString& path)
{
    return CString::Format("picture \"%s\": the file is larger than 32 MB; the page shows no picture for it",
                           path.GetString());
}

int HimetricToPixels(int himetric, int dotsPerInch)
{
    // 2540 HIMETRIC units make an inch; adding half of it rounds to the
    // nearest pixel. The product is taken in 64 bits: a picture that claims
    // a huge size must not wrap round into a small or negative one.
    const std::int64_t pixels = (static_cast<std::int64_t>(himetric) * dotsPerInch + 1270) / 2540;
    if (pixels > INT32_MAX)
        return INT32_MAX;
    if (pixels < INT32_MIN)
        return INT32_MIN;
    return static_cast<int>(pixels);
}

bool BackColorPaintsBackground(const CString& colorText, const ColorRgb& buttonFace)
{
    const CString given = colorText.IsEmpty() ? CString(ButtonFaceWord) : colorText;
    return given != FormatColorText(buttonFace);
}

ColorRgb ResolveColorText(const CString& colorText, const ColorRgb& buttonFace)
{
    return ParseColorText(SpellOutColorText(colorText, buttonFace).view());
}
