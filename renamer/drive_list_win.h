// CDriveList: a drop-down list of the machine's drives ("c: [System]").
#pragma once

#include <vector>

#include "framework/wnd_win.h"

namespace pelmora {

class CDriveList : public CWnd {
public:
    // Fills the list with the drives there are now.
    void Fill();
    // Selects the drive of a letter; false when there is no such drive.
    bool SetDrive(char letter);
    // The chosen drive's letter in upper case, or 0 when none is chosen.
    char GetDrive() const;

private:
    std::vector<char> letters_;  // the drive of each list entry
};

}  // namespace pelmora
