// ProgressThrottle: what of the removal's progress reports reaches the page,
// and when. The removal reports every file; a person sees no more than
// about 60 changes a second, and every repaint of a visible progress bar
// costs the removal a millisecond or more under Wine. So reports are
// gathered here, and the page is updated from them at most once every
// MinIntervalMs, only with what would change on the screen: a range, a
// position that moves the bar by at least a pixel, a status text. A final
// update gives the exact range, position and texts whatever they are.
//
// No threads and no clock of its own: the caller holds one lock around
// every call and passes the time in milliseconds. Portable.
#pragma once

#include <cstdint>

#include "framework/cstring.h"

// One update of the page: each part is sent only when its flag is set, in
// this order (range, position, texts).
struct ProgressUpdate {
    bool setRange = false;
    int rangeHigh = 0;  // the range is 0 to rangeHigh
    bool setPosition = false;
    int position = 0;
    bool setInfoText = false;  // status line 0
    CString infoText;
    bool setStatusText = false;  // every other status line
    CString statusText;

    bool Empty() const { return !setRange && !setPosition && !setInfoText && !setStatusText; }
};

class ProgressThrottle {
public:
    static constexpr std::uint64_t MinIntervalMs = 16;

    // The bar's width in pixels, which decides what moves it; 0 or less
    // while the page has no bar (positions are then kept for the final
    // update only).
    void SetBarWidth(int pixels) { barWidth_ = pixels; }

    // Reports, as the removal makes them. Each returns true when the page
    // now has something to show that it did not have before, so that the
    // caller wakes the page once.
    bool SetRange(int high);
    bool SetPosition(int position);
    bool SetStatusText(const CString& text, int line);

    // True while the page has something new to show.
    bool HasWork() const;
    // How long before an update may be taken at `nowMs`: 0 for now.
    std::uint64_t DelayBeforeUpdate(std::uint64_t nowMs) const;
    // Takes what the page should show now and counts it as shown. With
    // `final` the exact position is taken even when it moves no pixel, and
    // the interval does not apply; otherwise call it only when
    // DelayBeforeUpdate gives 0.
    ProgressUpdate TakeUpdate(std::uint64_t nowMs, bool final);

    // The column of the bar's end for a position, for a bar of `width`
    // pixels and a range 0 to `high`, clamped to the bar.
    static int PixelOf(int position, int high, int width);

private:
    bool PositionMovesBar() const;

    int barWidth_ = 0;
    // What the removal asked for last.
    int rangeHigh_ = 100;  // a progress bar's own range until one is set
    int position_ = 0;
    CString infoText_;
    CString statusText_;
    // What the page shows.
    int shownHigh_ = 100;
    int shownPosition_ = 0;
    bool rangeDirty_ = false;
    bool infoDirty_ = false;
    bool statusDirty_ = false;
    bool updatedOnce_ = false;
    std::uint64_t lastUpdateMs_ = 0;
};
