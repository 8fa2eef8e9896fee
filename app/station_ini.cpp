// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/station_ini.h"

namespace zm {

bool StationIni::loadOnce(std::string& damageReport) {
    if (m_loaded) {
        return false;
    }
    m_loaded = true;
    m_settings = m_store.load(damageReport);
    return true;
}

void StationIni::change(const std::function<void(StationSettings&)>& change) {
    std::string message;
    StationSettings settings = m_store.load(message);
    change(settings);
    std::string whyNot;
    if (!m_store.save(settings, whyNot)) {
        message += (message.empty() ? "" : "\n\n") + whyNot;
    }
    change(m_settings);
    if (!message.empty()) {
        m_messages.show(message);
    }
}

void StationIni::replace(const StationSettings& chosen) {
    std::string whyNot;
    if (!m_store.save(chosen, whyNot)) {
        m_messages.show(whyNot);
    }
    m_settings = chosen;
}

}  // namespace zm
