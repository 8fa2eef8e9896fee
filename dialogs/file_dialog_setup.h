// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "dialogs/common_dialog.h"
#include "dialogs/file_filter.h"

namespace zm {

// The dialog's Flags for both entries: 4 hides the read-only check box, no other option.
inline constexpr int kHideReadOnlyFlag = 4;
// Both entries open on their second file type, "Text Files(*.txt)".
inline constexpr int kTextFilesFilterIndex = 2;

// Sets the dialog up afresh for one File menu entry, as each use must: CancelError,
// Flags, Filter and FilterIndex are rewritten, FileName keeps the last pick.
void setUpFileDialog(CommonDialog& dialog, FileMenuEntry entry);

}  // namespace zm
