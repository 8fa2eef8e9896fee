// SPDX-License-Identifier: GPL-3.0-or-later

#include "sweep/band_boxes.h"

#include <algorithm>
#include <cmath>

#include "bandplan/carrier_rule.h"
#include "numbers/number_text.h"
#include "sweep/rigctld_protocol.h"
#include "sweep/sweep_plan.h"

namespace zm {

namespace {

constexpr std::int64_t kBoxGridHz = 10'000;  // two decimals of a MHz
constexpr double kHzPerMHz = 1e6;

double megahertz(std::int64_t hz) {
    return static_cast<double>(hz) / kHzPerMHz;
}

// The lowest and highest grid points where the carrier may stand in the band; none when no
// grid point lies in any of its stretches.
std::optional<BandSegment> gridPointsInside(const Band& band, std::int64_t sidebandHz) {
    std::optional<BandSegment> inside;
    for (const BandSegment& room : carrierStretches(BandPlan{{}, {}, {band}}, sidebandHz)) {
        const std::int64_t first = (room.lowHz + kBoxGridHz - 1) / kBoxGridHz * kBoxGridHz;
        const std::int64_t last = room.highHz / kBoxGridHz * kBoxGridHz;
        if (first <= last) {
            inside = BandSegment{inside ? inside->lowHz : first, last};
        }
    }
    return inside;
}

// Where the sweep tunes point i, to the whole hertz the rig client sends.
std::int64_t pointHz(int point, std::int64_t startHz, double stepMHz) {
    return rigFrequencyHz(sweepPointMHz(point, megahertz(startHz), stepMHz)).value_or(0);
}

}  // namespace

BandBoxes bandBoxes(const Band& band, double stepMHz, std::int64_t sidebandHz) {
    const std::optional<BandSegment> grid = gridPointsInside(band, sidebandHz);
    if (!grid) {
        return {};
    }
    if (grid->lowHz == grid->highHz) {
        return {BandBoxes::Kind::OnePoint, grid->lowHz, grid->lowHz};
    }
    BandBoxes boxes{BandBoxes::Kind::Span, grid->lowHz, grid->highHz};
    const std::optional<int> count =
        pointCountFor(megahertz(boxes.startHz), megahertz(boxes.stopHz), stepMHz);
    if (!count) {
        return boxes;
    }
    // The count rounds to the nearest whole number, so the last point can fall short of the
    // upper edge (a band's sub-bands rarely span whole steps) or pass it: the stop box shows
    // the last point inside the band, on the grid below it or, where that would plan one
    // point fewer, the one above.
    const std::int64_t topHz = carrierStretches(BandPlan{{}, {}, {band}}, sidebandHz).back().highHz;
    int last = *count;
    while (last > 1 && pointHz(last, boxes.startHz, stepMHz) > topHz) {
        --last;
    }
    const std::int64_t lastHz = pointHz(last, boxes.startHz, stepMHz);
    const std::int64_t belowHz = lastHz / kBoxGridHz * kBoxGridHz;
    const std::int64_t aboveHz = std::min(belowHz + kBoxGridHz, grid->highHz);
    for (const std::int64_t stopHz : {belowHz, aboveHz}) {
        if (pointCountFor(megahertz(boxes.startHz), megahertz(stopHz), stepMHz) == last) {
            boxes.stopHz = stopHz;
            return boxes;
        }
    }
    boxes.stopHz = belowHz;
    return boxes;
}

std::string boxText(std::int64_t hz) {
    return fixedNumber(megahertz(hz), 2);
}

std::string bandMenuItemText(const Band& band, std::int64_t sidebandHz) {
    const std::optional<BandSegment> grid = gridPointsInside(band, sidebandHz);
    if (!grid) {
        return bandMenuText(band) + " (Sweep my bands)";
    }
    if (grid->lowHz == grid->highHz) {
        return bandMenuText(band) + " (one point at " + boxText(grid->lowHz) + ")";
    }
    return bandMenuText(band);
}

}  // namespace zm
