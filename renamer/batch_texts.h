// What the main window tells the user about a batch: the question before it,
// its progress and end, why it was refused, and why it stopped. Plain text
// processing, so the texts can be checked without a window.
#pragma once

#include <string_view>
#include <vector>

#include "framework/cstring.h"
#include "renamer/batch_check.h"
#include "renamer/name_rule.h"

namespace pelmora {

// The label under the progress bar once a batch has renamed every file, and
// once a failed rename has stopped it.
inline constexpr char kBatchDoneText[] = "Done !";
inline constexpr char kBatchStoppedText[] = "Stopped";

// The Yes/No question before a batch ("... In Folder 'C:\Trip\*.*' With
// Prefix Name 'Trip'").
CString ConfirmationQuestion(const CString& folder, const CString& prefix);

// The rename button's tool tip once a prefix has been typed.
CString RenameTip(const CString& prefix);

// The progress label: "50% Complete".
CString PercentText(int percent);

// "Error 183: Cannot create a file when that file already exists." from the
// error number and the system's description of it.
CString ErrorText(unsigned long error, std::string_view description);

// The folder of the list cannot be read, so the batch cannot be checked.
CString UnreadableFolderText(const CString& folder, const CString& errorText);

// Why a batch was refused before its first rename.
CString DescribeProblem(const BatchCheck& check, const std::vector<RenameStep>& plan,
                        const CString& folder);

// A rename failed: the batch stops there, and the user learns which file and
// what the system said.
CString RenameFailureText(const CString& errorText, const CString& oldPath, const CString& newPath);

}  // namespace pelmora
