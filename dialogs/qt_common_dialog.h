// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

#include <QPointer>

#include "dialogs/common_dialog.h"

class QFileDialog;
class QWidget;

namespace zm {

// CommonDialog on Qt's own file dialog (never the desktop's native one, so it looks and
// behaves the same everywhere and tests can drive it).
//
// Filter "All Files (*.*)|*.*|Text Files(*.txt)|*.txt|..." becomes one entry of the
// file-type box per description, labelled with the description exactly as written, while
// the files are filtered by the pattern ("*.*" matching every file, as on Windows).
// FilterIndex is 1-based; out of range selects the first type.
// Flags: Qt's dialog has no read-only check box, so 4 (hide it) is what it does anyway;
// no other flag is used, and none is mapped. QFileDialog::ReadOnly is something else
// (no renaming or deleting in the dialog) and is not set.
// CancelError: Cancel makes ShowOpen return false whatever its value.
class QtCommonDialog : public CommonDialog {
public:
    // parent: the window the dialog belongs to; by default the active window.
    explicit QtCommonDialog(QWidget* parent = nullptr);

    // Shows an open-file dialog modally, starting where the last FileName was.
    bool ShowOpen() override;

    // Called once the dialog is up and its event loop runs; tests pick and accept here.
    void setShownHook(std::function<void(QFileDialog&)> hook) { m_shownHook = std::move(hook); }

private:
    void applyFilter(QFileDialog& dialog) const;
    void startAtLastPick(QFileDialog& dialog) const;

    QPointer<QWidget> m_parent;
    std::function<void(QFileDialog&)> m_shownHook;
};

}  // namespace zm
