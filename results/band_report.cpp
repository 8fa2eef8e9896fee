// SPDX-License-Identifier: GPL-3.0-or-later

#include "results/band_report.h"

#include <algorithm>
#include <cmath>

#include "numbers/number_text.h"
#include "results/result_texts.h"
#include "results/sweep_features.h"

namespace zm {

namespace {

constexpr double kHzPerMHz = 1e6;
constexpr std::array<double, 3> kSwrTops{3.0, 5.0, 10.0};
// Room above the highest minimum, so that its dip is seen as a dip.
constexpr double kSwrHeadroom = 0.5;

std::string megahertz(double hz) {
    return fixedNumber(hz / kHzPerMHz, 3) + " MHz";
}

std::string kilohertz(double hz) {
    return fixedNumber(hz / 1000.0, 0) + " kHz";
}

// The part of the sweep where the SWR is under 2.0; an edge past the sweep's end is that
// end.
std::string widthText(const SweepFeatures& features, const SweepRecord& record) {
    if (!features.swrMinimum || features.swrMinimum->swr >= kBandEdgeSwr) {
        return "none";
    }
    if (const auto widthKHz = features.bandwidthKHz()) {
        return kilohertz(*widthKHz * 1000.0);
    }
    if (!features.lowerEdgeHz && !features.upperEdgeHz) {
        return "whole band";
    }
    std::vector<double> measuredHz;
    for (const SweepPoint& point : record.points) {
        if (point.reading) {
            measuredHz.push_back(static_cast<double>(point.frequencyHz));
        }
    }
    const double lowHz = features.lowerEdgeHz.value_or(measuredHz.front());
    const double highHz = features.upperEdgeHz.value_or(measuredHz.back());
    return "≥ " + kilohertz(highHz - lowHz);
}

std::string resonanceText(const SweepFeatures& features) {
    if (features.resonances.empty() || !features.swrMinimum) {
        return "none";
    }
    const double minimumHz = features.swrMinimum->frequencyHz;
    const auto nearest = std::min_element(features.resonances.begin(), features.resonances.end(),
                                          [minimumHz](const Resonance& a, const Resonance& b) {
                                              return std::fabs(a.frequencyHz - minimumHz) <
                                                     std::fabs(b.frequencyHz - minimumHz);
                                          });
    return megahertz(nearest->frequencyHz);
}

// Letters, not bytes: "≥" and "–" take one place each.
std::size_t shownWidth(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

}  // namespace

BandReportRow bandReportRow(const BandResult& band) {
    const SweepFeatures features = findFeatures(band.record);
    BandReportRow row{band.bandName, "none", "", "none", "none", "–"};
    if (!features.swrMinimum) {
        return row;
    }
    if (features.swrAboveScaleEverywhere()) {
        row[1] = swrAboveScaleCell();
        row[2] = "–";
        return row;
    }
    row[1] = fixedNumber(features.swrMinimum->swr, 2);
    row[2] = megahertz(features.swrMinimum->frequencyHz);
    row[3] = widthText(features, band.record);
    row[4] = resonanceText(features);
    if (const auto q = features.loadedQ()) {
        row[5] = loadedQText(*q);
    }
    return row;
}

std::string bandReportText(const std::vector<BandReportRow>& rows) {
    std::array<std::size_t, kBandReportHeadings.size()> widths{};
    for (std::size_t column = 0; column < widths.size(); ++column) {
        widths[column] = shownWidth(kBandReportHeadings[column]);
        for (const BandReportRow& row : rows) {
            widths[column] = std::max(widths[column], shownWidth(row[column]));
        }
    }
    const auto line = [&widths](const auto& cells) {
        std::string text;
        for (std::size_t column = 0; column < widths.size(); ++column) {
            const std::string_view cell = cells[column];
            text += cell;
            if (column + 1 < widths.size()) {
                text += std::string(widths[column] - shownWidth(cell) + 2, ' ');
            }
        }
        return text + "\n";
    };
    std::string text = line(kBandReportHeadings);
    for (const BandReportRow& row : rows) {
        text += line(row);
    }
    return text;
}

double sharedSwrTop(const std::vector<BandResult>& bands) {
    // A band whose dip no scale shows (an antenna not made for it: the meter's 99.9) would
    // only squash the others.
    double highestMinimum = 1.0;
    bool anyShown = false;
    for (const BandResult& band : bands) {
        const auto minimum = findFeatures(band.record).swrMinimum;
        if (minimum && minimum->swr + kSwrHeadroom <= kSwrTops.back()) {
            highestMinimum = std::max(highestMinimum, minimum->swr);
            anyShown = true;
        }
    }
    if (!anyShown) {
        return kSwrTops.back();
    }
    for (const double top : kSwrTops) {
        if (highestMinimum + kSwrHeadroom <= top) {
            return top;
        }
    }
    return kSwrTops.back();
}

}  // namespace zm
