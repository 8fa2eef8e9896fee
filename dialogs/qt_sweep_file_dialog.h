// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPointer>
#include <QString>
#include <functional>

#include "dialogs/sweep_file_dialog.h"

class QFileDialog;
class QWidget;

namespace zm {

// SweepFileDialog on Qt's own file dialog, which asks before it replaces a file. Each use
// starts in the folder of the last file chosen. Picking a file type makes its extension the
// one added to a name typed without one.
class QtSweepFileDialog : public SweepFileDialog {
public:
    // parent: the window the dialog belongs to; by default the active window.
    explicit QtSweepFileDialog(QWidget* parent = nullptr);

    std::optional<std::string> chooseSaveName(const SweepFileRequest& request) override;
    std::optional<ReportChoice> chooseReportName(const SweepFileRequest& request) override;
    std::optional<std::string> chooseOpenName(const SweepFileRequest& request) override;

    // Called once the dialog is up and its event loop runs; tests pick and accept here.
    void setShownHook(std::function<void(QFileDialog&)> hook) { m_shownHook = std::move(hook); }

private:
    void setUpSave(QFileDialog& dialog, const SweepFileRequest& request) const;
    std::optional<std::string> choose(QFileDialog& dialog, const SweepFileRequest& request);

    QPointer<QWidget> m_parent;
    QString m_lastFolder;
    std::function<void(QFileDialog&)> m_shownHook;
};

}  // namespace zm
