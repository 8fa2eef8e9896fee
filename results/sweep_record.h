// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <complex>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "meter/meter_record.h"
#include "results/impedance.h"
#include "results/point_taking.h"

namespace zm {

// What the meter said at one sweep point. The phase is signed (positive for an inductive
// load), unlike the readout's X. A Touchstone file carries no power.
struct PointReading {
    std::optional<double> power;
    double zOhms = 0.0;
    double phaseDegrees = 0.0;
    double swr = 0.0;

    std::complex<double> impedance() const;  // R + jX, exact pi/180
    double rho() const;                      // |Gamma| against 50 ohm
    friend bool operator==(const PointReading&, const PointReading&) = default;
};

// What the feedline costs at a point whose reading was moved to the antenna: the cable's
// matched loss, and its total loss with the mismatch of the antenna, dB.
struct LineLoss {
    double matchedDb = 0.0;
    double totalDb = 0.0;
    friend bool operator==(const LineLoss&, const LineLoss&) = default;
};

// One point: the frequency the radio was tuned to and the reading taken there, or none
// when that point's poll was rejected; how it was taken, when that is known (a Touchstone
// file does not say); the feedline's loss there, when the reading was moved to the antenna.
// A point the sweep did not key has the frequency it would have had, no reading, and the
// reason it was skipped. A point keyed but beyond the feedline's loss has no reading at the
// antenna; it keeps what the meter read there.
struct SweepPoint {
    std::int64_t frequencyHz = 0;
    std::optional<PointReading> reading;
    std::optional<PointTaking> taken = std::nullopt;
    std::optional<LineLoss> lineLoss = std::nullopt;
    std::optional<SkipReason> skipped = std::nullopt;
    std::optional<PointReading> meterReading = std::nullopt;  // beyond the feedline's loss
    friend bool operator==(const SweepPoint&, const SweepPoint&) = default;
};

// Where a record's readings stand: at the meter, as taken, or at the antenna, with the
// feedline taken out of them.
enum class Plane { Meter, Antenna };

// How the sweep was planned, for the comment lines of an exported file.
struct SweepNotes {
    std::string takenAt;  // local date and time of the first point, "2024-05-01 14:03:22"
    double startMHz = 0.0;
    double stopMHz = 0.0;
    double stepMHz = 0.0;
    std::int16_t carrierMode = 0;  // the rig's code, as the plan holds it
    std::string antenna = {};      // the antenna swept, as the history names it; empty: none
};

// The last sweep point by point, beside the plot grid: the grid keeps what the plot mode
// showed, the record keeps every value of every point. Points are in sweep order, so their
// frequencies rise.
struct SweepRecord {
    SweepNotes notes;
    std::vector<SweepPoint> points;
    Plane plane = Plane::Meter;
    std::string feedline =
        {};  // the feedline between meter and antenna, "20 m of RG-58"; empty: none

    bool empty() const { return points.empty(); }
    bool hasReadings() const;
    // A reading at its plane, or the meter's of a point beyond the feedline's loss: what
    // a file or a memory keeps of a sweep.
    bool hasMeasurements() const;
    // The points the transmitter was keyed for: those taken, and those beyond the loss.
    int keyedPoints() const;
};

// The plane and the feedline as a file's comment says them: "antenna; feedline 20 m of
// RG-58", "meter; feedline 20 m of RG-58", or "meter" without a feedline. No comma, so a
// spreadsheet keeps the comment in one cell.
std::string planeNote(const SweepRecord& record);
// Reads what planeNote wrote into the record; anything else leaves it at the meter.
void readPlaneNote(std::string_view note, SweepRecord& record);

// The point's reading when its poll was accepted; none otherwise, whatever the meter
// reading still holds from an earlier poll.
std::optional<PointReading> pointReadingOf(const MeterReading& reading, bool pollAccepted);

}  // namespace zm
