#include "renamer/drive_list_win.h"

#include "framework/ascii_case.h"
#include "renamer/folder_tree.h"

namespace pelmora {

namespace {

CString VolumeLabel(char letter)
{
    const char root[4] = {letter, ':', '\\', '\0'};
    // Asking a floppy or card drive for its label spins it up or fails after a
    // wait; such drives show the letter alone.
    const UINT type = ::GetDriveTypeA(root);
    if (type == DRIVE_REMOVABLE || type == DRIVE_NO_ROOT_DIR || type == DRIVE_UNKNOWN)
        return CString();
    char label[MAX_PATH + 1] = {};
    if (!::GetVolumeInformationA(root, label, sizeof label, nullptr, nullptr, nullptr, nullptr, 0))
        return CString();
    return CString(label);
}

}  // namespace

void CDriveList::Fill()
{
    SendMessage(CB_RESETCONTENT);
    letters_.clear();
    const DWORD drives = ::GetLogicalDrives();
    for (int bit = 0; bit < 26; ++bit) {
        if (!(drives & (1u << bit)))
            continue;
        const char letter = static_cast<char>('A' + bit);
        const CString text = DriveEntryText(letter, VolumeLabel(letter));
        SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.GetString()));
        letters_.push_back(letter);
    }
}

bool CDriveList::SetDrive(char letter)
{
    letter = AsciiUpper(letter);
    for (std::size_t i = 0; i < letters_.size(); ++i) {
        if (letters_[i] == letter) {
            SendMessage(CB_SETCURSEL, i);
            return true;
        }
    }
    return false;
}

char CDriveList::GetDrive() const
{
    const LRESULT index = SendMessage(CB_GETCURSEL);
    if (index < 0 || static_cast<std::size_t>(index) >= letters_.size())
        return 0;
    return letters_[static_cast<std::size_t>(index)];
}

}  // namespace pelmora
