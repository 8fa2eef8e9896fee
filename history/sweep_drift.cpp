// SPDX-License-Identifier: GPL-3.0-or-later

#include "history/sweep_drift.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "feedline/reading_plane.h"
#include "numbers/number_text.h"
#include "results/result_texts.h"

namespace zm {

namespace {

constexpr double kHzPerKHz = 1000.0;
constexpr double kHzPerMHz = 1e6;

std::string feedlineName(const SweepEntry& entry) {
    return entry.feedline ? entry.feedline->description() : entry.record.feedline;
}

bool samePlan(const SweepPlan& a, const SweepPlan& b) {
    return a.StartFreq == b.StartFreq && a.StopFreq == b.StopFreq && a.StepFreq == b.StepFreq &&
           a.PointCount == b.PointCount;
}

// The record at `plane`; none when its readings stand behind a feedline the history has no
// figures of (one named by an imported file), which cannot be taken out or put in.
std::optional<SweepRecord> recordAt(const SweepEntry& entry, Plane plane) {
    const SweepRecord& record = entry.record;
    if (record.plane != plane && !entry.feedline && !record.feedline.empty()) {
        return std::nullopt;
    }
    return recordAtPlane(record, plane, entry.feedline ? &*entry.feedline : nullptr);
}

std::string megahertz(double hz) {
    return fixedNumber(hz / kHzPerMHz, 3);
}

std::string swrText(const SweepFeatures& features) {
    if (!features.swrMinimum) {
        return "none";
    }
    return features.swrAboveScaleEverywhere() ? swrAboveScaleCell()
                                              : fixedNumber(features.swrMinimum->swr, 2);
}

// "22 kHz below", "5 kHz above", "the same as" (to the kHz).
std::string shiftWords(double kHz) {
    const std::string amount = fixedNumber(std::fabs(kHz), 0);
    if (amount == "0") {
        return "the same as";
    }
    return amount + " kHz " + (kHz < 0 ? "below" : "above");
}

// "resonance 7.085 MHz, 22 kHz below the reference of 2 Oct 2026"
std::string resonanceAgainst(const SweepComparison& comparison) {
    const auto mine = mainResonance(comparison.sweep);
    const auto theirs = mainResonance(comparison.other);
    const std::string name = "reference of " + dayText(comparison.otherTaken);
    if (mine && theirs) {
        return "resonance " + megahertz(mine->frequencyHz) + " MHz, " +
               shiftWords(*comparison.resonanceKHz()) + " the " + name;
    }
    if (mine) {
        return "resonance " + megahertz(mine->frequencyHz) + " MHz, none in the " + name;
    }
    if (theirs) {
        return "no resonance, the " + name + " at " + megahertz(theirs->frequencyHz) + " MHz";
    }
    return "no resonance, nor in the " + name;
}

// "resonance 3 kHz above the previous sweep of 9 Oct 2026, lowest SWR 1.40 then"
std::string previousWords(const SweepComparison& previous) {
    const std::string name = "the previous sweep of " + dayText(previous.otherTaken);
    if (const auto kHz = previous.resonanceKHz()) {
        return "resonance " + shiftWords(*kHz) + " " + name + ", lowest SWR " +
               swrText(previous.other) + " then";
    }
    return "lowest SWR " + swrText(previous.other) + " in " + name;
}

// " (compared at the antenna over 7.000 - 7.150 MHz: the plan and the feedline differ from
// the reference's)"; empty where nothing differs.
std::string comparedWhere(const SweepComparison& comparison) {
    std::vector<std::string> differs;
    for (const auto& [what, differ] : {std::pair("plan", comparison.planDiffers),
                                       std::pair("feedline", comparison.feedlineDiffers),
                                       std::pair("plane shown", comparison.planeDiffers)}) {
        if (differ) {
            differs.push_back(std::string("the ") + what);
        }
    }
    if (differs.empty()) {
        return {};
    }
    std::string list = differs.front();
    for (std::size_t i = 1; i < differs.size(); ++i) {
        list += (i + 1 == differs.size() ? " and " : ", ") + differs[i];
    }
    return " (compared at the " +
           std::string(comparison.plane == Plane::Antenna ? "antenna" : "meter") + " over " +
           megahertz(comparison.fromHz) + " – " + megahertz(comparison.toHz) + " MHz: " + list +
           (differs.size() > 1 ? " differ" : " differs") + " from the reference's)";
}

// ". The resonance has drifted more than 15 kHz, the lowest SWR more than 0.3."
std::string beyondWords(const std::vector<std::string>& beyond, const HistorySettings& limits) {
    std::string words;
    for (const auto& [name, what, limit] :
         {std::tuple("resonance", "resonance", shortestNumber(limits.resonanceKHz) + " kHz"),
          std::tuple("lowest_swr", "lowest SWR", shortestNumber(limits.swr))}) {
        if (std::ranges::find(beyond, name) == beyond.end()) {
            continue;
        }
        // In whole words: the compiler stores a long literal in pieces of 16 bytes, and
        // lintian then reads a piece's last word ("mor") as misspelt.
        words += (words.empty() ? std::string(". The ") + what + " has drifted"
                                : std::string(", the ") + what) +
                 " more than " + limit;
    }
    return words.empty() ? words : words + ".";
}

// What differs between the two, and so the plane they are compared at; nothing compared yet.
SweepComparison framing(const StoredSweep& sweep, const StoredSweep& other) {
    SweepComparison comparison;
    comparison.otherId = other.id;
    comparison.otherTaken = *other.entry.taken;
    comparison.feedlineDiffers = feedlineName(sweep.entry) != feedlineName(other.entry);
    comparison.planDiffers = !samePlan(sweep.entry.plan, other.entry.plan);
    comparison.planeDiffers = sweep.entry.shownPlane != other.entry.shownPlane;
    comparison.plane = comparison.feedlineDiffers ? Plane::Antenna : sweep.entry.shownPlane;
    return comparison;
}

std::string heading(const SweepEntry& entry) {
    return entry.antenna + ", " + (entry.band.empty() ? std::string("no band") : entry.band) + ": ";
}

}  // namespace

std::optional<double> SweepComparison::resonanceKHz() const {
    const auto mine = mainResonance(sweep);
    const auto theirs = mainResonance(other);
    return mine && theirs ? std::optional((mine->frequencyHz - theirs->frequencyHz) / kHzPerKHz)
                          : std::nullopt;
}

std::optional<double> SweepComparison::lowestSwrKHz() const {
    return sweep.swrMinimum && other.swrMinimum
               ? std::optional((sweep.swrMinimum->frequencyHz - other.swrMinimum->frequencyHz) /
                               kHzPerKHz)
               : std::nullopt;
}

std::optional<double> SweepComparison::lowestSwrChange() const {
    return sweep.swrMinimum && other.swrMinimum
               ? std::optional(sweep.swrMinimum->swr - other.swrMinimum->swr)
               : std::nullopt;
}

std::optional<SweepComparison> compareByMarkers(const StoredSweep& sweep,
                                                const StoredSweep& other) {
    SweepComparison comparison = framing(sweep, other);
    const bool asShown = !comparison.feedlineDiffers && !comparison.planeDiffers;
    if (!asShown || !sweep.shownSpan || sweep.shownSpan != other.shownSpan) {
        return std::nullopt;
    }
    comparison.fromHz = sweep.shownSpan->fromHz;
    comparison.toHz = sweep.shownSpan->toHz;
    comparison.sweep = sweep.markers.features;
    comparison.other = other.markers.features;
    return comparison;
}

std::optional<SweepComparison> compareSweeps(const StoredSweep& sweep, const StoredSweep& other,
                                             std::string& whyNot) {
    if (auto asShown = compareByMarkers(sweep, other)) {
        return asShown;
    }
    SweepComparison comparison = framing(sweep, other);
    const auto mine = recordAt(sweep.entry, comparison.plane);
    const auto theirs = recordAt(other.entry, comparison.plane);
    if (!mine || !theirs) {
        const SweepEntry& behind = mine ? other.entry : sweep.entry;
        whyNot = "its readings stand behind " + behind.record.feedline +
                 ", a feedline whose figures the history does not have";
        return std::nullopt;
    }
    const auto mySpan = readSpanOf(*mine);
    const auto theirSpan = readSpanOf(*theirs);
    if (!mySpan || !theirSpan ||
        std::max(mySpan->fromHz, theirSpan->fromHz) > std::min(mySpan->toHz, theirSpan->toHz)) {
        whyNot = "the two sweeps read no frequency in common";
        return std::nullopt;
    }
    comparison.fromHz = std::max(mySpan->fromHz, theirSpan->fromHz);
    comparison.toHz = std::min(mySpan->toHz, theirSpan->toHz);
    comparison.sweep = findFeatures(recordWithin(*mine, comparison.fromHz, comparison.toHz));
    comparison.other = findFeatures(recordWithin(*theirs, comparison.fromHz, comparison.toHz));
    return comparison;
}

std::vector<std::string> driftBeyond(const SweepComparison& againstReference,
                                     const HistorySettings& limits) {
    std::vector<std::string> beyond;
    if (const auto kHz = againstReference.resonanceKHz();
        kHz && std::fabs(*kHz) > limits.resonanceKHz) {
        beyond.emplace_back("resonance");
    }
    if (const auto change = againstReference.lowestSwrChange();
        change && std::fabs(*change) > limits.swr) {
        beyond.emplace_back("lowest_swr");
    }
    return beyond;
}

SweepDrift driftOf(const StoredSweep& sweep, const StoredSweep* reference,
                   const StoredSweep* previous, const HistorySettings& limits) {
    SweepDrift drift;
    drift.isReference = reference && reference->id == sweep.id;
    const SweepFeatures& shown = sweep.markers.features;
    if (!reference || drift.isReference) {
        const auto resonance = mainResonance(shown);
        drift.line = heading(sweep.entry) + "the reference sweep; " +
                     (resonance ? "resonance " + megahertz(resonance->frequencyHz) + " MHz"
                                : std::string("no resonance")) +
                     ", lowest SWR " + swrText(shown);
        return drift;
    }
    drift.reference = compareSweeps(sweep, *reference, drift.referenceGap);
    if (previous && previous->id != reference->id && previous->id != sweep.id) {
        std::string ignored;
        drift.previous = compareSweeps(sweep, *previous, ignored);
    }
    if (!drift.reference) {
        drift.line = heading(sweep.entry) + "not compared with the reference of " +
                     dayText(*reference->entry.taken) + ": " + drift.referenceGap;
        return drift;
    }
    const SweepComparison& against = *drift.reference;
    drift.beyond = driftBeyond(against, limits);
    drift.line = heading(sweep.entry) + resonanceAgainst(against) + "; lowest SWR " +
                 swrText(against.sweep) + ", reference " + swrText(against.other) +
                 comparedWhere(against);
    if (drift.previous) {
        drift.line += "; " + previousWords(*drift.previous);
    }
    drift.line += beyondWords(drift.beyond, limits);
    return drift;
}

}  // namespace zm
