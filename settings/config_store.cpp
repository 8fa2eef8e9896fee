// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/config_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "settings/whole_file.h"

namespace zm {

namespace {

// Where the install rule puts the desktop entry, seen from the folder of the program:
// GNUInstallDirs' bin/ and share/ under one prefix (/usr, /usr/local, ~/.local).
constexpr auto kInstalledDesktopEntry = "../share/applications/zm480-plot.desktop";

std::string notSavedText(const QString& path, const QString& reason) {
    return "The settings could not be saved to " + path.toStdString() + " (" +
           reason.toStdString() +
           "). Check that the folder is writable and the disk is not full; the previous "
           "settings file is unchanged.";
}

}  // namespace

ConfigStore::ConfigStore(QString directory) : m_directory(std::move(directory)) {}

ConfigStore ConfigStore::forProgram() {
    // Named here: AppConfigLocation would follow the executable's file name, and a copy
    // renamed or started through a wrapper would lose its settings.
    const QString userDir =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/zm480-plot";
    return forProgramIn(QCoreApplication::applicationDirPath(), userDir);
}

ConfigStore ConfigStore::forProgramIn(const QString& programDir, const QString& userDir) {
    const bool installed = QFileInfo::exists(QDir(programDir).filePath(kInstalledDesktopEntry));
    if (!installed && QFileInfo(programDir).isWritable()) {
        return ConfigStore(programDir);
    }
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
