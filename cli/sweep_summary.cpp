// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/sweep_summary.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

#include "numbers/number_text.h"
#include "results/result_texts.h"
#include "results/sweep_features.h"

namespace zm {

namespace {

constexpr double kHzPerMHz = 1e6;

int keyedPoints(const SweepRecord& record) {
    return static_cast<int>(std::count_if(record.points.begin(), record.points.end(),
                                          [](const SweepPoint& point) { return point.taken; }));
}

std::string keyedLine(const FinishedSweep& sweep) {
    std::string line = "Keyed " + std::to_string(keyedPoints(sweep.record)) + " of " +
                       std::to_string(sweep.plannedPoints) + " points";
    return line +
           (sweep.keyed.count() > 0.0 ? ", " + fixedNumber(sweep.keyed.count(), 1) + " s" : "");
}

// JSON has no infinity and no NaN.
std::string jsonNumber(std::optional<double> value, int decimals) {
    return value && std::isfinite(*value) ? fixedNumber(*value, decimals) : "null";
}

std::string jsonString(std::string_view text) {
    std::string json = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            json += escaped;
        } else {
            json += c;
        }
    }
    return json + "\"";
}

std::string jsonTextOrNull(std::string_view text) {
    return text.empty() ? "null" : jsonString(text);
}

std::optional<double> megahertzOf(std::optional<double> hz) {
    return hz ? std::optional(*hz / kHzPerMHz) : std::nullopt;
}

std::string resonancesJson(const SweepFeatures& features) {
    std::string json = "[";
    for (const Resonance& resonance : features.resonances) {
        json += (json.size() > 1 ? "," : "") +
                ("{\"mhz\":" + jsonNumber(resonance.frequencyHz / kHzPerMHz, 3) +
                 ",\"r_ohm\":" + jsonNumber(resonance.resistanceOhms, 1) + "}");
    }
    return json + "]";
}

}  // namespace

std::string summaryText(const FinishedSweep& sweep) {
    const SweepFeatures features = findFeatures(sweep.record);
    const std::string title = sweepTitle(sweep.record.notes, {});
    std::string text = (sweep.bandName.empty() ? title : sweep.bandName + " · " + title) + "\n";
    const auto add = [&text](const std::string& line) { text += "  " + line + "\n"; };
    if (!features.swrMinimum) {
        add("No point has a reading");
    } else {
        const std::vector<std::string> swrLines = swrMarkerLines(features);
        add(swrLines.front());
        add(swrLines.size() > 1 ? swrLines[1] : "2:1 none");
        const std::vector<std::string> resonances = resonanceMarkerLines(features);
        for (const std::string& line : resonances) {
            add(line);
        }
        if (resonances.empty()) {
            add("Resonance none");
        }
    }
    add(keyedLine(sweep));
    return text;
}

std::string summaryJson(const FinishedSweep& sweep) {
    const SweepNotes& notes = sweep.record.notes;
    const SweepFeatures features = findFeatures(sweep.record);
    const MarkerCells cells = markerCells(features);
    const std::optional<SwrMinimum>& minimum = features.swrMinimum;
    const auto field = [](std::string_view name, const std::string& value) {
        return "\"" + std::string(name) + "\":" + value;
    };
    const std::string fields[] = {
        field("band", jsonTextOrNull(sweep.bandName)),
        field("start_mhz", shortestNumber(notes.startMHz)),
        field("stop_mhz", shortestNumber(notes.stopMHz)),
        field("taken", jsonTextOrNull(notes.takenAt)),
        field("lowest_swr", jsonNumber(minimum ? std::optional(minimum->swr) : std::nullopt, 2)),
        field("lowest_swr_mhz", minimum ? megahertzText(minimum->frequencyHz) : "null"),
        field("swr2_band", jsonTextOrNull(cells.band)),
        field("swr2_low_mhz", jsonNumber(megahertzOf(features.lowerEdgeHz), 3)),
        field("swr2_high_mhz", jsonNumber(megahertzOf(features.upperEdgeHz), 3)),
        field("swr2_width_khz", cells.widthKHz.empty() ? "null" : cells.widthKHz),
        field("q", cells.q.empty() ? "null" : cells.q),
        field("resonances", resonancesJson(features)),
        field("keyed_points", std::to_string(keyedPoints(sweep.record))),
        field("points", std::to_string(sweep.plannedPoints)),
        field("keyed_s", fixedNumber(sweep.keyed.count(), 1)),
    };
    std::string json = "{";
    for (const std::string& text : fields) {
        json += (json.size() > 1 ? "," : "") + text;
    }
    return json + "}\n";
}

}  // namespace zm
