// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/sweep_model.h"

namespace zm {

void SweepModel::setRecord(SweepRecord record, SweepRecord shown, Plane plane) {
    m_record = std::move(record);
    m_shown = std::move(shown);
    m_plane = plane;
    emit changed();
}

}  // namespace zm
