#include "app/config_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

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
    // Only a regular file is read: opening a FIFO named config.ini would block start-up
    // until some other program wrote to it, and a device has no settings to give.
    if (!QFileInfo(filePath()).isFile()) {
        return std::nullopt;
    }
    QFile file(filePath());
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QByteArray bytes = file.read(kMaxReadBytes);
    return bytes.toStdString();
}

bool ConfigStore::write(const std::string& text, std::string& whyNot) const {
    // QSaveFile follows a link and renames its file over whatever the link names: a
    // config.ini linked to /dev/null would, for root, replace the device. Only a regular
    // file, or none yet, is replaced.
    const QFileInfo existing(filePath());
    if (existing.exists() && !existing.isFile()) {
        whyNot = notSavedText(filePath(), "it is not a regular file");
        return false;
    }
    QSaveFile file(filePath());
    // Unbuffered, so that a full disk fails the write itself: with Qt's write buffer the
    // bytes only reach the disk inside commit(), which then renamed a truncated temporary
    // file over config.ini and still reported success (Qt 6.4).
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
        whyNot = notSavedText(filePath(), file.errorString());
    }
    return written;
}

}  // namespace zm
