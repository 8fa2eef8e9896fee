// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/file_dialog_setup.h"

namespace zm {

void setUpFileDialog(CommonDialog& dialog, FileMenuEntry entry) {
    dialog.CancelError = true;
    dialog.Flags = kHideReadOnlyFlag;
    dialog.Filter = fileFilter(entry);
    dialog.FilterIndex = kTextFilesFilterIndex;
}

}  // namespace zm
