// SPDX-License-Identifier: GPL-3.0-or-later
// The cable list's fitted losses against the datasheets' figures, and the low-loss line
// against the exact one, for the closing notes of a change to cables.list:
// build/bench-feedline [cables.list folder, default: beside the program].
//
// At 1.8, 14 and 54 MHz the datasheet's figure is read between its two nearest figures on
// a log-log line ("~"), or carried below its lowest one as sqrt(f) ("*").

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "feedline/cable_list.h"
#include "feedline/transmission_line.h"

namespace {

using zm::Cable;
using zm::LossPoint;

// The datasheet's loss at a frequency between its figures; `carried` when below them all.
double datasheetAt(const std::vector<LossPoint>& sheet, double mhz, bool& carried) {
    carried = mhz < sheet.front().frequencyMHz;
    if (carried) {
        return sheet.front().dbPer100m * std::sqrt(mhz / sheet.front().frequencyMHz);
    }
    for (std::size_t i = 1; i < sheet.size(); ++i) {
        if (mhz <= sheet[i].frequencyMHz) {
            const LossPoint& a = sheet[i - 1];
            const LossPoint& b = sheet[i];
            const double slope =
                std::log(b.dbPer100m / a.dbPer100m) / std::log(b.frequencyMHz / a.frequencyMHz);
            return a.dbPer100m * std::pow(mhz / a.frequencyMHz, slope);
        }
    }
    return sheet.back().dbPer100m;
}

// The largest relative difference of Z0 and gamma from 1.8 to 54 MHz.
double worstApproximation(const Cable& cable) {
    double worst = 0.0;
    for (double mhz = 1.8; mhz <= 54.0; mhz *= 1.01) {
        const auto low = zm::lineConstants(cable, mhz * 1e6);
        const auto exact = zm::exactLineConstants(cable, mhz * 1e6);
        worst = std::max({worst, std::abs(low.impedanceOhms / exact.impedanceOhms - 1.0),
                          std::abs(low.gammaPerM / exact.gammaPerM - 1.0)});
    }
    return worst;
}

}  // namespace

int main(int argc, char** argv) {
    const std::filesystem::path folder =
        argc > 1 ? std::filesystem::path(argv[1])
                 : std::filesystem::read_symlink("/proc/self/exe").parent_path();
    std::string whyNot;
    const std::vector<Cable> cables = zm::loadCableList(folder, whyNot);
    if (!whyNot.empty()) {
        std::fprintf(stderr, "bench-feedline: %s\n", whyNot.c_str());
        return 1;
    }
    std::printf("dB per 100 m; fit = k1 sqrt(f) + k2 f, f in MHz\n");
    std::printf("%-20s %7s %8s | %-17s | %-17s | %-17s | %-9s | %s\n", "cable", "k1", "k2",
                "1.8 MHz fit/sheet", "14 MHz fit/sheet", "54 MHz fit/sheet", "worst pt",
                "Z0,gamma");
    for (const Cable& cable : cables) {
        std::printf("%-20s %7.4f %8.5f", cable.name.c_str(), cable.loss.k1, cable.loss.k2);
        for (const double mhz : {1.8, 14.0, 54.0}) {
            bool carried = false;
            const double sheet = datasheetAt(cable.datasheet, mhz, carried);
            std::printf(" | %6.2f / %6.2f%c ", cable.loss.dbPer100m(mhz), sheet,
                        carried ? '*' : '~');
        }
        double worst = 0.0;
        for (const LossPoint& point : cable.datasheet) {
            const double off = cable.loss.dbPer100m(point.frequencyMHz) / point.dbPer100m - 1.0;
            worst = std::fabs(off) > std::fabs(worst) ? off : worst;
        }
        std::printf(" | %+7.1f %% | %.1e\n", 100.0 * worst, worstApproximation(cable));
    }
    return 0;
}
