// station.ini: read at start-up, and the Setup menu's sweep settings written back into it.

#include "app/frm_main.h"
#include "app/station_store.h"

namespace zm {

void frmMain::loadStation() {
    std::string damageReport;
    m_station = StationStore(m_devices.config.directory()).load(damageReport);
    if (!damageReport.empty()) {
        m_devices.messages->show(damageReport);
    }
}

// Only [sweep] changes: the file is read again first, so that whatever else it holds now
// (the rig, the user's comments) is written back as it stands.
void frmMain::mnuSweepSettings_Click() {
    setTimer1Enabled(false);
    if (const auto chosen = m_devices.sweepSettingsDialog->edit(m_station.sweep)) {
        const StationStore store(m_devices.config.directory());
        std::string message;
        StationSettings settings = store.load(message);
        settings.sweep = *chosen;
        std::string whyNot;
        if (!store.save(settings, whyNot)) {
            message += (message.empty() ? "" : "\n\n") + whyNot;
        }
        m_station.sweep = *chosen;  // for this session, also when it could not be kept
        if (!message.empty()) {
            m_devices.messages->show(message);
        }
    }
    setTimer1Enabled(true);
}

}  // namespace zm
