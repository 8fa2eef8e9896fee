// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/form_layout.h"
#include "dialogs/message_box.h"
#include "feedline/transmission_line.h"
#include "meter/meter_record.h"
#include "results/memory_file.h"
#include "results/sweep_record.h"
#include "station/station_file.h"

namespace zm {

// The one place where the meter's readings are moved to the plane the user reads them at:
// the feedline of station.ini taken out, with the program's cable list read at its first
// use, and View's At the antenna and At the meter. The record, the memories and the
// readout's tooltip go through it before the chart, the Smith chart, the markers and the
// match window draw them.
class FeedlinePlane {
public:
    // `programFolder` holds the cable list.
    FeedlinePlane(const FormControls& form, MessageBoxes& messages, std::string programFolder);

    // station.ini's feedline put in force; one that cannot be is said, and the readings
    // stay the meter's.
    void use(const FeedlineSettings& settings);

    const std::optional<Feedline>& feedline() const { return m_feedline; }
    Plane shownPlane() const;
    SweepRecord atShownPlane(const SweepRecord& record) const;
    // A memory with no value at the antenna is shown at the meter, its name saying why.
    std::vector<Memory> shownMemories(const std::vector<Memory>& memories) const;
    // The readout stays the meter's, the live instrument; its tooltip tells the same
    // reading at the antenna, at the frequency the radio was last tuned to.
    void showReadoutTip(const MeterReading& meter, std::optional<double> tunedMHz);

    const std::vector<Cable>& cables();
    const std::string& cableListProblem() const { return m_cableListProblem; }

private:
    const FormControls& m_form;
    MessageBoxes& m_messages;
    std::string m_programFolder;
    std::optional<Feedline> m_feedline;  // none: the readings are the meter's
    bool m_atAntenna = false;            // station.ini's choice of plane
    std::optional<std::vector<Cable>> m_cables;
    std::string m_cableListProblem;
};

}  // namespace zm
