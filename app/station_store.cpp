// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/station_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/whole_file.h"

namespace zm {

namespace {

// Hand-written files are small; anything larger is no station file.
constexpr qint64 kMaxReadBytes = 1 << 16;

}  // namespace

StationStore::StationStore(QString directory) : m_directory(std::move(directory)) {}

QString StationStore::filePath() const {
    return QDir(m_directory).filePath("station.ini");
}

StationSettings StationStore::load(std::string& damageReport) const {
    damageReport.clear();
    if (!QFileInfo::exists(filePath())) {
        return {};
    }
    QString whyNot;
    const std::optional<std::string> text = readRegularFile(filePath(), kMaxReadBytes + 1, whyNot);
    StationFileRead read;
    if (!text) {
        read.damage = "it cannot be read (" + whyNot.toStdString() + ")";
    } else if (text->size() > static_cast<std::size_t>(kMaxReadBytes)) {
        read.damage = "it is larger than a station file can be";
    } else {
        read = readStationText(*text);
    }
    if (read.damage.empty()) {
        return read.settings;
    }
    const QString keptAs = filePath() + ".bad";
    QFile::remove(keptAs);
    const bool kept = QFile::rename(filePath(), keptAs);
    damageReport = "The station settings in " + filePath().toStdString() +
                   " were not used: " + read.damage + ". " +
                   (kept ? "The file is kept as " + keptAs.toStdString() + "; "
                         : std::string("The file stays as it is; ")) +
                   "the program runs with a rigctld that you start on 127.0.0.1:4532 until you "
                   "choose your station again in Setup, Station.";
    return {};
}

bool StationStore::save(const StationSettings& settings, std::string& whyNot) const {
    QString ignored;
    const std::string previous = readRegularFile(filePath(), kMaxReadBytes, ignored).value_or("");
    const std::optional<QString> failure =
        replaceFileWhole(filePath(), writeStationText(settings, previous));
    if (failure) {
        whyNot = "The station settings could not be saved to " + filePath().toStdString() + " (" +
                 failure->toStdString() +
                 "). Check that the folder is writable and the disk is not full.";
    }
    return !failure;
}

}  // namespace zm
