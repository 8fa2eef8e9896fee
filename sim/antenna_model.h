// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

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

Impedance impedanceFromPolar(double zOhms, double phaseDegrees);

LoadReading readingOf(Impedance load);

}  // namespace zm::sim
