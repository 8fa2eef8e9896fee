// SPDX-License-Identifier: GPL-3.0-or-later

#include "results/result_texts.h"

#include <cmath>
#include <complex>

#include "numbers/number_text.h"
#include "results/impedance.h"

namespace zm {

namespace {

constexpr double kHzPerMHz = 1e6;

// Infinite values, as a matched load's return loss, read as the sign a user knows.
std::string shown(double value, int decimals) {
    if (std::isinf(value)) {
        return value > 0 ? "∞" : "-∞";
    }
    return fixedNumber(value, decimals);
}

// Interpolated frequencies are good to the kHz.
std::string interpolatedMHz(double hz) {
    return fixedNumber(hz / kHzPerMHz, 3);
}

constexpr int kMostResonanceCells = 3;

// Where the 2:1 band lies: "14.088 – 14.262 MHz", "from 14.088 MHz up", "up to 14.262 MHz",
// "across the whole sweep"; empty when the lowest SWR is above 2.
std::string bandText(const SweepFeatures& features) {
    if (features.lowerEdgeHz && features.upperEdgeHz) {
        return interpolatedMHz(*features.lowerEdgeHz) + " – " +
               interpolatedMHz(*features.upperEdgeHz) + " MHz";
    }
    if (features.lowerEdgeHz) {
        return "from " + interpolatedMHz(*features.lowerEdgeHz) + " MHz up";
    }
    if (features.upperEdgeHz) {
        return "up to " + interpolatedMHz(*features.upperEdgeHz) + " MHz";
    }
    if (features.swrMinimum && features.swrMinimum->swr < kBandEdgeSwr) {
        return "across the whole sweep";
    }
    return {};
}

}  // namespace

std::string swrAboveScaleCell() {
    return "above " + fixedNumber(kHighestShownSwr, 0);
}

// Whole above 10, where the band's width is good to a few per cent at best.
std::string loadedQText(double q) {
    return fixedNumber(q, q >= 10.0 ? 0 : 1);
}

std::string pointValuesText(const SweepPoint& point, std::string_view traceName) {
    std::string text = std::string(traceName) + "\n" +
                       megahertzText(static_cast<double>(point.frequencyHz)) + " MHz\n";
    if (!point.reading) {
        return text + "no reading";
    }
    const PointReading& reading = *point.reading;
    const std::complex<double> z = reading.impedance();
    const double rho = reading.rho();
    text += "SWR " + shown(reading.swr, 2) + "\n";
    text += "Z " + shown(reading.zOhms, 1) + " Ω at " + shown(reading.phaseDegrees, 1) + "°\n";
    text += "R+jX " + shown(z.real(), 1) + (std::signbit(z.imag()) ? " - j" : " + j") +
            shown(std::fabs(z.imag()), 1) + " Ω\n";
    text += "|Γ| " + shown(rho, 3) + "   RL " + shown(returnLossDb(rho), 1) + " dB";
    if (reading.power) {
        text += "\nPwr " + shown(*reading.power, 1);
    }
    if (point.lineLoss) {
        text += "\nFeedline loss " + shown(point.lineLoss->matchedDb, 2) + " dB matched, " +
                shown(point.lineLoss->totalDb, 2) + " dB total";
        if (reading.power) {
            const double delivered =
                *reading.power * std::pow(10.0, -point.lineLoss->totalDb / 10.0);
            text += "\nPwr at the antenna " + shown(delivered, 1);
        }
    }
    if (point.taken) {
        text += "\n" + takingLine(*point.taken);
    }
    return text;
}

std::vector<std::string> swrMarkerLines(const SweepFeatures& features) {
    std::vector<std::string> lines;
    if (!features.swrMinimum) {
        return lines;
    }
    if (features.swrAboveScaleEverywhere()) {
        return {"SWR " + swrAboveScaleCell() + " everywhere"};
    }
    lines.push_back("SWR " + shown(features.swrMinimum->swr, 2) + " at " +
                    interpolatedMHz(features.swrMinimum->frequencyHz) + " MHz");
    const std::string band = bandText(features);
    if (const auto widthKHz = features.bandwidthKHz()) {
        const auto q = features.loadedQ();
        lines.push_back("2:1 " + band + ", " + fixedNumber(*widthKHz, 0) + " kHz" +
                        (q ? ", Q " + loadedQText(*q) : ""));
    } else if (!band.empty()) {
        lines.push_back("2:1 " + band);
    }
    return lines;
}

std::vector<std::string> resonanceMarkerLines(const SweepFeatures& features) {
    std::vector<std::string> lines;
    for (const Resonance& resonance : features.resonances) {
        lines.push_back("Resonance " + interpolatedMHz(resonance.frequencyHz) + " MHz, R " +
                        shown(resonance.resistanceOhms, 1) + " Ω");
    }
    return lines;
}

MarkerCells markerCells(const SweepFeatures& features) {
    MarkerCells cells;
    if (features.swrAboveScaleEverywhere()) {
        cells.lowestSwr = swrAboveScaleCell();
    } else if (features.swrMinimum) {
        cells.lowestSwr = shown(features.swrMinimum->swr, 2);
        cells.atMHz = interpolatedMHz(features.swrMinimum->frequencyHz);
    }
    cells.band = bandText(features);
    if (const auto widthKHz = features.bandwidthKHz()) {
        cells.widthKHz = fixedNumber(*widthKHz, 0);
    }
    if (const auto q = features.loadedQ()) {
        cells.q = loadedQText(*q);
    }
    const std::size_t count = features.resonances.size();
    for (std::size_t i = 0; i < count && i < kMostResonanceCells; ++i) {
        const Resonance& resonance = features.resonances[i];
        cells.resonances += (i > 0 ? ", " : "") + interpolatedMHz(resonance.frequencyHz) + " (R " +
                            shown(resonance.resistanceOhms, 1) + " Ω)";
    }
    if (count > kMostResonanceCells) {
        cells.resonances +=
            " and " + std::to_string(count - kMostResonanceCells) + " more resonances";
    }
    return cells;
}

std::string sweepTitle(const SweepNotes& notes, std::string_view radio) {
    const double spanKHz = (notes.stopMHz - notes.startMHz) * 1000.0;
    std::string title = fixedNumber(notes.startMHz, 3) + " – " + fixedNumber(notes.stopMHz, 3) +
                        " MHz (" + fixedNumber(spanKHz, 0) + " kHz)";
    for (const std::string_view part : {std::string_view(notes.takenAt), std::string_view(notes.antenna), radio}) {
        if (!part.empty()) {
            title += " · " + std::string(part);
        }
    }
    return title;
}

}  // namespace zm
