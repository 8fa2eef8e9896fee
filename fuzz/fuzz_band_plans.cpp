// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as band-plans.ini or bands.ini. A damaged file gives no plan and says why; a
// sound one gives plans under distinct keys whose bands rise without overlapping, each of
// rising segments in which the rule lets a carrier stand at both edges, and whose Band menu
// items put into the boxes a start inside the band and a stop not below it, on their grid.

#include "bandplan/band_plan_file.h"
#include "bandplan/carrier_rule.h"
#include "fuzz/fuzz_check.h"
#include "sweep/band_boxes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using zm::fuzz::require;
    const std::string_view text = zm::fuzz::asText(data, size);
    const zm::BandPlansRead read = zm::readBandPlans(text);
    if (!read.damage.empty()) {
        require(read.plans.empty(), "a damaged file gives no plan", text, read.damage);
        return 0;
    }
    require(!read.plans.empty(), "a sound file holds a plan", text);
    for (const zm::BandPlan& plan : read.plans) {
        require(zm::planWithKey(read.plans, plan.key) == &plan, "keys are distinct", text,
                plan.key);
        require(!plan.bands.empty(), "a plan holds a band", text, plan.key);
        std::int64_t aboveHz = 0;
        for (const zm::Band& band : plan.bands) {
            require(!band.segments.empty(), "a band holds a segment", text, band.name);
            for (const zm::BandSegment& segment : band.segments) {
                require(aboveHz < segment.lowHz && segment.lowHz <= segment.highHz,
                        "segments and bands rise without overlapping", text, band.name);
                require(zm::carrierFits(plan, segment.lowHz, 0) &&
                            zm::carrierFits(plan, segment.highHz, 0),
                        "a carrier fits on both edges of a segment", text, band.name);
                aboveHz = segment.highHz;
            }
            const zm::BandBoxes boxes = zm::bandBoxes(band, 0.05, 0);
            if (boxes.kind != zm::BandBoxes::Kind::SweepMyBands) {
                require(zm::carrierFits(plan, boxes.startHz, 0) && boxes.startHz <= boxes.stopHz &&
                            boxes.stopHz <= band.highestHz() && boxes.startHz % 10000 == 0 &&
                            boxes.stopHz % 10000 == 0,
                        "the Band menu plans on the boxes' grid inside the band", text, band.name);
            }
        }
    }
    return 0;
}
