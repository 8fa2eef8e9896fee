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

// ", Q 58"
std::string qText(std::optional<double> q) {
    if (!q) {
        return {};
    }
    return ", Q " + loadedQText(*q);
}

}  // namespace

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
    lines.push_back("SWR " + shown(features.swrMinimum->swr, 2) + " at " +
                    interpolatedMHz(features.swrMinimum->frequencyHz) + " MHz");
    if (const auto widthKHz = features.bandwidthKHz()) {
        lines.push_back("2:1 " + interpolatedMHz(*features.lowerEdgeHz) + " – " +
                        interpolatedMHz(*features.upperEdgeHz) + " MHz, " +
                        fixedNumber(*widthKHz, 0) + " kHz" + qText(features.loadedQ()));
    } else if (features.lowerEdgeHz) {
        lines.push_back("2:1 from " + interpolatedMHz(*features.lowerEdgeHz) + " MHz up");
    } else if (features.upperEdgeHz) {
        lines.push_back("2:1 up to " + interpolatedMHz(*features.upperEdgeHz) + " MHz");
    } else if (features.swrMinimum->swr < kBandEdgeSwr) {
        lines.push_back("2:1 across the whole sweep");
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

}  // namespace zm
