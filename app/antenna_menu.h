// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "dialogs/message_box.h"
#include "station/station_file.h"

class QAction;
class QActionGroup;
class QMenu;

namespace zm {

// The Antenna menu: the station's antennas as a radio group, the one in use checked, then
// "New antenna...", "Rename..." and "History...". The names are the history's (history.sqlite),
// where a renamed antenna keeps its sweeps; the one in use is station.ini's [antennas] in_use,
// which every sweep of the window is kept under.
class AntennaMenu : public QObject {
    Q_OBJECT

public:
    // `settings` gives station.ini's [antennas] as they stand, `keep` writes a change of them;
    // `openHistory` opens the History window.
    AntennaMenu(QMenu& menu, std::filesystem::path folder, MessageBoxes& messages,
                std::function<const AntennaSettings&()> settings,
                std::function<void(const AntennaSettings&)> keep,
                const std::function<void()>& openHistory);

    // The antennas as the history and station.ini name them now: whenever the menu opens, so
    // that one a zm480-sweep --antenna added meanwhile is there.
    void show();
    void choose(const std::string& antenna);
    void newAntenna();
    void renameInUse();

    std::string inUse() const;

private:
    std::vector<std::string> known();

    QMenu& m_menu;
    std::filesystem::path m_folder;
    MessageBoxes& m_messages;
    std::function<const AntennaSettings&()> m_settings;
    std::function<void(const AntennaSettings&)> m_keep;
    QActionGroup* m_group;
    std::vector<QAction*> m_items;  // the antennas, above the separator
    QAction* m_separator;
};

}  // namespace zm
