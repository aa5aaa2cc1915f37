// CIcon: owns an icon made by LoadImage or CreateIcon and destroys it.
#pragma once

#include "framework/handle_win.h"

struct IconTraits {
    using Type = HICON;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::DestroyIcon(h); }
};
using CIcon = UniqueHandle<IconTraits>;

// The image of the given size in pixels of an icon resource of the program.
// An icon resource holds several sizes; LoadImage picks the nearest one and
// scales it when none fits, so the caller gets a fresh icon it owns.
inline CIcon LoadIconResource(int resourceId, int size)
{
    return CIcon(static_cast<HICON>(::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId),
                                                 IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}
