// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

namespace zm {

// The window's file dialog (CommonDialog1): a bag of properties set before each use, and
// ShowOpen, which shows the open-file dialog modally.
//
//   Filter      "All Files (*.*)|*.*|Text Files(*.txt)|*.txt|Batch Files (*.bat)|*.bat":
//               description and pattern pairs separated by "|"
//   FilterIndex 1-based: 2 preselects "Text Files(*.txt)"
//   Flags       4 hides the read-only check box
class CommonDialog {
public:
    virtual ~CommonDialog() = default;

    bool CancelError = false;
    int Flags = 0;
    std::string Filter;
    int FilterIndex = 1;
    std::string FileName;

    // True when the user chose or typed a file name, existing or not (FileName then holds
    // its full path); false on Cancel or when the dialog could not be shown.
    virtual bool ShowOpen() = 0;
};

}  // namespace zm
