// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/qt_message_boxes.h"

#include <QMessageBox>

namespace zm {

void QtMessageBoxes::show(std::string_view text) {
    QMessageBox box(
        QMessageBox::NoIcon, QString::fromUtf8(kAppTitle.data(), qsizetype(kAppTitle.size())),
        QString::fromUtf8(text.data(), qsizetype(text.size())), QMessageBox::Ok, m_parent);
    box.setTextFormat(Qt::PlainText);  // file names and meter bytes are never markup
    box.exec();
}

}  // namespace zm
