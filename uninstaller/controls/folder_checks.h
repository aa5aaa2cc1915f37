// The checks behind the folder browse dialog's OK: is a typed folder well
// formed, does it exist, and may it be created level by level.
//
// The rules and the question-and-answer flow are portable; what they need
// from the machine (does a folder exist, create one folder, show a message
// box) comes through FolderCheckSystem. The Win32 implementation lives in
// folder_browser_win.*; the unit tests use a recording fake.
#pragma once

#include <string_view>

#include "framework/cstring.h"

// The folder text's buffer holds 260 characters with its terminating zero.
constexpr int kMaxFolderLength = 259;

// Message box flags and the answer the checks need, with the values Windows
// gives them.
constexpr unsigned kFolderQuestionFlags = 0x24;  // MB_YESNO | MB_ICONQUESTION
constexpr unsigned kFolderErrorFlags = 0x30;     // MB_OK | MB_ICONEXCLAMATION
constexpr int kAnswerYes = 6;                    // IDYES

// Results of CheckFolder; CreateFolderPath gives the first, FolderInvalid or
// FolderNotCreated.
constexpr int kFolderAccepted = 0;
constexpr int kFolderDeclined = -1;
constexpr int kFolderInvalid = 1;
constexpr int kFolderNotCreated = 2;
constexpr int kFolderRefused = 3;  // the tree guard would refuse it as the installation folder

class FolderCheckSystem {
public:
    virtual ~FolderCheckSystem() = default;
    // True when the path names an existing folder (a file of that name is no
    // folder). A drive root counts when the drive exists.
    virtual bool FolderExists(const CString& path) = 0;
    // Creates one folder whose parent exists; failure (it exists, access is
    // denied, ...) is not reported: the caller looks whether it exists.
    virtual void CreateOneFolder(const CString& path) = 0;
    // Shows a message box with the program's title; gives the button pressed.
    virtual int ShowMessageBox(const CString& text, unsigned flags) = 0;
    // Why the tree guard would refuse the folder as the installation folder
    // (its text, and the folder it names when it exists); empty when not.
    virtual CString InstallFolderRefusal(const CString& path) = 0;
};

// One part of a path (between backslashes): 1 when it may name a folder, 0
// when it is empty, begins or ends with a blank, a tab or a dot, or holds one
// of  " * / : < > ? \ |.
int IsValidFolderName(std::string_view part);

// Checks a full folder path "X:\part\part..." and, unless checkOnly, creates
// its missing levels from the root down. 0: valid (and, unless checkOnly,
// existing); 1: invalid; 2: a level could not be created (the levels made
// before it stay). A null text or one longer than kMaxFolderLength is invalid.
int CreateFolderPath(FolderCheckSystem& system, const char* folder, bool checkOnly);

// The check that OK runs on the typed folder, with its message boxes:
// 0 the folder exists or was created; -1 it is missing and the user did not
// want it created; 1 invalid; 2 could not be created; 3 the tree guard would
// refuse it as the installation folder (a removal would never take it, so
// it is no place for a product).
int CheckFolder(FolderCheckSystem& system, const CString& folder);

