// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <vector>

namespace zm {

// How far a run of sweeps has come, for a run long enough to say so without a box to click
// away: Sweep my bands, or a sweep whose points take over a minute in all.
//
//   "40m, band 2 of 4 · point 12 of 20 · about 1 min 10 s left"
//   "Point 12 of 36 · about 1 min 10 s left"      (Run: one sweep, no band)
//
// The time left is the keyed points still to come at the time the points so far took each;
// a skipped point takes none. A band not yet begun counts all its points.
class SweepProgress {
public:
    struct Band {
        std::string name;  // empty for Run's one sweep
        int points = 0;    // of its plan
    };
    explicit SweepProgress(std::vector<Band> bands);

    // The next band's sweep begins (also one that finds nothing to key).
    void sweepBegun();
    // The band plan lets it key `pointsToKey` of its points at most.
    void keysAtMost(int pointsToKey);
    // One of its points: keyed, and `seconds` since the last point (or the sweep's begin), or
    // skipped.
    void pointDone(bool keyed, double seconds);

    bool worthShowing() const;
    std::string text() const;

private:
    // Empty until a point has been keyed.
    std::string timeLeftText() const;

    std::vector<Band> m_bands;
    int m_band = -1;  // the band being swept, from 0
    int m_pointsDone = 0;
    int m_keyedLeftInBand = 0;
    int m_keyed = 0;
    double m_keyedSeconds = 0.0;
};

}  // namespace zm
