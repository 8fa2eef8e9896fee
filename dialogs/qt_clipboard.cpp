// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace zm {

void QtClipboard::setText(std::string_view text) {
    QGuiApplication::clipboard()->setText(QString::fromUtf8(text.data(), qsizetype(text.size())));
}

void QtClipboard::setImage(const QImage& image) {
    QGuiApplication::clipboard()->setImage(image);
}

}  // namespace zm
