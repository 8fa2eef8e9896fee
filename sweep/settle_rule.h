// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <vector>

namespace zm {

// What a keyed poll read, as far as settling goes.
struct SettleSample {
    double powerW = 0.0;
    double zOhms = 0.0;
    double phaseDegrees = 0.0;
};

// Below this the meter reads no power: a radio that keyed but sends nothing.
inline constexpr double kNoPowerBelowW = 0.5;

// The fixed wait keeps a point keyed for 1.0 s and one poll of 0.2 s: as long as this many
// polls. Settling by readings never keys a point longer.
inline constexpr int kPollsInTheFixedTime = 6;

// Whether a keyed point's readings have settled, poll by poll. Two readings that agree are
// not enough: a meter whose reading moves 18 % of its remaining error every 0.2 s gives two
// that agree within 1 % while it is still 5 % from its final value. Nor is the ratio of two
// small steps: the meter's own noise (0.2 % of Z and 0.2 degrees are usual) bends it, and
// two steps of 1 % that shrink by 0.82 read like steps that halve, or turn, as often as
// not. So each of power, Z and phase must pass, over the last three readings a, b, c:
//
// - the last two agree: power within 5 %, Z within 1 % or 0.5 ohm, phase within 1 degree;
// - after a step b - a of three tolerances or more (the meter still coming up, a step far
//   above its noise), the drift still to come, projected from the two steps, is within the
//   tolerance. Steps that shrink by a ratio r leave the last step times r / (1 - r); steps
//   that do not shrink leave no bound; a step that turns (or stands still) has met the
//   final value, give or take the last step, as an averaging meter does not ring;
// - after a smaller step, the three readings lie within half the tolerance: steps that
//   shrink by 0.82 or faster then leave at most 0.82^2 / (1 - 0.82^2) = 2.05 times that
//   span to come, about the tolerance;
// - the last reading shows power: a point without power is read to the design's limit, so
//   that a carrier still coming up is never taken for none.
//
//   Z 0, 32.3, 56.8, 57.0 (the default simulated meter): settled at the 4th reading, as
//     the step of 0.2 ohm after one of 24.5 leaves almost nothing to come;
//   Z 95.0, 96.1, 96.6 (18 % of the distance to 100 a step, and noise): the last step
//     looks like half the one before, which would leave 0.4 ohm; but after a step of 1.1
//     ohm the three span 1.6, more than half of 0.97: not settled, 3.4 % away.
//
// A rejected poll counts for nothing: the next reading is compared with the last accepted.
class SettleRule {
public:
    // One poll: its reading, or none when the meter's answer was rejected. True once the
    // readings have settled.
    bool settledAfter(std::optional<SettleSample> reading);

private:
    std::vector<SettleSample> m_lastThree;
};

}  // namespace zm
