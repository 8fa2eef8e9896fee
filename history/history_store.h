// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "history/sweep_drift.h"
#include "history/sweep_entry.h"
#include "station/station_file.h"

namespace zm {

class SqliteConnection;

// The station's memory of its antennas: every sweep that keyed a point, kept in
// history.sqlite in the settings folder under the antenna's name, with each antenna's trend
// and its drift from a reference sweep. A front end hands a finished sweep over in one call,
// after the sweep has ended and the radio is unkeyed:
//
//   zm::HistoryStore history(settingsFolder);
//   zm::SweepEntry entry{.antenna = "40m dipole",
//                        .band = zm::bandHolding(request.bandPlan, *outcome.record),
//                        .bandPlan = request.bandPlan.key,
//                        .plan = request.plan,
//                        .feedline = request.feedline,
//                        .shownPlane = request.shownPlane,
//                        .ending = {zm::SweepEnding::How::Completed},
//                        .keyedPoints = outcome.keyDowns,
//                        .record = *outcome.record};
//   const zm::Recorded kept = history.record(entry);
//   if (!kept.said.empty()) {
//       say(kept.said);  // once: "The sweep is not in the history: .../history.sqlite could
//   }                    // not be written: the disk is full. Free some space; ..."
//   std::string problem;
//   if (kept.id) {
//       if (const auto drift = history.drift(*kept.id, station.history, problem)) {
//           say(drift->line);  // "40m dipole, 40m: resonance 7.085 MHz, 22 kHz below the
//       }                      // reference of 2 Oct 2026; lowest SWR 1.42, reference 1.18"
//   }
//
// Nothing here throws, and nothing waits long: a call that fails says why in one line for the
// user, naming the file and the cause. Each sweep is written in one transaction, in WAL mode,
// so that a window, zm480-sweep and zm480-history of the same folder read and write beside
// each other, and a program killed at any moment leaves each sweep whole or absent. A file
// that is not a history of ours, or is damaged, is kept under a name of its own
// (history.sqlite.bad) and a new one started, which the next call's line says once. A call on
// a folder without a history reads nothing and creates nothing; the first sweep creates it.
//
// One object a thread; objects of several threads or programs may share the file.
class HistoryStore {
public:
    static constexpr std::string_view kFileName = "history.sqlite";

    explicit HistoryStore(std::filesystem::path folder);
    ~HistoryStore();
    HistoryStore(const HistoryStore&) = delete;
    HistoryStore& operator=(const HistoryStore&) = delete;

    std::filesystem::path filePath() const;
    // Whether the folder holds a history file yet.
    bool exists() const;

    // Keeps the sweep: the antenna added if it is new, every point, the markers at the
    // plane shown. A sweep that keyed no point is not kept, and that is no problem.
    struct Recorded {
        std::optional<SweepId> id;
        // The sweep that holds the same readings (the same file imported again, or the CSV of
        // a sweep already kept), which this one is then not kept beside.
        std::optional<SweepId> alreadyAs;
        std::string said;  // a line for the user, if any: a failure, a damaged file set aside
    };
    Recorded record(const SweepEntry& entry) noexcept;

    // Each query and change below gives its answer, or (empty, false) with `problem` set to the
    // line for the user; a sweep or antenna that is not there is no problem but an empty
    // answer, or false with problem empty.

    struct Filter {
        std::string antenna = {};  // empty: every antenna; else by name, in any letter case
        std::optional<std::string> band = std::nullopt;  // none: every band; "" for no band
        std::optional<SweepTime> since = std::nullopt;
    };
    // Oldest first.
    std::vector<SweepSummary> list(const Filter& filter, std::string& problem) noexcept;
    std::optional<StoredSweep> sweep(SweepId id, std::string& problem) noexcept;
    // Every sweep of an antenna and band, with its points, oldest first: for drawing them
    // over each other.
    std::vector<StoredSweep> sweeps(std::string_view antenna, std::string_view band,
                                    std::string& problem) noexcept;

    // The reference of an antenna and band: the sweep marked as it, else the first that
    // completed, else the first.
    std::optional<SweepId> reference(std::string_view antenna, std::string_view band,
                                     std::string& problem) noexcept;
    bool markReference(SweepId id, std::string& problem) noexcept;
    bool remove(SweepId id, std::string& problem) noexcept;

    // A sweep against its reference and the sweep before it.
    std::optional<SweepDrift> drift(SweepId id, const HistorySettings& limits,
                                    std::string& problem) noexcept;
    // Each sweep of an antenna and band, oldest first, with its drift from the reference.
    struct TrendPoint {
        SweepSummary sweep;
        bool isReference = false;
        // None for the reference, and for a sweep that shares no frequency with it.
        std::optional<SweepComparison> againstReference;
        std::vector<std::string> beyond;
    };
    std::vector<TrendPoint> trend(std::string_view antenna, std::string_view band,
                                  const HistorySettings& limits, std::string& problem) noexcept;

    // The antennas by name, in the order they were named.
    std::vector<std::string> antennas(std::string& problem) noexcept;
    // A name as cleanMemoryName leaves it: on one line, no blanks at either end.
    bool addAntenna(std::string_view name, std::string& problem) noexcept;
    // Its sweeps go with it. False, with why, when there is another antenna of the new name.
    bool renameAntenna(std::string_view from, std::string_view to, std::string& problem) noexcept;

    // Reads the whole file through (PRAGMA integrity_check), which takes a moment on a large
    // history: a damaged one is set aside as a file that cannot be read is, and false.
    bool verify(std::string& problem) noexcept;

private:
    // Runs `work` on the open file (opened, created for a write, or opened again when another
    // program set it aside meanwhile); not at all for a read of a folder without a history.
    // False, with the line for the user in `said` after what it already holds, when it
    // failed; `failing` begins that line ("The sweep is not in the history: "). A file found
    // damaged is set aside, and a write is tried once more in a new one.
    bool attempt(bool write, std::string& said, std::string_view failing,
                 const std::function<void(SqliteConnection&)>& work) noexcept;
    SqliteConnection* open(bool create);

    std::filesystem::path m_folder;
    std::unique_ptr<SqliteConnection> m_connection;
    unsigned long m_fileIdentity = 0;  // the inode the connection has open
    std::string m_notice;              // a damaged file set aside, for the next line said
};

}  // namespace zm
