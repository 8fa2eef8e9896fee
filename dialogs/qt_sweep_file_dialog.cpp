// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/qt_sweep_file_dialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTimer>

namespace zm {

QtSweepFileDialog::QtSweepFileDialog(QWidget* parent) : m_parent(parent) {}

std::optional<std::string> QtSweepFileDialog::chooseSaveName(const SweepFileRequest& request) {
    QFileDialog dialog(m_parent ? m_parent.data() : QApplication::activeWindow());
    setUpSave(dialog, request);
    return choose(dialog, request);
}

// Qt's own dialog lays its parts out on a grid: the comment takes a row of its own under
// the file name and type.
std::optional<ReportChoice> QtSweepFileDialog::chooseReportName(const SweepFileRequest& request) {
    QFileDialog dialog(m_parent ? m_parent.data() : QApplication::activeWindow());
    setUpSave(dialog, request);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    auto* comment = new QLineEdit(&dialog);
    comment->setObjectName(QStringLiteral("comment"));
    comment->setPlaceholderText(QStringLiteral("printed under the title; may stay empty"));
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
        const int row = grid->rowCount();
        grid->addWidget(new QLabel(QStringLiteral("Comment:"), &dialog), row, 0);
        grid->addWidget(comment, row, 1, 1, grid->columnCount() - 1);
    }
    const auto path = choose(dialog, request);
    if (!path) {
        return std::nullopt;
    }
    return ReportChoice{*path, comment->text().toStdString()};
}

void QtSweepFileDialog::setUpSave(QFileDialog& dialog, const SweepFileRequest& request) const {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultSuffix));
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& type) {
            static const QRegularExpression kOnePattern(QStringLiteral(R"(\(\*\.(\w+)\)$)"));
            const QRegularExpressionMatch match = kOnePattern.match(type);
            if (match.hasMatch()) {
                dialog.setDefaultSuffix(match.captured(1));
            }
        });
}

std::optional<std::string> QtSweepFileDialog::chooseOpenName(const SweepFileRequest& request) {
    QFileDialog dialog(m_parent ? m_parent.data() : QApplication::activeWindow());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return choose(dialog, request);
}

// Qt's own dialog, never the desktop's, as the File menu's: the same everywhere, and one a
// test can drive.
std::optional<std::string> QtSweepFileDialog::choose(QFileDialog& dialog,
                                                     const SweepFileRequest& request) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setWindowTitle(QString::fromStdString(request.title));
    dialog.setNameFilters(QString::fromStdString(request.fileTypes).split(QStringLiteral(";;")));
    if (!m_lastFolder.isEmpty()) {
        dialog.setDirectory(m_lastFolder);
    }
    if (!request.suggestedName.empty()) {
        dialog.selectFile(QString::fromStdString(request.suggestedName));
    }
    if (m_shownHook) {
        QTimer::singleShot(0, &dialog, [this, &dialog] { m_shownHook(dialog); });
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QFileInfo chosen(dialog.selectedFiles().first());
    m_lastFolder = chosen.absolutePath();
    return chosen.absoluteFilePath().toStdString();
}

}  // namespace zm
