// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/qt_text_files.h"

#include "settings/whole_file.h"

namespace zm {

bool QtTextFiles::write(const std::string& path, std::string_view text, std::string& whyNot) {
    const std::optional<QString> failure = replaceFileWhole(QString::fromStdString(path), text);
    if (failure) {
        whyNot = failure->toStdString();
    }
    return !failure;
}

std::optional<std::string> QtTextFiles::read(const std::string& path, std::string& whyNot) {
    QString reason;
    // One byte more than allowed tells a file at the limit from one beyond it.
    std::optional<std::string> text =
        readRegularFile(QString::fromStdString(path), kLargestFileBytes + 1, reason);
    if (text && static_cast<long long>(text->size()) > kLargestFileBytes) {
        reason = QStringLiteral("it is larger than %1 MB, far more than any sweep")
                     .arg(kLargestFileBytes >> 20);
        text.reset();
    }
    if (!text) {
        whyNot = reason.toStdString();
    }
    return text;
}

}  // namespace zm
