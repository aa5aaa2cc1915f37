// Telling which system icon a message box shows. The icon handle that the
// box's static holds belongs to the other process: under Wine it cannot be
// drawn or read from here. What can be read is what the static shows on the
// screen. Wine refuses to copy from the device context of another process's
// window, so the pixels come from the screen's, at the static's place. The
// driver draws each system icon itself at the static's size and compares the
// pixels the icon covers fully; the pixels at its soft edges and in its
// transparent corners depend on the background and are left out. The
// information and question icons, the closest pair, differ in a fifth of
// those pixels; the same icon in none.
#include "tools/uidriver/message_box_win.h"

#include <cstdint>

#include "tools/uidriver/screen_win.h"

namespace uidriver {
namespace {

using detail::Canvas;
using detail::ScreenDc;

struct SystemIcon {
    BoxIcon icon;
    LPCSTR resource;
};
const SystemIcon kSystemIcons[] = {
    {BoxIcon::kInformation, IDI_ASTERISK},
    {BoxIcon::kExclamation, IDI_EXCLAMATION},
    {BoxIcon::kQuestion, IDI_QUESTION},
    {BoxIcon::kError, IDI_HAND},
};

// At most one pixel in fifty of those an icon covers may differ: the same
// icon drawn by the same system differs in none.
constexpr int kToleratedDifferencePerMille = 20;

struct Match {
    int covered = 0;    // pixels the icon covers fully
    int differing = 0;  // of those, pixels the screen shows otherwise
};

Match CompareWithIcon(const Canvas& shown, HICON icon, int width, int height)
{
    Match match;
    Canvas onBlack(width, height);
    Canvas onWhite(width, height);
    if (!onBlack.IsValid() || !onWhite.IsValid())
        return match;
    onBlack.Fill(RGB(0, 0, 0));
    onWhite.Fill(RGB(255, 255, 255));
    if (!DrawIconEx(onBlack.Dc(), 0, 0, icon, width, height, 0, nullptr, DI_NORMAL) ||
        !DrawIconEx(onWhite.Dc(), 0, 0, icon, width, height, 0, nullptr, DI_NORMAL))
        return match;
    // A pixel that comes out the same on black and on white is one the icon
    // covers fully: its colour is the icon's own.
    for (int i = 0; i < shown.PixelCount(); ++i) {
        const std::uint32_t own = onBlack.Color(i);
        if (own != onWhite.Color(i))
            continue;
        ++match.covered;
        if (shown.Color(i) != own)
            ++match.differing;
    }
    return match;
}

}  // namespace

const char* BoxIconName(BoxIcon icon)
{
    switch (icon) {
    case BoxIcon::kNone:
        return "none";
    case BoxIcon::kInformation:
        return "information";
    case BoxIcon::kExclamation:
        return "exclamation";
    case BoxIcon::kQuestion:
        return "question";
    case BoxIcon::kError:
        return "error";
    case BoxIcon::kUnknown:
        break;
    }
    return "unknown";
}

BoxIcon RecognizeBoxIcon(HWND iconStatic)
{
    RECT client{};
    if (!IsWindow(iconStatic) || !IsWindowVisible(iconStatic) || !GetClientRect(iconStatic, &client))
        return BoxIcon::kNone;
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    if (width <= 0 || height <= 0)
        return BoxIcon::kNone;

    Canvas shown(width, height);
    if (!shown.IsValid())
        return BoxIcon::kUnknown;
    POINT origin{0, 0};
    ClientToScreen(iconStatic, &origin);
    if (!shown.CopyFromScreen(origin.x, origin.y))
        return BoxIcon::kUnknown;

    // The best match wins if it is close enough; a static that shows
    // something else (or is covered by another window) matches none.
    BoxIcon best = BoxIcon::kUnknown;
    long long bestScore = 0;
    for (const SystemIcon& candidate : kSystemIcons) {
        // A shared icon of the system: never destroyed.
        HICON icon = LoadIconA(nullptr, candidate.resource);
        if (!icon)
            continue;
        const Match match = CompareWithIcon(shown, icon, width, height);
        if (match.covered == 0)
            continue;
        const long long score = 1000LL * match.differing / match.covered;  // per mille
        if (score <= kToleratedDifferencePerMille && (best == BoxIcon::kUnknown || score < bestScore)) {
            best = candidate.icon;
            bestScore = score;
        }
    }
    return best;
}

}  // namespace uidriver
