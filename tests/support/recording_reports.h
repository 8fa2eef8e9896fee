// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What a sweep engine reported, kept in order, for a test or a benchmark to look at.

#include <optional>
#include <string>
#include <vector>

#include "engine/sweep_reports.h"

namespace zm::test {

class RecordingReports : public SweepReports {
public:
    std::string notice;  // the band plan's
    std::vector<MeterRead> readings;
    std::vector<PointDone> points;
    std::optional<SweepOutcome> outcome;

    void bandPlanNotice(const std::string& text) override { notice = text; }
    void sweepBegun(const SweepBegun&) override {}
    void meterRead(const MeterRead& read) override { readings.push_back(read); }
    void pointDone(const PointDone& done) override { points.push_back(done); }
    void sweepEnded(const SweepOutcome& ended) override { outcome = ended; }
};

}  // namespace zm::test
