#include "app/config_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace zm {

ConfigStore::ConfigStore(QString directory) : m_directory(std::move(directory)) {}

ConfigStore ConfigStore::forProgram() {
    const QString programDir = QCoreApplication::applicationDirPath();
    if (QFileInfo(programDir).isWritable()) {
        return ConfigStore(programDir);
    }
    const QString userDir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(userDir);
    return ConfigStore(userDir);
}

QString ConfigStore::filePath() const { return QDir(m_directory).filePath("config.ini"); }

std::optional<std::string> ConfigStore::read() const {
    QFile file(filePath());
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QByteArray bytes = file.read(kMaxReadBytes);
    return bytes.toStdString();
}

bool ConfigStore::write(const std::string& text, std::string& whyNot) const {
    QSaveFile file(filePath());
    const bool written = file.open(QIODevice::WriteOnly) &&
                         file.write(text.data(), qint64(text.size())) == qint64(text.size()) &&
                         file.commit();
    if (!written) {
        whyNot = "The settings could not be saved to " + filePath().toStdString() + " (" +
                 file.errorString().toStdString() +
                 "). Check that the folder is writable and the disk is not full; the previous "
                 "settings file is unchanged.";
    }
    return written;
}

}  // namespace zm
