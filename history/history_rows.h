// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "history/sqlite_connection.h"
#include "history/sweep_entry.h"

namespace zm {

// The history's rows, written and read: the one place that knows its tables. Each function
// runs inside the caller's transaction and throws SqliteError.

// The antenna's id, the antenna added when it is new.
std::int64_t antennaIdFor(SqliteConnection& db, std::string_view name);

// The sweep, its points and resonances; the sweep that holds the same readings when there is
// one, in `alreadyAs`, and then nothing is written.
std::optional<SweepId> insertSweep(SqliteConnection& db, const SweepEntry& entry,
                                   std::optional<SweepId>& alreadyAs);

// The sweeps that `where` picks (a condition on the columns of sweeps, s, and antennas, a,
// its values bound by `bind`), oldest first: whole, without their points (each one's count
// of readings in `readPoints`), or only their summaries.
std::vector<StoredSweep> readSweeps(SqliteConnection& db, std::string_view where,
                                    const std::function<void(SqliteStatement&)>& bind);
std::vector<StoredSweep> readSweepHeads(SqliteConnection& db, std::string_view where,
                                        const std::function<void(SqliteStatement&)>& bind,
                                        std::vector<int>* readPoints);
std::optional<StoredSweep> readSweep(SqliteConnection& db, SweepId id);
std::vector<SweepSummary> readSummaries(SqliteConnection& db, std::string_view where,
                                        const std::function<void(SqliteStatement&)>& bind);

// The summary of a sweep that has `readPoints` points with a reading.
SweepSummary summaryOf(const StoredSweep& sweep, int readPoints);

// The reference of an antenna and band (see HistoryStore::reference), by the antenna's name
// or as sweep `id`'s; the sweep of sweep `id`'s antenna and band just before it.
std::optional<SweepId> referenceOf(SqliteConnection& db, std::string_view antenna,
                                   std::string_view band);
std::optional<SweepId> previousOfSweep(SqliteConnection& db, SweepId id);

}  // namespace zm
