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
// that agree within 1 % while it is still 5 % from its final value. So the last three
// readings must agree in a way that leaves nothing to come:
//
// - the last two agree: power within 5 %, Z within 1 % or 0.5 ohm, phase within 1 degree;
// - the drift still to come, projected from the last two steps, is within the same
//   tolerance. Steps that shrink by a ratio r leave the last step times r / (1 - r); steps
//   that do not shrink leave no bound; steps that turn (or stand still) have met the final
//   value, give or take the last step, as an averaging meter does not ring;
// - the last reading shows power: a point without power is read to the design's limit, so
//   that a carrier still coming up is never taken for none.
//
//   Z 0, 32.3, 56.8, 57.0 (the default simulated meter): settled at the 4th reading, as
//     the step of 0.2 ohm after one of 24.5 leaves almost nothing to come;
//   Z 94.5, 95.5, 96.3 (18 % of the distance to 100 a step): the last two agree within
//     1 % while 3.7 % away, but steps shrinking by 0.8 leave 3.2 ohm to come: not settled.
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
