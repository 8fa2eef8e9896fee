// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/qt_message_boxes.h"

#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

namespace zm {

void QtMessageBoxes::show(std::string_view text) {
    QMessageBox box(
        QMessageBox::NoIcon, QString::fromUtf8(kAppTitle.data(), qsizetype(kAppTitle.size())),
        QString::fromUtf8(text.data(), qsizetype(text.size())), QMessageBox::Ok, m_parent);
    box.setTextFormat(Qt::PlainText);  // file names and meter bytes are never markup
    box.exec();
}

std::optional<std::string> QtMessageBoxes::askLine(std::string_view question,
                                                   std::string_view typed) {
    bool ok = false;
    const QString line = QInputDialog::getText(
        m_parent, QString::fromUtf8(kAppTitle.data(), qsizetype(kAppTitle.size())),
        QString::fromUtf8(question.data(), qsizetype(question.size())), QLineEdit::Normal,
        QString::fromUtf8(typed.data(), qsizetype(typed.size())), &ok);
    return ok ? std::optional(line.toStdString()) : std::nullopt;
}

bool QtMessageBoxes::confirm(std::string_view question) {
    QMessageBox box(QMessageBox::Question,
                    QString::fromUtf8(kAppTitle.data(), qsizetype(kAppTitle.size())),
                    QString::fromUtf8(question.data(), qsizetype(question.size())),
                    QMessageBox::Yes | QMessageBox::No, m_parent);
    box.setDefaultButton(QMessageBox::No);
    box.setTextFormat(Qt::PlainText);
    return box.exec() == QMessageBox::Yes;
}

}  // namespace zm
