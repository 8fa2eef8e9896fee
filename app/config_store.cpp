#include "app/config_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "app/whole_file.h"

namespace zm {

namespace {

std::string notSavedText(const QString& path, const QString& reason) {
    return "The settings could not be saved to " + path.toStdString() + " (" +
           reason.toStdString() +
           "). Check that the folder is writable and the disk is not full; the previous "
           "settings file is unchanged.";
}

}  // namespace

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

QString ConfigStore::filePath() const {
    return QDir(m_directory).filePath("config.ini");
}

std::optional<std::string> ConfigStore::read() const {
    // A missing, unreadable or odd config.ini (a FIFO, a device) has no settings to give.
    QString ignored;
    return readRegularFile(filePath(), kMaxReadBytes, ignored);
}

bool ConfigStore::write(const std::string& text, std::string& whyNot) const {
    const std::optional<QString> failure = replaceFileWhole(filePath(), text);
    if (failure) {
        whyNot = notSavedText(filePath(), *failure);
    }
    return !failure;
}

}  // namespace zm
