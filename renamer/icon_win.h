// CIcon: owns an icon made by LoadImage or CreateIcon and destroys it.
#pragma once

#include "framework/handle_win.h"

namespace pelmora {

struct IconTraits {
    using Type = HICON;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::DestroyIcon(h); }
};
using CIcon = UniqueHandle<IconTraits>;

// The application icon's image of the given size in pixels.
inline CIcon LoadAppIcon(int resourceId, int size)
{
    return CIcon(static_cast<HICON>(::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId),
                                                 IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

}  // namespace pelmora
