// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

#include "results/sweep_record.h"
#include "sweep/sweep_plan.h"

namespace zm {

// What the window's parts share of the sweep, kept in one place: the plan in force, which
// the plan boxes set; the sweep's record point by point, the plane it is shown at and the
// record as shown there, which the results set as the feedline moves it. Every part reads
// them here; `changed` says when the record shown changed, for what draws it.
class SweepModel : public QObject {
    Q_OBJECT

public:
    const SweepPlan& plan() const { return m_plan; }
    void setPlan(const SweepPlan& plan) { m_plan = plan; }

    const SweepRecord& record() const { return m_record; }
    const SweepRecord& shown() const { return m_shown; }
    Plane plane() const { return m_plane; }
    // `shown` is `record` at `plane`.
    void setRecord(SweepRecord record, SweepRecord shown, Plane plane);

signals:
    void changed();

private:
    SweepPlan m_plan;
    SweepRecord m_record;
    SweepRecord m_shown;
    Plane m_plane = Plane::Meter;
};

}  // namespace zm
