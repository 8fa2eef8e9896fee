// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <string>

#include "station/station_file.h"

namespace zm {

// station.ini in the folder of config.ini (an installed copy: ~/.config/zm480-plot/).
class StationStore {
public:
    explicit StationStore(QString directory);

    QString filePath() const;

    // The settings in the file; the defaults when there is none, which is the station of
    // earlier versions: a rigctld that the user starts on 127.0.0.1:4532. A damaged file
    // is renamed station.ini.bad, so that it is reported once and nothing in it is lost;
    // damageReport then says so in words for the user.
    StationSettings load(std::string& damageReport) const;

    // Writes the settings whole, keeping the comments and unknown sections of the file
    // there. False with a reason for the user.
    bool save(const StationSettings& settings, std::string& whyNot) const;

private:
    QString m_directory;
};

}  // namespace zm
