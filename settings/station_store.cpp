// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/station_store.h"

#include <QDir>

#include "settings/whole_file.h"

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
    StationSettings settings;
    const CheckedFile file = readCheckedFile(filePath(), kMaxReadBytes, [&](std::string_view text) {
        StationFileRead read = readStationText(text);
        settings = read.settings;
        return read.damage;
    });
    damageReport.clear();
    if (file.damage.empty()) {
        return settings;
    }
    damageReport = "The station settings in " + filePath().toStdString() +
                   " were not used: " + file.damage + ". " + file.keptText +
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
