#include "renamer/drive_list_win.h"

#include "framework/ascii_case.h"
#include "renamer/folder_tree.h"
#include "renamer/wide_win.h"

namespace pelmora {

namespace {

CString VolumeLabel(char letter)
{
    const wchar_t root[4] = {static_cast<wchar_t>(letter), L':', L'\\', L'\0'};
    // Asking a floppy or card drive for its label spins it up or fails after a
    // wait; such drives show the letter alone.
    const UINT type = ::GetDriveTypeW(root);
    if (type == DRIVE_REMOVABLE || type == DRIVE_NO_ROOT_DIR || type == DRIVE_UNKNOWN)
        return CString();
    wchar_t label[MAX_PATH + 1] = {};
    if (!::GetVolumeInformationW(root, label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0))
        return CString();
    return Narrow(label);
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
        ::SendMessageW(m_hWnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(text.view()).c_str()));
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
