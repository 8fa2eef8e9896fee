// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/qt_common_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QTimer>

#include "dialogs/file_filter.h"

namespace zm {
namespace {

// Qt reads a name filter's globs from its last "(...)": "Text Files(*.txt) (*.txt)"
// filters by "*.txt". Appending the globs always works, whether or not the description
// already carries its pattern, and "All Files (*.*)" gets "(*)" so that names without a
// dot show too.
QString qtNameFilter(const FileType& type) {
    QStringList globs;
    for (const std::string& glob : patternGlobs(type.pattern)) {
        globs << QString::fromStdString(glob);
    }
    return QString::fromStdString(type.description) + QStringLiteral(" (") + globs.join(' ') +
           QLatin1Char(')');
}

}  // namespace

QtCommonDialog::QtCommonDialog(QWidget* parent) : m_parent(parent) {}

bool QtCommonDialog::ShowOpen() {
    // Without an owner given, the dialog centres on the window the user is working in.
    QWidget* owner = m_parent ? m_parent.data() : QApplication::activeWindow();
    // The title Windows gives an open-file dialog that sets none.
    QFileDialog dialog(owner, QStringLiteral("Open"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // Any name is taken, also one that does not exist yet: the name is only shown, and the
    // SaveAs entry shows this same dialog to name a file that is still to be written.
    dialog.setFileMode(QFileDialog::AnyFile);
    startAtLastPick(dialog);
    applyFilter(dialog);
    if (m_shownHook) {
        QTimer::singleShot(0, &dialog, [this, &dialog] { m_shownHook(dialog); });
    }
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    const QStringList picked = dialog.selectedFiles();
    if (picked.isEmpty()) {
        return false;
    }
    FileName = QFileInfo(picked.first()).absoluteFilePath().toStdString();
    return true;
}

void QtCommonDialog::applyFilter(QFileDialog& dialog) const {
    const std::vector<FileType> types = parseFilter(Filter);
    if (types.empty()) {
        return;  // no file-type box entries: every file shows
    }
    QStringList nameFilters;
    for (const FileType& type : types) {
        nameFilters << qtNameFilter(type);
    }
    dialog.setNameFilters(nameFilters);
    const bool inRange = FilterIndex >= 1 && FilterIndex <= nameFilters.size();
    dialog.selectNameFilter(nameFilters.at(inRange ? FilterIndex - 1 : 0));

    // The box shows the descriptions as written. Qt filters by its own copy of the name
    // filters, so relabelling the box changes what the user reads, not what is listed.
    // Should a later Qt rename the box, the user sees "Text Files(*.txt) (*.txt)" instead.
    if (auto* box = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))) {
        for (int i = 0; i < box->count() && i < static_cast<int>(types.size()); ++i) {
            box->setItemText(i, QString::fromStdString(types[i].description));
        }
    }
}

// Like the Windows dialog, the next use opens where the last pick was, with that file
// selected, as long as it is still there.
void QtCommonDialog::startAtLastPick(QFileDialog& dialog) const {
    if (FileName.empty()) {
        return;
    }
    const QFileInfo last(QString::fromStdString(FileName));
    if (last.isFile()) {
        dialog.selectFile(last.absoluteFilePath());
    } else if (last.absoluteDir().exists()) {
        dialog.setDirectory(last.absoluteDir());
    }
}

}  // namespace zm
