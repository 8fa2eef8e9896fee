// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <functional>
#include <string>

#include "dialogs/message_box.h"
#include "settings/station_store.h"
#include "station/station_file.h"

namespace zm {

// station.ini beside config.ini as the window keeps it: read once, at the first start-up,
// and each change written at once. A change holds for this session also when it cannot be
// kept; why is said.
class StationIni {
public:
    StationIni(QString folder, MessageBoxes& messages)
        : m_store(std::move(folder)), m_messages(messages) {}

    const StationSettings& settings() const { return m_settings; }
    // Reads the file the first time; false, and nothing read, ever after. `damageReport`
    // says what was found damaged and set aside.
    bool loadOnce(std::string& damageReport);
    // The file is read again first, so that whatever else it holds now (the rig, the user's
    // comments) is written back as it stands.
    void change(const std::function<void(StationSettings&)>& change);
    // The settings as Setup, Station chose them, written whole.
    void replace(const StationSettings& chosen);

private:
    StationStore m_store;
    MessageBoxes& m_messages;
    StationSettings m_settings;
    bool m_loaded = false;
};

}  // namespace zm
