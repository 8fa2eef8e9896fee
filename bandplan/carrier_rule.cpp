// SPDX-License-Identifier: GPL-3.0-or-later

#include "bandplan/carrier_rule.h"

#include <algorithm>

#include "numbers/number_text.h"

namespace zm {

namespace {

std::string mhz(std::int64_t hz) {
    return megahertzText(static_cast<double>(hz));
}

// "7.000 to 7.200 MHz", "7.025 to 7.125 and 7.175 to 7.300 MHz", "5.332, 5.348 and 5.405 MHz".
std::string segmentsText(const Band& band) {
    std::string text;
    for (std::size_t i = 0; i < band.segments.size(); ++i) {
        const BandSegment& segment = band.segments[i];
        text += i == 0 ? "" : i + 1 == band.segments.size() ? " and " : ", ";
        text += mhz(segment.lowHz);
        if (segment.highHz != segment.lowHz) {
            text += " to " + mhz(segment.highHz);
        }
    }
    return text + " MHz";
}

BandSegment narrowed(const BandSegment& segment, std::int64_t sidebandHz) {
    return {segment.lowHz + sidebandHz, segment.highHz - sidebandHz};
}

std::int64_t distanceHz(const Band& band, std::int64_t lowHz, std::int64_t highHz) {
    return std::max<std::int64_t>({0, band.lowestHz() - highHz, lowHz - band.highestHz()});
}

}  // namespace

std::vector<BandSegment> carrierStretches(const BandPlan& plan, std::int64_t sidebandHz) {
    std::vector<BandSegment> stretches;
    for (const Band& band : plan.bands) {
        for (const BandSegment& segment : band.segments) {
            if (const BandSegment room = narrowed(segment, sidebandHz); room.lowHz <= room.highHz) {
                stretches.push_back(room);
            }
        }
    }
    return stretches;
}

// Every sweep point asks, so this goes without the list of stretches.
bool carrierFits(const BandPlan& plan, std::int64_t carrierHz, std::int64_t sidebandHz) {
    for (const Band& band : plan.bands) {
        for (const BandSegment& segment : band.segments) {
            const BandSegment room = narrowed(segment, sidebandHz);
            if (room.lowHz <= carrierHz && carrierHz <= room.highHz) {
                return true;
            }
        }
    }
    return false;
}

const Band* nearestBand(const BandPlan& plan, std::int64_t lowHz, std::int64_t highHz) {
    const Band* nearest = nullptr;
    for (const Band& band : plan.bands) {
        if (!nearest || distanceHz(band, lowHz, highHz) < distanceHz(*nearest, lowHz, highHz)) {
            nearest = &band;
        }
    }
    return nearest;
}

std::string bandMenuText(const Band& band) {
    return band.name + "  " + mhz(band.lowestHz()) + " – " + mhz(band.highestHz()) + " MHz";
}

std::string nothingToSweepReason(const BandPlan& plan, std::int64_t lowHz, std::int64_t highHz,
                                 std::int64_t sidebandHz) {
    std::string span = mhz(lowHz) + (highHz != lowHz ? " to " + mhz(highHz) : "") + " MHz";
    if (sidebandHz > 0) {
        span += ", with sidebands " + generalNumber(static_cast<double>(sidebandHz) / 1000.0) +
                " kHz either side,";
    }
    const Band* band = nearestBand(plan, lowHz, highHz);
    return "Nothing to sweep: " + span + " lies outside the " + (band ? band->name : "") +
           " band of " + plan.title + " (" + (band ? segmentsText(*band) : "") + ").";
}

std::string nothingToSweepMessage(const BandPlan& plan, std::int64_t lowHz, std::int64_t highHz,
                                  std::int64_t sidebandHz) {
    return nothingToSweepReason(plan, lowHz, highHz, sidebandHz) +
           " Choose a band in the Band menu, or the licence plan in Setup.";
}

}  // namespace zm
