// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>

#include "settings/config_file.h"
#include "settings/config_store.h"

namespace zm {

// config.ini as the form keeps it: read at each start-up into the values read before, and
// written on a port choice and at the close. When a save fails the file is stale: the next
// start-up reads what it should hold instead, so that a port choice is not undone by the
// file it could not write.
class ConfigIni {
public:
    explicit ConfigIni(const ConfigStore& store) : m_store(store) {}

    // Each line that is missing or unreadable keeps its value; a first start, without the
    // file, plots "SWR - 3:1" and keys in "CW", the carrier mode the list shows, so that Run
    // then sweeps at once in the mode the user sees.
    const ConfigValues& read();
    // False, with why in `whyNot`; what it meant to write is then read at the next start-up.
    bool write(const ConfigSettings& settings, std::string& whyNot);

    // Until start-up has put config.ini's values in force the window shows the design's, and
    // a close (a stop signal under a start-up message) must not save those over the user's.
    bool applied() const { return m_applied; }
    void markApplied() { m_applied = true; }

private:
    const ConfigStore& m_store;
    ConfigValues m_values;
    std::optional<std::string> m_unsaved;  // what the last, failed save meant to write
    bool m_applied = false;
};

}  // namespace zm
