// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <string>

#include "zoom/zoom.h"

namespace zm {

// window.ini in the folder of config.ini: the zoom the window is drawn at. config.ini keeps
// the design's twips whatever the zoom, so the zoom has a file of its own.
class WindowStore {
public:
    explicit WindowStore(QString directory);

    QString filePath() const;

    // The zoom in the file; 100 % when there is none. A damaged file is renamed
    // window.ini.bad, so that it is said once; damageReport then says so for the user.
    Zoom load(std::string& damageReport) const;
    // False with a reason for the user.
    bool save(Zoom zoom, std::string& whyNot) const;

private:
    QString m_directory;
};

}  // namespace zm
