// SPDX-License-Identifier: GPL-3.0-or-later
// The cable list's loss models against the datasheets' figures, for the closing notes of a
// change to cables.list:
//
//   build/bench-feedline [FOLDER [SHEETS]]
//
// FOLDER holds the cables.list whose models are shown (default: beside the program). With
// SHEETS, a folder holding another cables.list, each model is held against the figures of
// the cable of the same name there instead of its own: an older list's models against a
// corrected list's figures.
//
// Between two figures the datasheet is read on a log-log line ("~"); below its lowest figure
// it is carried as sqrt(f), above its highest as f ("*"). "worst HF" is the largest
// difference from 1.8 to 54 MHz, "worst pt" the largest at a figure from 1 to 60 MHz.

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "feedline/cable_list.h"

namespace {

using zm::Cable;
using zm::LossPoint;

// The datasheet's loss at a frequency between its figures; `carried` when outside them.
double datasheetAt(const std::vector<LossPoint>& sheet, double mhz, bool& carried) {
    carried = mhz < sheet.front().frequencyMHz || mhz > sheet.back().frequencyMHz;
    if (mhz < sheet.front().frequencyMHz) {
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
    return sheet.back().dbPer100m * mhz / sheet.back().frequencyMHz;
}

// The model's relative difference from the sheet at a frequency.
double offAt(const Cable& model, const std::vector<LossPoint>& sheet, double mhz) {
    bool carried = false;
    return model.loss.dbPer100m(mhz) / datasheetAt(sheet, mhz, carried) - 1.0;
}

// The difference of largest size, with its sign.
double worse(double a, double b) {
    return std::fabs(b) > std::fabs(a) ? b : a;
}

std::vector<Cable> listIn(const std::filesystem::path& folder) {
    std::string whyNot;
    std::vector<Cable> cables = zm::loadCableList(folder, whyNot);
    if (!whyNot.empty()) {
        std::fprintf(stderr, "bench-feedline: %s\n", whyNot.c_str());
        std::exit(1);
    }
    return cables;
}

}  // namespace

int main(int argc, char** argv) {
    const std::filesystem::path folder =
        argc > 1 ? std::filesystem::path(argv[1])
                 : std::filesystem::read_symlink("/proc/self/exe").parent_path();
    const std::vector<Cable> cables = listIn(folder);
    const std::vector<Cable> sheets = argc > 2 ? listIn(argv[2]) : cables;
    std::printf("dB per 100 m, model / sheet\n");
    std::printf("%-20s | %-17s | %-17s | %-17s | %-8s | %s\n", "cable", "1.8 MHz", "14 MHz",
                "54 MHz", "worst HF", "worst pt");
    for (const Cable& cable : cables) {
        const Cable* sheetCable = zm::cableNamed(sheets, cable.name);
        if (!sheetCable) {
            std::printf("%-20s | not in the sheets' list\n", cable.name.c_str());
            continue;
        }
        const std::vector<LossPoint>& sheet = sheetCable->datasheet;
        std::printf("%-20s", cable.name.c_str());
        for (const double mhz : {1.8, 14.0, 54.0}) {
            bool carried = false;
            const double figure = datasheetAt(sheet, mhz, carried);
            std::printf(" | %6.2f / %6.2f%c ", cable.loss.dbPer100m(mhz), figure,
                        carried ? '*' : '~');
        }
        double worstHf = 0.0;
        for (double mhz = 1.8; mhz <= 54.0; mhz *= 1.01) {
            worstHf = worse(worstHf, offAt(cable, sheet, mhz));
        }
        worstHf = worse(worstHf, offAt(cable, sheet, 54.0));
        double worstPoint = 0.0;
        for (const LossPoint& point : sheet) {
            if (point.frequencyMHz >= 1.0 && point.frequencyMHz <= 60.0) {
                worstPoint = worse(worstPoint, offAt(cable, sheet, point.frequencyMHz));
            }
        }
        std::printf(" | %+6.1f %% | %+6.1f %%\n", 100.0 * worstHf, 100.0 * worstPoint);
    }
    return 0;
}
