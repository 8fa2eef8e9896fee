// SPDX-License-Identifier: GPL-3.0-or-later
// bench-history: a station's history after five years of ten bands a day, 20,000 sweeps of 50
// points of the simulated dipole, built in a folder of its own (FOLDER, or a temporary one
// removed at the end), and what a user waits for on it:
//   write sweeps=20000 points=50 median_ms=... p95_ms=... max_ms=...   (target < 20 ms)
//   trend sweeps=2000 median_ms=...                                    (target < 300 ms)
//   window sweeps=2000 points=100000 median_ms=...                     (target < 500 ms)
//   list sweeps=20000 median_ms=...
//   verify median_ms=...
//   file bytes=... mib=...                                             (target < 100 MiB)
// The trend is zm480-history trend's query for one antenna and band, with each sweep's drift
// from the reference; the window is the History window's load of the same: its table, its
// trend and every sweep's points to draw over each other. Each from a store opened afresh.
//
//   build/bench-history [FOLDER]

#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <vector>

#include "history/history_store.h"
#include "tests/history/history_sweeps.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kDays = 2000;
constexpr int kBands = 10;
constexpr int kPoints = 50;
constexpr int kRuns = 5;
constexpr std::array<const char*, kBands> kBandNames{"160m", "80m", "60m", "40m", "30m",
                                                     "20m",  "17m", "15m", "12m", "10m"};
constexpr const char* kAntenna = "multiband wire";

double milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

double percentile(std::vector<double> values, double share) {
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(share * static_cast<double>(values.size() - 1))];
}

// The median of kRuns runs of `work`, each on a store opened afresh.
double medianMs(const std::filesystem::path& folder,
                const std::function<void(zm::HistoryStore&)>& work) {
    std::vector<double> runs;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = Clock::now();
        zm::HistoryStore history(folder);
        work(history);
        runs.push_back(milliseconds(Clock::now() - start));
    }
    return percentile(runs, 0.5);
}

// The ten bands' sweeps of a day, the dipole's resonance wandering by up to 30 kHz.
bool build(const std::filesystem::path& folder) {
    zm::HistoryStore history(folder);
    std::vector<double> writes;
    const auto start = Clock::now();
    for (int day = 0; day < kDays; ++day) {
        for (int band = 0; band < kBands; ++band) {
            zm::SweepEntry entry = zm::test::dipoleEntry(
                {.stepMHz = 0.35 / (kPoints - 1),
                 .shiftKHz = static_cast<double>((day * 7 + band * 3) % 31) - 15.0,
                 .taken = {1700000000 + day * 86400 + band * 120, 60},
                 .antenna = kAntenna,
                 .band = kBandNames[static_cast<std::size_t>(band)]});
            const auto before = Clock::now();
            const zm::HistoryStore::Recorded kept = history.record(entry);
            writes.push_back(milliseconds(Clock::now() - before));
            if (!kept.id) {
                std::fprintf(stderr, "bench-history: %s\n", kept.said.c_str());
                return false;
            }
        }
    }
    std::printf("write sweeps=%zu points=%d median_ms=%.2f p95_ms=%.2f max_ms=%.2f total_s=%.1f\n",
                writes.size(), kPoints, percentile(writes, 0.5), percentile(writes, 0.95),
                percentile(writes, 1.0), milliseconds(Clock::now() - start) / 1000.0);
    return true;
}

void measure(const std::filesystem::path& folder) {
    std::string problem;
    std::size_t trendSweeps = 0;
    const double trendMs = medianMs(folder, [&](zm::HistoryStore& history) {
        trendSweeps = history.trend(kAntenna, "20m", zm::HistorySettings{}, problem).size();
    });
    std::printf("trend sweeps=%zu median_ms=%.1f\n", trendSweeps, trendMs);

    std::size_t points = 0;
    const double windowMs = medianMs(folder, [&](zm::HistoryStore& history) {
        history.list({.antenna = kAntenna, .band = "20m"}, problem);
        history.trend(kAntenna, "20m", zm::HistorySettings{}, problem);
        points = 0;
        for (const zm::StoredSweep& sweep : history.sweeps(kAntenna, "20m", problem)) {
            points += sweep.entry.record.points.size();
        }
    });
    std::printf("window sweeps=%zu points=%zu median_ms=%.1f\n", trendSweeps, points, windowMs);

    std::size_t listed = 0;
    const double listMs = medianMs(
        folder, [&](zm::HistoryStore& history) { listed = history.list({}, problem).size(); });
    std::printf("list sweeps=%zu median_ms=%.1f\n", listed, listMs);

    const double verifyMs =
        medianMs(folder, [&](zm::HistoryStore& history) { history.verify(problem); });
    std::printf("verify median_ms=%.1f\n", verifyMs);
    if (!problem.empty()) {
        std::fprintf(stderr, "bench-history: %s\n", problem.c_str());
    }

    std::uintmax_t bytes = 0;
    for (const char* part : {"", "-wal"}) {
        std::error_code ignored;
        const auto size =
            std::filesystem::file_size(folder / (std::string("history.sqlite") + part), ignored);
        bytes += ignored ? 0 : size;
    }
    std::printf("file bytes=%ju mib=%.1f\n", bytes, static_cast<double>(bytes) / (1 << 20));
}

}  // namespace

int main(int argc, char** argv) {
    std::string scratch = (std::filesystem::temp_directory_path() / "bench-history-XXXXXX");
    const std::filesystem::path folder = argc > 1 ? argv[1] : mkdtemp(scratch.data());
    std::filesystem::create_directories(folder);
    const bool built = build(folder);
    if (built) {
        measure(folder);
    }
    if (argc <= 1) {
        std::filesystem::remove_all(folder);
    }
    return built ? 0 : 1;
}
