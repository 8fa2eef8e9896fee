// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/history_texts.h"

#include <algorithm>

#include "numbers/number_text.h"
#include "results/result_texts.h"

namespace zm {

namespace {

constexpr double kHzPerMHz = 1e6;

using Row = std::vector<std::string>;

// Letters, not bytes: "Ω" and "–" take one place each.
std::size_t lettersIn(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::string table(const std::vector<Row>& rows) {
    std::vector<std::size_t> widths;
    for (const Row& row : rows) {
        widths.resize(std::max(widths.size(), row.size()));
        for (std::size_t i = 0; i < row.size(); ++i) {
            widths[i] = std::max(widths[i], lettersIn(row[i]));
        }
    }
    std::string text;
    for (const Row& row : rows) {
        std::string line;
        for (std::size_t i = 0; i < row.size(); ++i) {
            line += row[i];
            if (i + 1 < row.size()) {
                line += std::string(widths[i] - lettersIn(row[i]) + 2, ' ');
            }
        }
        text += line.substr(0, line.find_last_not_of(' ') + 1) + "\n";
    }
    return text;
}

std::string takenCell(const SweepTime& taken) {
    return localTimeText(taken).substr(0, 16);  // "2026-10-02 14:03"
}

// Lowest SWR, at, 2:1 width, resonance: as the Bands window's table has them.
Row markerRow(const SweepFeatures& features) {
    const MarkerCells cells = markerCells(features);
    std::string width = "none";
    if (!cells.widthKHz.empty()) {
        width = cells.widthKHz + " kHz";
    } else if (features.swrMinimum && features.swrMinimum->swr < kBandEdgeSwr) {
        width = "past the sweep";
    }
    const auto resonance = mainResonance(features);
    return {cells.lowestSwr.empty() ? "none" : cells.lowestSwr,
            cells.atMHz.empty() ? "" : cells.atMHz + " MHz", width,
            resonance ? fixedNumber(resonance->frequencyHz / kHzPerMHz, 3) + " MHz" : "none"};
}

std::string signedNumber(double value, int decimals) {
    const std::string text = fixedNumber(value, decimals);
    return value > 0 && text.find_first_not_of("0.") != std::string::npos ? "+" + text : text;
}

std::string driftCell(const HistoryStore::TrendPoint& point) {
    if (point.isReference) {
        return "reference";
    }
    if (!point.againstReference) {
        return "not compared";
    }
    std::vector<std::string> parts;
    if (const auto kHz = point.againstReference->resonanceKHz()) {
        parts.push_back("resonance " + signedNumber(*kHz, 0) + " kHz");
    }
    if (const auto swr = point.againstReference->lowestSwrChange()) {
        parts.push_back("SWR " + signedNumber(*swr, 2));
    }
    std::string cell = parts.empty() ? "nothing to compare" : parts.front();
    for (std::size_t i = 1; i < parts.size(); ++i) {
        cell += ", " + parts[i];
    }
    return cell + (point.beyond.empty() ? "" : ": beyond the limits");
}

}  // namespace

std::string listText(const std::vector<SweepSummary>& sweeps, const std::set<SweepId>& references) {
    std::vector<Row> rows{{"ID", "Taken", "Antenna", "Band", "Lowest SWR", "at", "2:1 width",
                           "Resonance", "Points", "Ended", "Reference"}};
    for (const SweepSummary& sweep : sweeps) {
        const Row markers = markerRow(sweep.markers.features);
        Row row{std::to_string(sweep.id), takenCell(sweep.taken), sweep.antenna,
                sweep.band.empty() ? "none" : sweep.band};
        row.insert(row.end(), markers.begin(), markers.end());
        row.insert(row.end(), {std::to_string(sweep.points), endingText(sweep.ending),
                               references.contains(sweep.id) ? "yes" : ""});
        rows.push_back(std::move(row));
    }
    return table(rows);
}

std::string trendText(const std::vector<HistoryStore::TrendPoint>& trend) {
    std::vector<Row> rows{
        {"ID", "Taken", "Lowest SWR", "at", "2:1 width", "Resonance", "R", "Drift"}};
    for (const HistoryStore::TrendPoint& point : trend) {
        const SweepFeatures& features = point.sweep.markers.features;
        const Row markers = markerRow(features);
        const auto resonance = mainResonance(features);
        Row row{std::to_string(point.sweep.id), takenCell(point.sweep.taken)};
        row.insert(row.end(), markers.begin(), markers.end());
        row.insert(row.end(), {resonance ? fixedNumber(resonance->resistanceOhms, 1) + " Ω" : "",
                               driftCell(point)});
        rows.push_back(std::move(row));
    }
    return table(rows);
}

std::string sweepName(const StoredSweep& sweep) {
    const SweepEntry& entry = sweep.entry;
    return std::to_string(sweep.id) + " (" + entry.antenna + ", " +
           (entry.band.empty() ? std::string("no band") : entry.band) + ", " +
           dayText(*entry.taken) + ")";
}

}  // namespace zm
