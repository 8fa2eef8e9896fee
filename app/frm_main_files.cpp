// SPDX-License-Identifier: GPL-3.0-or-later
// File, Open / SaveAs / Print.

#include "app/frm_main.h"
#include "dialogs/file_dialog_setup.h"

namespace zm {

void frmMain::mnuOpen_Click() {
    showFileDialog(FileMenuEntry::Open);
}

void frmMain::MnuSaveAs_Click() {
    showFileDialog(FileMenuEntry::SaveAs);
}

// Both entries show the open-file dialog and only tell the chosen name; nothing is read
// or written. Polling rests while the dialog and the message are up, and resumes on
// every path, Cancel included.
void frmMain::showFileDialog(FileMenuEntry entry) {
    const PollingPause paused(*this);
    CommonDialog& CommonDialog1 = *m_devices.fileDialog;
    setUpFileDialog(CommonDialog1, entry);
    if (CommonDialog1.ShowOpen()) {
        m_devices.messages->show(CommonDialog1.FileName);
    }
}

// Prints the client area as it shows now; polling goes on.
void frmMain::mnuPrint_Click() {
    std::string whyNot;
    if (!m_devices.printer->printWindow(*centralWidget(), whyNot)) {
        m_devices.messages->show(whyNot);
    }
}

}  // namespace zm
