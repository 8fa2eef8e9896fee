// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/sweep_summary.h"

#include <cmath>
#include <optional>

#include "cli/history_json.h"
#include "cli/json_object.h"
#include "numbers/number_text.h"
#include "results/result_texts.h"
#include "results/sweep_features.h"

namespace zm {

namespace {

constexpr double kHzPerMHz = 1e6;

// Keyed, and at the antenna every point beyond the feedline's loss: the meter read them all.
bool noValueAtTheAntenna(const SweepRecord& record) {
    return record.plane == Plane::Antenna && !record.hasReadings() && record.keyedPoints() > 0;
}

std::string keyedLine(const FinishedSweep& sweep) {
    std::string line = "Keyed " + std::to_string(sweep.record.keyedPoints()) + " of " +
                       std::to_string(sweep.plannedPoints) + " points";
    const std::string seconds = fixedNumber(sweep.keyed.count(), 1) + " s";
    if (noValueAtTheAntenna(sweep.record)) {
        const std::string& cable = sweep.record.feedline;
        return line + "; none has a value at the antenna: each read more reflection than " +
               (cable.empty() ? "the feedline" : cable) + " can return" +
               (sweep.keyed.count() > 0.0 ? " (" + seconds + ")" : "");
    }
    return line + (sweep.keyed.count() > 0.0 ? ", " + seconds : "");
}

// JSON has no infinity and no NaN.
std::string jsonNumber(std::optional<double> value, int decimals) {
    return value && std::isfinite(*value) ? fixedNumber(*value, decimals) : "null";
}

std::string jsonTextOrNull(std::string_view text) {
    return text.empty() ? "null" : jsonText(text);
}

std::string referenceOrNull(const FinishedSweep& sweep) {
    if (sweep.drift && sweep.drift->reference) {
        return referenceJson(*sweep.drift->reference);
    }
    if (!sweep.historyId || !sweep.reference) {
        return "null";
    }
    const StoredSweep& reference = *sweep.reference;
    return referenceJson(reference.id, *reference.entry.taken, reference.markers.features);
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
    if (!sweep.passedOver.empty()) {
        add("Passed over: " + sweep.passedOver);
        return text;
    }
    if (!features.swrMinimum) {
        if (!noValueAtTheAntenna(sweep.record)) {
            add("No point has a reading");
        }
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
    if (sweep.historyId) {
        add("Kept in the history as sweep " + std::to_string(*sweep.historyId));
    }
    if (sweep.drift) {
        add(sweep.drift->line);
    }
    return text;
}

std::string summaryJson(const FinishedSweep& sweep) {
    const SweepNotes& notes = sweep.record.notes;
    const SweepFeatures features = findFeatures(sweep.record);
    const MarkerCells cells = markerCells(features);
    // Above the scales everywhere there is no dip, and no frequency of one.
    const bool aboveCeiling = features.swrAboveScaleEverywhere();
    const SwrMinimum* minimum =
        features.swrMinimum && !aboveCeiling ? &*features.swrMinimum : nullptr;
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
        field("above_ceiling", aboveCeiling ? "true" : "false"),
        field("swr2_band", jsonTextOrNull(cells.band)),
        field("swr2_low_mhz", jsonNumber(megahertzOf(features.lowerEdgeHz), 3)),
        field("swr2_high_mhz", jsonNumber(megahertzOf(features.upperEdgeHz), 3)),
        field("swr2_width_khz", cells.widthKHz.empty() ? "null" : cells.widthKHz),
        field("q", cells.q.empty() ? "null" : cells.q),
        field("resonances", resonancesJson(features)),
        field("keyed_points", std::to_string(sweep.record.keyedPoints())),
        field("points", std::to_string(sweep.plannedPoints)),
        field("keyed_s", fixedNumber(sweep.keyed.count(), 1)),
        field("passed_over", jsonTextOrNull(sweep.passedOver)),
        field("antenna", jsonTextOrNull(sweep.antenna)),
        field("history_id", sweep.historyId ? std::to_string(*sweep.historyId) : "null"),
        field("reference", referenceOrNull(sweep)),
        field("drift", sweep.drift && sweep.drift->reference
                           ? driftJson(*sweep.drift->reference, sweep.drift->beyond)
                           : "null"),
    };
    std::string json = "{";
    for (const std::string& text : fields) {
        json += (json.size() > 1 ? "," : "") + text;
    }
    return json + "}\n";
}

}  // namespace zm
