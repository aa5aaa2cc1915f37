// ProgressRelay: where the removal's progress reports go while pages come
// and go. The removal reports to the relay, and the relay hands every report
// to each page attached at that moment. A page attached while the removal
// runs (a Next or Back during the run) is first given the range, position
// and status lines reported last, so that it shows where the run stands.
//
// Reports come from the removal's thread, pages are attached and detached
// on the user-interface thread: once Detach returns, the page is never
// called again and may be destroyed. Portable.
#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <vector>

#include "framework/cstring.h"
#include "uninstaller/removal/removal_system.h"

class ProgressRelay : public RemovalReporter {
public:
    void Attach(RemovalReporter* page);
    void Detach(RemovalReporter* page);

    void SetProgressRange(int total) override;
    void SetProgressPos(int position) override;
    void SetStatusText(const CString& text, int line) override;

private:
    std::mutex lock_;  // held while a page is called, so Detach waits for that call
    std::vector<RemovalReporter*> pages_;  // borrowed
    std::optional<int> range_;
    std::optional<int> position_;
    std::map<int, CString> statusLines_;  // by line, as reported (placeholders unfilled)
};
