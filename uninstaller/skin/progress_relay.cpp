#include "uninstaller/skin/progress_relay.h"

#include <algorithm>

void ProgressRelay::Attach(RemovalReporter* page)
{
    std::lock_guard<std::mutex> lock(lock_);
    if (!page || std::find(pages_.begin(), pages_.end(), page) != pages_.end())
        return;
    // The range first: a position means something only within it.
    if (range_)
        page->SetProgressRange(*range_);
    if (position_)
        page->SetProgressPos(*position_);
    for (const auto& status : statusLines_)
        page->SetStatusText(status.second, status.first);
    pages_.push_back(page);
}

void ProgressRelay::Detach(RemovalReporter* page)
{
    std::lock_guard<std::mutex> lock(lock_);
    pages_.erase(std::remove(pages_.begin(), pages_.end(), page), pages_.end());
}

void ProgressRelay::SetProgressRange(int total)
{
    std::lock_guard<std::mutex> lock(lock_);
    range_ = total;
    for (RemovalReporter* page : pages_)
        page->SetProgressRange(total);
}

void ProgressRelay::SetProgressPos(int position)
{
    std::lock_guard<std::mutex> lock(lock_);
    position_ = position;
    for (RemovalReporter* page : pages_)
        page->SetProgressPos(position);
}

void ProgressRelay::SetStatusText(const CString& text, int line)
{
    std::lock_guard<std::mutex> lock(lock_);
    statusLines_[line] = text;
    for (RemovalReporter* page : pages_)
        page->SetStatusText(text, line);
}
