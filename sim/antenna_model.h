// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <span>

namespace zm::sim {

// A complex impedance, ohms.
struct Impedance {
    double resistanceOhms = 0.0;
    double reactanceOhms = 0.0;
};

// What a meter with a 50 ohm reference shows for a load.
struct LoadReading {
    double zOhms = 0.0;         // |Z|
    double phaseDegrees = 0.0;  // arg Z, positive for an inductive load
    double swr = 1.0;  // (1 + |rho|) / (1 - |rho|), rho = (Z - 50) / (Z + 50); inf at |rho| = 1
};

inline constexpr double kReferenceOhms = 50.0;

// A 20 m half-wave dipole fed through 50 ohm line, seen at the meter: resonant at
// 14.175 MHz with about 57 ohm, its reactance growing like a series resonant circuit so
// that the SWR reaches about 3 at the band edges, 14.0 and 14.35 MHz:
//
//   MHz     R     X      SWR
//   14.000  55.6  -62.1  3.07
//   14.175  57.0    0.0  1.14
//   14.350  58.4   61.4  2.98
Impedance dipoleImpedance(double frequencyMHz);

// A small transmitting loop for 40 m (about a metre across, its capacitor tuned to 7.05 MHz,
// fed by a coupling loop): a deep, narrow dip at 7.0545 MHz with high SWR all around, where
// the coupling loop's own reactance is all the radio sees:
//
//   MHz     R      X     SWR
//   7.0230  8.5   40.9   9.84
//   7.0545 51.4   -1.0   1.03   2:1 from 7.047 to 7.062 MHz: 15 kHz
//   7.0865  5.0    3.5   9.98
Impedance smallLoopImpedance(double frequencyMHz);

// Loops tuned by their capacitors, each with its own Q and reflecting up to reflectedOhms
// into one coupling loop of 20 ohm at 7.05 MHz: smallLoopImpedance is the one below. More
// loops, or narrower ones, make the dips that bench-refine hunts for.
struct TunedLoop {
    double tunedMHz = 7.05;
    double q = 320.0;
    double reflectedOhms = 60.0;
};
Impedance coupledLoopsImpedance(double frequencyMHz, std::span<const TunedLoop> loops);

// A multiband wire (an end-fed or off-centre-fed wire for 80, 40, 20, 15 and 10 m): one
// series resonance per band, all of them in parallel, so that between the bands the SWR
// climbs high:
//
//   MHz     lowest SWR   2:1 band
//   3.614   1.20         252 kHz
//   7.102   1.29         420 kHz
//  14.207   1.38         649 kHz
//  21.226   1.46         830 kHz
//  28.399   1.60         858 kHz
Impedance multibandWireImpedance(double frequencyMHz);

// A fan dipole for 80 m, its two elements cut for the CW and the phone end of the band:
// two dips 163 kHz apart with a hump between them:
//
//   MHz     SWR
//   3.548   1.18   2:1 band 64 kHz
//   3.629   2.96
//   3.7115  1.18   2:1 band 67.5 kHz
Impedance fanDipoleImpedance(double frequencyMHz);

Impedance impedanceFromPolar(double zOhms, double phaseDegrees);

LoadReading readingOf(Impedance load);

}  // namespace zm::sim
