// SPDX-License-Identifier: GPL-3.0-or-later

#include "history/history_points.h"

#include <map>
#include <string>

namespace zm {

void insertPoints(SqliteConnection& db, SweepId id, const SweepRecord& record) {
    SqliteStatement insert(
        db.handle(),
        "INSERT INTO points (sweep_id, n, frequency_hz, power, z_ohm, phase_deg, "
        "swr, taking, skipped, loss_matched_db, loss_total_db) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    int n = 0;
    for (const SweepPoint& point : record.points) {
        const auto& reading = point.reading;
        insert.bindAll(id, n++, point.frequencyHz, reading ? reading->power : std::nullopt,
                       reading ? std::optional(reading->zOhms) : std::nullopt,
                       reading ? std::optional(reading->phaseDegrees) : std::nullopt,
                       reading ? std::optional(reading->swr) : std::nullopt,
                       point.taken ? std::optional(takingField(*point.taken)) : std::nullopt,
                       point.skipped ? std::optional(std::string(skipReasonField(*point.skipped)))
                                     : std::nullopt,
                       point.lineLoss ? std::optional(point.lineLoss->matchedDb) : std::nullopt,
                       point.lineLoss ? std::optional(point.lineLoss->totalDb) : std::nullopt);
        insert.run();
    }
}

void insertResonances(SqliteConnection& db, SweepId id, const SweepMarkers& markers) {
    SqliteStatement insert(db.handle(),
                           "INSERT INTO resonances (sweep_id, n, frequency_hz, r_ohm, q) "
                           "VALUES (?, ?, ?, ?, ?)");
    for (std::size_t i = 0; i < markers.features.resonances.size(); ++i) {
        const Resonance& resonance = markers.features.resonances[i];
        insert.bindAll(id, static_cast<int>(i), resonance.frequencyHz, resonance.resistanceOhms,
                       markers.resonanceQ[i]);
        insert.run();
    }
}

void attachPoints(SqliteConnection& db, std::string_view sweepIds,
                  const std::function<void(SqliteStatement&)>& bind,
                  std::vector<StoredSweep>& sweeps) {
    std::map<SweepId, std::size_t> index;
    for (std::size_t i = 0; i < sweeps.size(); ++i) {
        index[sweeps[i].id] = i;
    }
    SqliteStatement points(
        db.handle(),
        "SELECT p.sweep_id, p.frequency_hz, p.power, p.z_ohm, p.phase_deg, p.swr, p.taking, "
        "p.skipped, p.loss_matched_db, p.loss_total_db FROM points p WHERE p.sweep_id IN (" +
            std::string(sweepIds) + ") ORDER BY p.sweep_id, p.n");
    bind(points);
    while (points.step()) {
        SweepPoint point{points.integer(1), std::nullopt};
        if (!points.isNull(3)) {
            point.reading = PointReading{points.optionalReal(2), points.real(3), points.real(4),
                                         points.real(5)};
        }
        if (!points.isNull(6)) {
            point.taken = readTakingField(points.text(6));
        }
        if (!points.isNull(7)) {
            point.skipped = readSkipReasonField(points.text(7));
        }
        if (!points.isNull(8)) {
            point.lineLoss = LineLoss{points.real(8), points.real(9)};
        }
        sweeps[index.at(points.integer(0))].entry.record.points.push_back(std::move(point));
    }
}

}  // namespace zm
