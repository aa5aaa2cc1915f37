#include "uninstaller/skin/progress_throttle.h"

#include <algorithm>

int ProgressThrottle::PixelOf(int position, int high, int width)
{
    if (high <= 0 || width <= 0)
        return 0;
    const long long clamped = std::clamp(position, 0, high);
    // In 64 bits: a range of millions times a wide bar overflows an int.
    return static_cast<int>(clamped * width / high);
}

bool ProgressThrottle::SetRange(int high)
{
    rangeHigh_ = high;
    rangeDirty_ = true;
    return HasWork();
}

bool ProgressThrottle::SetPosition(int position)
{
    position_ = position;
    return HasWork();
}

bool ProgressThrottle::SetStatusText(const CString& text, int line)
{
    if (line == 0) {
        infoText_ = text;
        infoDirty_ = true;
    } else {
        statusText_ = text;
        statusDirty_ = true;
    }
    return HasWork();
}

bool ProgressThrottle::PositionMovesBar() const
{
    if (barWidth_ <= 0)
        return false;
    return PixelOf(position_, rangeHigh_, barWidth_) != PixelOf(shownPosition_, rangeHigh_, barWidth_);
}

bool ProgressThrottle::HasWork() const
{
    return rangeDirty_ || infoDirty_ || statusDirty_ || PositionMovesBar();
}

std::uint64_t ProgressThrottle::DelayBeforeUpdate(std::uint64_t nowMs) const
{
    // A clock that went back counts as a full interval gone.
    if (!updatedOnce_ || nowMs < lastUpdateMs_)
        return 0;
    const std::uint64_t elapsed = nowMs - lastUpdateMs_;
    return elapsed >= MinIntervalMs ? 0 : MinIntervalMs - elapsed;
}

ProgressUpdate ProgressThrottle::TakeUpdate(std::uint64_t nowMs, bool final)
{
    ProgressUpdate update;
    const bool rangeChanged = rangeDirty_;
    if (rangeDirty_) {
        update.setRange = true;
        update.rangeHigh = rangeHigh_;
        shownHigh_ = rangeHigh_;
        // A new range clamps the bar's position into it.
        if (shownHigh_ >= 0)
            shownPosition_ = std::clamp(shownPosition_, 0, shownHigh_);
        rangeDirty_ = false;
    }
    // A new range redraws the bar anyway: its exact position costs nothing more.
    const bool sendPosition = (final || rangeChanged) ? position_ != shownPosition_ : PositionMovesBar();
    if (sendPosition) {
        update.setPosition = true;
        update.position = position_;
        shownPosition_ = position_;
    }
    if (infoDirty_) {
        update.setInfoText = true;
        update.infoText = infoText_;
        infoDirty_ = false;
    }
    if (statusDirty_) {
        update.setStatusText = true;
        update.statusText = statusText_;
        statusDirty_ = false;
    }
    updatedOnce_ = true;
    lastUpdateMs_ = nowMs;
    return update;
}
