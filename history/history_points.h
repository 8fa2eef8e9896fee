// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "history/sqlite_connection.h"
#include "history/sweep_entry.h"

namespace zm {

// A sweep's points and resonances, written and read inside the caller's transaction; they
// throw SqliteError.
void insertPoints(SqliteConnection& db, SweepId id, const SweepRecord& record);
void insertResonances(SqliteConnection& db, SweepId id, const SweepMarkers& markers);

// The points of the sweeps whose ids `sweepIds` selects (a SELECT, its values bound by
// `bind`), each into its own of `sweeps`' records, in sweep order.
void attachPoints(SqliteConnection& db, std::string_view sweepIds,
                  const std::function<void(SqliteStatement&)>& bind,
                  std::vector<StoredSweep>& sweeps);

}  // namespace zm
