// SPDX-License-Identifier: GPL-3.0-or-later

#include "history/history_store.h"

#include <sqlite3.h>

#include <algorithm>
#include <utility>

#include "history/history_file.h"
#include "history/history_rows.h"
#include "history/sqlite_connection.h"
#include "results/memory_file.h"

namespace zm {

namespace {

void joinLine(std::string& said, const std::string& more) {
    if (!more.empty()) {
        said += (said.empty() ? "" : " ") + more;
    }
}

}  // namespace

HistoryStore::HistoryStore(std::filesystem::path folder) : m_folder(std::move(folder)) {}

HistoryStore::~HistoryStore() = default;

std::filesystem::path HistoryStore::filePath() const {
    return m_folder / kFileName;
}

bool HistoryStore::exists() const {
    return historyFileIdentity(filePath()) != 0;
}

SqliteConnection* HistoryStore::open(bool create) {
    const unsigned long identity = historyFileIdentity(filePath());
    if (m_connection && identity == m_fileIdentity) {
        return m_connection.get();
    }
    m_connection.reset();
    m_connection = openHistoryFile(filePath(), create, m_notice);
    m_fileIdentity = historyFileIdentity(filePath());
    return m_connection.get();
}

bool HistoryStore::attempt(bool write, std::string& said, std::string_view failing,
                           const std::function<void(SqliteConnection&)>& work) noexcept {
    std::string failure;
    for (int attempt = 0; attempt < 2 && failure.empty(); ++attempt) {
        try {
            if (SqliteConnection* db = open(write)) {
                work(*db);
            }
            break;
        } catch (const SqliteError& error) {
            m_connection.reset();
            if (isDamage(error.code()) && attempt == 0) {
                try {
                    joinLine(m_notice, setHistoryAside(filePath(), error.what()));
                    if (write) {
                        continue;  // into a new file
                    }
                    break;
                } catch (const HistoryRefusal& refusal) {
                    failure = refusal.what();
                    break;
                }
            }
            failure = filePath().string() + " could not be " + (write ? "written" : "read") + ": " +
                      historyCause(error) + ".";
        } catch (const HistoryRefusal& refusal) {
            failure = std::string(refusal.what()) + ".";
        } catch (const std::exception& error) {
            failure = filePath().string() + " could not be used: " + error.what() + ".";
        } catch (...) {
            failure = filePath().string() + " could not be used.";
        }
    }
    std::string line = std::exchange(m_notice, {});
    if (!failure.empty()) {
        joinLine(line, std::string(failing) + failure);
    }
    joinLine(said, line);
    return failure.empty();
}

HistoryStore::Recorded HistoryStore::record(const SweepEntry& entry) noexcept {
    Recorded recorded;
    if (entry.keyedPoints == 0 && !entry.record.hasReadings()) {
        return recorded;
    }
    attempt(true, recorded.said, "The sweep is not in the history: ", [&](SqliteConnection& db) {
        WriteTransaction transaction(db);
        recorded.alreadyAs.reset();
        const auto id = insertSweep(db, entry, recorded.alreadyAs);
        transaction.commit();
        recorded.id = id;  // once it is on the disk
    });
    return recorded;
}

std::vector<SweepSummary> HistoryStore::list(const Filter& filter, std::string& problem) noexcept {
    std::vector<SweepSummary> summaries;
    attempt(false, problem, {}, [&](SqliteConnection& db) {
        ReadTransaction transaction(db);
        summaries = readSummaries(
            db,
            "(?1 = '' OR a.name = ?1) AND (?2 IS NULL OR s.band = ?2 COLLATE NOCASE) AND "
            "(?3 IS NULL OR s.taken_utc >= ?3)",
            [&](SqliteStatement& statement) {
                statement.bindAll(
                    filter.antenna, filter.band,
                    filter.since ? std::optional(filter.since->utcSeconds) : std::nullopt);
            });
    });
    return summaries;
}

std::optional<StoredSweep> HistoryStore::sweep(SweepId id, std::string& problem) noexcept {
    std::optional<StoredSweep> found;
    attempt(false, problem, {}, [&](SqliteConnection& db) {
        ReadTransaction transaction(db);
        found = readSweep(db, id);
    });
    return found;
}

std::vector<StoredSweep> HistoryStore::sweeps(std::string_view antenna, std::string_view band,
                                              std::string& problem) noexcept {
    std::vector<StoredSweep> found;
    attempt(false, problem, {}, [&](SqliteConnection& db) {
        ReadTransaction transaction(db);
        found = readSweeps(db, "a.name = ? AND s.band = ? COLLATE NOCASE",
                           [&](SqliteStatement& statement) { statement.bindAll(antenna, band); });
    });
    return found;
}

std::optional<SweepId> HistoryStore::reference(std::string_view antenna, std::string_view band,
                                               std::string& problem) noexcept {
    std::optional<SweepId> id;
    attempt(false, problem, {}, [&](SqliteConnection& db) { id = referenceOf(db, antenna, band); });
    return id;
}

bool HistoryStore::markReference(SweepId id, std::string& problem) noexcept {
    bool marked = false;
    return attempt(true, problem, {},
                   [&](SqliteConnection& db) {
                       WriteTransaction transaction(db);
                       SqliteStatement mark(
                           db.handle(),
                           "UPDATE sweeps SET reference = (id = ?1) WHERE (antenna_id, band) = "
                           "(SELECT antenna_id, band FROM sweeps WHERE id = ?1)");
                       mark.bindAll(id).run();
                       marked = db.changes() > 0;
                       transaction.commit();
                   }) &&
           marked;
}

bool HistoryStore::remove(SweepId id, std::string& problem) noexcept {
    bool removed = false;
    const bool done = attempt(true, problem, {}, [&](SqliteConnection& db) {
        WriteTransaction transaction(db);
        SqliteStatement remove(db.handle(), "DELETE FROM sweeps WHERE id = ?");
        remove.bindAll(id).run();
        removed = db.changes() > 0;
        transaction.commit();
    });
    return done && removed;
}

std::optional<SweepDrift> HistoryStore::drift(SweepId id, const HistorySettings& limits,
                                              std::string& problem) noexcept {
    std::optional<SweepDrift> drift;
    attempt(false, problem, {}, [&](SqliteConnection& db) {
        ReadTransaction transaction(db);
        const auto sweep = readSweep(db, id);
        if (!sweep) {
            return;
        }
        const auto referenceId = referenceOf(db, sweep->entry.antenna, sweep->entry.band);
        const auto previousId = previousOfSweep(db, id);
        const auto reference = referenceId ? readSweep(db, *referenceId) : std::nullopt;
        const auto previous = previousId ? readSweep(db, *previousId) : std::nullopt;
        drift = driftOf(*sweep, reference ? &*reference : nullptr, previous ? &*previous : nullptr,
                        limits);
    });
    return drift;
}

// Most sweeps of an antenna and band were swept as their reference was, and their markers
// compare them; only the others are read point by point.
std::vector<HistoryStore::TrendPoint> HistoryStore::trend(std::string_view antenna,
                                                          std::string_view band,
                                                          const HistorySettings& limits,
                                                          std::string& problem) noexcept {
    std::vector<TrendPoint> trend;
    attempt(false, problem, {}, [&](SqliteConnection& db) {
        ReadTransaction transaction(db);
        std::vector<int> readPoints;
        const std::vector<StoredSweep> heads = readSweepHeads(
            db, "a.name = ? AND s.band = ? COLLATE NOCASE",
            [&](SqliteStatement& statement) { statement.bindAll(antenna, band); }, &readPoints);
        const auto referenceId = referenceOf(db, antenna, band);
        const auto reference = std::find_if(heads.begin(), heads.end(),
                                            [&](const auto& s) { return s.id == referenceId; });
        std::optional<StoredSweep> wholeReference;
        for (std::size_t i = 0; i < heads.size(); ++i) {
            const StoredSweep& head = heads[i];
            TrendPoint point{summaryOf(head, readPoints[i]),
                             reference != heads.end() && reference->id == head.id,
                             std::nullopt,
                             {}};
            if (reference != heads.end() && !point.isReference) {
                point.againstReference = compareByMarkers(head, *reference);
                if (!point.againstReference) {
                    wholeReference = wholeReference ? wholeReference : readSweep(db, reference->id);
                    const auto whole = readSweep(db, head.id);
                    std::string ignored;
                    point.againstReference = whole && wholeReference
                                                 ? compareSweeps(*whole, *wholeReference, ignored)
                                                 : std::nullopt;
                }
            }
            if (point.againstReference) {
                point.beyond = driftBeyond(*point.againstReference, limits);
            }
            trend.push_back(std::move(point));
        }
    });
    return trend;
}

std::vector<std::string> HistoryStore::antennas(std::string& problem) noexcept {
    std::vector<std::string> names;
    attempt(false, problem, {}, [&](SqliteConnection& db) {
        SqliteStatement all(db.handle(), "SELECT name FROM antennas ORDER BY id");
        while (all.step()) {
            names.push_back(all.text(0));
        }
    });
    return names;
}

bool HistoryStore::addAntenna(std::string_view name, std::string& problem) noexcept {
    const std::string clean = cleanMemoryName(name);
    if (clean.empty()) {
        problem = "An antenna needs a name.";
        return false;
    }
    return attempt(true, problem, {}, [&](SqliteConnection& db) {
        WriteTransaction transaction(db);
        antennaIdFor(db, clean);
        transaction.commit();
    });
}

bool HistoryStore::renameAntenna(std::string_view from, std::string_view to,
                                 std::string& problem) noexcept {
    const std::string clean = cleanMemoryName(to);
    if (clean.empty()) {
        problem = "An antenna needs a name.";
        return false;
    }
    bool renamed = false;
    const bool done = attempt(true, problem, {}, [&](SqliteConnection& db) {
        WriteTransaction transaction(db);
        SqliteStatement other(db.handle(),
                              "SELECT count(*) FROM antennas WHERE name = ?1 AND id <> "
                              "(SELECT id FROM antennas WHERE name = ?2)");
        if (other.bindAll(clean, from).firstInteger().value_or(0) > 0) {
            problem = "There is an antenna named " + clean + " already: choose another name.";
            return;
        }
        SqliteStatement rename(db.handle(), "UPDATE antennas SET name = ? WHERE name = ?");
        rename.bindAll(clean, from).run();
        renamed = db.changes() > 0;
        transaction.commit();
    });
    return done && renamed;
}

bool HistoryStore::verify(std::string& problem) noexcept {
    bool sound = true;
    return attempt(false, problem, {},
                   [&sound](SqliteConnection& db) {
                       sound = false;  // until the check has said so
                       const std::string answer = db.text("PRAGMA integrity_check(1)");
                       if (answer != "ok") {
                           throw SqliteError(SQLITE_CORRUPT, "it is damaged: " + answer);
                       }
                       sound = true;
                   }) &&
           sound;
}

}  // namespace zm
