// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <complex>
#include <string>

#include "feedline/cable_list.h"
#include "results/sweep_record.h"

namespace zm {

// The cable between the meter and the antenna.
struct Feedline {
    Cable cable;
    double lengthM = 0.0;

    // "20 m of RG-58", for the files' comments and the window.
    std::string description() const;
};

// The line's constants at one frequency: the characteristic impedance Z0, and the
// propagation constant gamma = alpha + j beta per metre (Np/m, rad/m), of the lossy line
//   Z0 = sqrt((R + j omega L) / (G + j omega C)), gamma = sqrt((R + j omega L)(G + j omega C))
// whose L and C are those of the cable's nominal impedance R0 and velocity factor, and whose
// R and G are set so that its matched loss, alpha, is the cable's figure at that frequency,
// shared between conductors (R) and dielectric (G) as the cable's fit shares it. Where the
// loss is small against beta this is the familiar low-loss line, Z0 = R0 (1 - j (alpha_c -
// alpha_d) / beta), to 0.5 % for an antenna of 200 - j300 ohm through 20 m of RG-58 on
// 160 m to 20 m. RG-174 on 160 m, alpha/beta = 0.15, is where it is not: taken back through
// 20 m of it, that antenna would come out 7 % away from this line's.
struct LineConstants {
    std::complex<double> impedanceOhms;
    std::complex<double> gammaPerM;
};
LineConstants lineConstants(const Cable& cable, double frequencyHz);

// What the meter reads through the line for the antenna's impedance, and back again.
// The way back is the antenna's only for a reading with less reflection than the line's
// two-way loss allows; for more it gives a resistance below 0, which no antenna has, and at
// the bound an infinite one (see readingAtPlane).
std::complex<double> meterImpedanceOf(std::complex<double> antennaOhms, const Feedline& line,
                                      double frequencyHz);
std::complex<double> antennaImpedanceOf(std::complex<double> meterOhms, const Feedline& line,
                                        double frequencyHz);

// What the line costs with that antenna on it: the matched loss, and the total loss, the
// power going into the line over the power the antenna takes. For an antenna that takes no
// power (R <= 0) the total loss is infinite.
LineLoss lineLossAt(std::complex<double> antennaOhms, const Feedline& line, double frequencyHz);

}  // namespace zm
