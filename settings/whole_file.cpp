// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/whole_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace zm {

std::optional<QString> replaceFileWhole(const QString& path, std::string_view text) {
    // QSaveFile follows a link and renames its file over whatever the link names: a file
    // linked to /dev/null would, for root, replace the device.
    const QFileInfo existing(path);
    if (existing.exists() && !existing.isFile()) {
        return QStringLiteral("it is not a regular file");
    }
    QSaveFile file(path);
    // Unbuffered, so that a full disk fails the write itself: with Qt's write buffer the
    // bytes only reach the disk inside commit(), which then renamed a truncated temporary
    // file over the old one and still reported success (Qt 6.4).
    bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    // A disk that fills up part way takes the first bytes without complaint; only the
    // next write fails and names the reason ("No space left on device").
    qint64 done = 0;
    while (written && done < qint64(text.size())) {
        const qint64 count = file.write(text.data() + done, qint64(text.size()) - done);
        written = count > 0;
        done += written ? count : 0;
    }
    written = written && file.commit();
    if (!written) {
        return file.errorString();
    }
    return std::nullopt;
}

std::optional<std::string> readRegularFile(const QString& path, qint64 maxBytes, QString& whyNot) {
    const QFileInfo info(path);
    if (!info.exists()) {
        whyNot = QStringLiteral("there is no such file");
        return std::nullopt;
    }
    if (!info.isFile()) {
        whyNot = QStringLiteral("it is not a regular file");
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        whyNot = file.errorString();
        return std::nullopt;
    }
    const QByteArray bytes = file.read(maxBytes);
    if (bytes.isEmpty() && file.error() != QFileDevice::NoError) {
        whyNot = file.errorString();
        return std::nullopt;
    }
    return bytes.toStdString();
}

CheckedFile readCheckedFile(const QString& path, qint64 maxBytes,
                            const std::function<std::string(std::string_view)>& damageOf) {
    CheckedFile checked;
    checked.exists = QFileInfo::exists(path);
    if (!checked.exists) {
        return checked;
    }
    QString whyNot;
    const std::optional<std::string> text = readRegularFile(path, maxBytes + 1, whyNot);
    if (!text) {
        checked.damage = "it cannot be read (" + whyNot.toStdString() + ")";
    } else if (text->size() > static_cast<std::size_t>(maxBytes)) {
        checked.damage = "it is larger than such a file can be";
    } else {
        checked.damage = damageOf(*text);
    }
    if (checked.damage.empty()) {
        checked.text = *text;
        return checked;
    }
    const QString keptAs = path + ".bad";
    QFile::remove(keptAs);
    checked.keptText = QFile::rename(path, keptAs)
                           ? "The file is kept as " + keptAs.toStdString() + "; "
                           : std::string("The file stays as it is; ");
    return checked;
}

}  // namespace zm
