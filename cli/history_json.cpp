// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/history_json.h"

#include "cli/json_object.h"

namespace zm {

namespace {

constexpr double kHzPerMHz = 1e6;

std::optional<double> megahertz(std::optional<double> hz) {
    return hz ? std::optional(*hz / kHzPerMHz) : std::nullopt;
}

std::string resonancesJson(const SweepFeatures& features,
                           const std::vector<std::optional<double>>& q) {
    std::vector<std::string> resonances;
    for (std::size_t i = 0; i < features.resonances.size(); ++i) {
        JsonObject resonance;
        resonance.number("mhz", features.resonances[i].frequencyHz / kHzPerMHz, 3)
            .number("r_ohm", features.resonances[i].resistanceOhms, 1);
        if (i < q.size()) {
            resonance.number("q", q[i], 1);
        }
        resonances.push_back(resonance.str());
    }
    return jsonArray(resonances);
}

// The lowest SWR and where, the 2:1 band and every resonance.
JsonObject& markersJson(JsonObject& json, const SweepMarkers& markers, bool withEdges) {
    const SweepFeatures& features = markers.features;
    const auto& minimum = features.swrMinimum;
    json.number("lowest_swr", minimum ? std::optional(minimum->swr) : std::nullopt, 2)
        .number("lowest_swr_mhz",
                megahertz(minimum ? std::optional(minimum->frequencyHz) : std::nullopt), 3);
    if (withEdges) {
        json.number("swr2_low_mhz", megahertz(features.lowerEdgeHz), 3)
            .number("swr2_high_mhz", megahertz(features.upperEdgeHz), 3);
    }
    return json.number("swr2_width_khz", features.bandwidthKHz(), 0)
        .raw("resonances", resonancesJson(features, markers.resonanceQ));
}

std::string wordsJson(const std::vector<std::string>& words) {
    std::vector<std::string> texts;
    for (const std::string& word : words) {
        texts.push_back(jsonText(word));
    }
    return jsonArray(texts);
}

}  // namespace

std::string summaryJson(const SweepSummary& sweep, bool isReference) {
    JsonObject json;
    json.whole("history_id", sweep.id)
        .text("taken", isoTimeText(sweep.taken))
        .text("antenna", sweep.antenna)
        .optionalText("band", sweep.band.empty() ? std::nullopt : std::optional(sweep.band))
        .number("start_mhz", sweep.plan.StartFreq, 3)
        .number("stop_mhz", sweep.plan.StopFreq, 3)
        .text("plane", sweep.shownPlane == Plane::Antenna ? "antenna" : "meter")
        .text("ended", sweep.ending.how == SweepEnding::How::Completed ? "completed" : "stopped")
        .optionalText("stopped_why", sweep.ending.how == SweepEnding::How::Completed
                                         ? std::nullopt
                                         : std::optional(endingText(sweep.ending)))
        .whole("points", sweep.points)
        .whole("keyed_points", sweep.keyedPoints)
        .flag("reference", isReference);
    return markersJson(json, sweep.markers, true).str();
}

std::string trendJson(const HistoryStore::TrendPoint& point) {
    JsonObject json;
    json.whole("history_id", point.sweep.id)
        .text("taken", isoTimeText(point.sweep.taken))
        .flag("reference", point.isReference);
    markersJson(json, point.sweep.markers, false);
    return json
        .raw("drift",
             point.againstReference ? driftJson(*point.againstReference, point.beyond) : "null")
        .str();
}

std::string referenceJson(SweepId id, const SweepTime& taken, const SweepFeatures& features) {
    const auto& minimum = features.swrMinimum;
    return JsonObject()
        .whole("history_id", id)
        .text("taken", isoTimeText(taken))
        .number("lowest_swr_mhz",
                megahertz(minimum ? std::optional(minimum->frequencyHz) : std::nullopt), 3)
        .number("lowest_swr", minimum ? std::optional(minimum->swr) : std::nullopt, 2)
        .raw("resonances", resonancesJson(features, {}))
        .str();
}

std::string referenceJson(const SweepComparison& comparison) {
    return referenceJson(comparison.otherId, comparison.otherTaken, comparison.other);
}

std::string driftJson(const SweepComparison& comparison, const std::vector<std::string>& beyond) {
    std::vector<std::string> differs;
    for (const auto& [word, differ] : {std::pair("plan", comparison.planDiffers),
                                       std::pair("feedline", comparison.feedlineDiffers),
                                       std::pair("plane", comparison.planeDiffers)}) {
        if (differ) {
            differs.emplace_back(word);
        }
    }
    return JsonObject()
        .number("lowest_swr_khz", comparison.lowestSwrKHz(), 0)
        .number("resonance_khz", comparison.resonanceKHz(), 1)
        .number("lowest_swr", comparison.lowestSwrChange(), 2)
        .raw("beyond", wordsJson(beyond))
        .text("plane", comparison.plane == Plane::Antenna ? "antenna" : "meter")
        .number("from_mhz", comparison.fromHz / kHzPerMHz, 3)
        .number("to_mhz", comparison.toHz / kHzPerMHz, 3)
        .raw("differs", wordsJson(differs))
        .str();
}

}  // namespace zm
