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
// propagation constant gamma = alpha + j beta per metre (Np/m, rad/m).
//
// The low-loss line: alpha is the fitted matched loss itself, beta = omega / (VF c), and
//   Z0 = R0 (1 - j (alpha_c - alpha_d) / beta)
// where alpha_c = k1 sqrt(f) is the conductors' part of the loss and alpha_d = k2 f the
// dielectric's. This is the first order in alpha/beta of the exact lossy line
// Z0 = sqrt((R + j omega L) / (G + j omega C)), gamma = sqrt((R + j omega L)(G + j omega C))
// with R = 2 R0 alpha_c, G = 2 alpha_d / R0 and L, C of R0 and VF. From 1.8 to 54 MHz, for
// every cable of the list, Z0 and gamma are within 0.35 % of the exact ones: 3.4e-3 for
// RG-174 at 1.8 MHz (alpha/beta = 0.08), 6.8e-4 for RG-58, 1.5e-4 for RG-213, and less at
// higher frequencies, where alpha/beta falls as 1/sqrt(f). Taken back through 20 m, an
// antenna of 200 - j300 ohm comes out up to 0.7 % away from the exact line's through RG-58,
// 3.6 % through RG-174; both well inside what a datasheet's loss figure is good for. The
// low-loss line keeps the matched loss exactly the fitted datasheet figure.
struct LineConstants {
    std::complex<double> impedanceOhms;
    std::complex<double> gammaPerM;
};
LineConstants lineConstants(const Cable& cable, double frequencyHz);
// The exact lossy line of the same R, L, G and C: the yardstick of the approximation.
LineConstants exactLineConstants(const Cable& cable, double frequencyHz);

// What the meter reads through the line for the antenna's impedance, and back again.
// The way back is infinite for a reading that a lossless image of the antenna cannot give
// (the meter's reading and the cable's loss do not agree); it has no finite value then.
std::complex<double> meterImpedanceOf(std::complex<double> antennaOhms, const Feedline& line,
                                      double frequencyHz);
std::complex<double> antennaImpedanceOf(std::complex<double> meterOhms, const Feedline& line,
                                        double frequencyHz);

// What the line costs with that antenna on it: the matched loss, and the total loss, the
// power going into the line over the power the antenna takes. For an antenna that takes no
// power (R <= 0) the total loss is infinite.
LineLoss lineLossAt(std::complex<double> antennaOhms, const Feedline& line, double frequencyHz);

}  // namespace zm
