// SPDX-License-Identifier: GPL-3.0-or-later

#include "history/history_schema.h"

#include <array>
#include <string>

namespace zm {

namespace {

// Version 1. A sweep's time is UTC seconds since 1970 with the local offset of then, its band
// '' when it lies in no band of the plan; its points are kept at readings_plane, as the meter
// read them unless the sweep came from a file saved at the antenna; the markers are those of
// the plane it was shown at, as the span of its readings there. R and X follow from Z and phase, as
// the CSV files read them.
constexpr std::string_view kVersion1 = R"(
CREATE TABLE antennas (
    id INTEGER PRIMARY KEY,
    name TEXT NOT NULL UNIQUE COLLATE NOCASE
);
CREATE TABLE sweeps (
    id INTEGER PRIMARY KEY,
    antenna_id INTEGER NOT NULL REFERENCES antennas(id),
    taken_utc INTEGER NOT NULL,
    utc_offset_min INTEGER NOT NULL,
    band TEXT NOT NULL,
    start_mhz REAL NOT NULL,
    stop_mhz REAL NOT NULL,
    step_mhz REAL NOT NULL,
    plan_points INTEGER NOT NULL,
    band_points INTEGER NOT NULL CHECK (band_points IN (0, 1)),
    carrier_mode INTEGER NOT NULL,
    band_plan TEXT NOT NULL,
    feedline_cable TEXT,
    feedline_m REAL,
    feedline_ohm REAL,
    feedline_vf REAL,
    feedline_loss TEXT,
    feedline_source TEXT,
    readings_plane TEXT NOT NULL,
    shown_plane TEXT NOT NULL CHECK (shown_plane IN ('meter', 'antenna')),
    ended TEXT NOT NULL CHECK (ended IN ('completed', 'asked', 'stopped', 'failed')),
    ended_why TEXT NOT NULL,
    read_points INTEGER NOT NULL,
    keyed_points INTEGER NOT NULL,
    keyed_s REAL NOT NULL,
    reference INTEGER NOT NULL DEFAULT 0 CHECK (reference IN (0, 1)),
    imported_from TEXT NOT NULL,
    fingerprint TEXT NOT NULL UNIQUE,
    lowest_swr REAL,
    lowest_swr_hz REAL,
    swr2_low_hz REAL,
    swr2_high_hz REAL,
    read_from_hz REAL,
    read_to_hz REAL
);
CREATE INDEX sweeps_by_antenna_band ON sweeps (antenna_id, band, taken_utc);
CREATE INDEX sweeps_by_time ON sweeps (taken_utc);
CREATE TABLE points (
    sweep_id INTEGER NOT NULL REFERENCES sweeps(id) ON DELETE CASCADE,
    n INTEGER NOT NULL,
    frequency_hz INTEGER NOT NULL,
    power REAL,
    z_ohm REAL,
    phase_deg REAL,
    swr REAL,
    taking TEXT,
    skipped TEXT,
    loss_matched_db REAL,
    loss_total_db REAL,
    PRIMARY KEY (sweep_id, n)
) WITHOUT ROWID;
CREATE TABLE resonances (
    sweep_id INTEGER NOT NULL REFERENCES sweeps(id) ON DELETE CASCADE,
    n INTEGER NOT NULL,
    frequency_hz REAL NOT NULL,
    r_ohm REAL NOT NULL,
    q REAL,
    PRIMARY KEY (sweep_id, n)
) WITHOUT ROWID;
)";

constexpr std::array<std::string_view, 1> kMigrations{kVersion1};

}  // namespace

std::span<const std::string_view> historyMigrations() {
    return kMigrations;
}

int currentHistoryVersion() {
    return static_cast<int>(kMigrations.size());
}

HistoryFileLook lookAtHistoryFile(SqliteConnection& connection) {
    const auto applicationId = connection.integer("PRAGMA application_id");
    const int version = static_cast<int>(connection.integer("PRAGMA user_version"));
    if (applicationId == kHistoryApplicationId) {
        const auto state =
            version > currentHistoryVersion() ? HistoryFileState::Newer : HistoryFileState::Ours;
        return {version == 0 ? HistoryFileState::Empty : state, version};
    }
    const bool empty = connection.integer("SELECT count(*) FROM sqlite_schema") == 0;
    return {applicationId == 0 && version == 0 && empty ? HistoryFileState::Empty
                                                        : HistoryFileState::NotOurs,
            version};
}

void migrateHistoryFile(SqliteConnection& connection) {
    WriteTransaction transaction(connection);
    // Looked at again under the write lock: another program may have done it meanwhile.
    const HistoryFileLook look = lookAtHistoryFile(connection);
    if (look.state != HistoryFileState::Empty && look.state != HistoryFileState::Ours) {
        return;
    }
    for (int version = look.version; version < currentHistoryVersion(); ++version) {
        connection.run(kMigrations[static_cast<std::size_t>(version)]);
    }
    connection.run("PRAGMA application_id = " + std::to_string(kHistoryApplicationId));
    connection.run("PRAGMA user_version = " + std::to_string(currentHistoryVersion()));
    transaction.commit();
}

}  // namespace zm
