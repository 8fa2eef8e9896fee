// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

#include "feedline/transmission_line.h"
#include "results/sweep_record.h"

namespace zm {

// The record with its readings at `wanted`. A record at the meter is turned back through
// the feedline to the antenna; one at the antenna (a file or memory saved there) forward to
// the meter; one already at `wanted` is never turned again. Without a feedline the record
// stays as it is. With a feedline every point also gets the line's loss for its antenna
// impedance, and the record names the feedline.
//
// This is the one place where a reading can lose its value at the antenna: a point whose
// reading has no antenna behind it (see readingAtPlane) keeps its frequency and is marked
// SkipReason::BeyondFeedlineLoss, without a reading, how it was taken or a line loss, so
// that the chart, the markers, the Smith chart and the refine rule leave it out alike; it
// keeps the meter's reading, which the files hold and which comes back at the meter. At
// the meter every reading stays.
SweepRecord recordAtPlane(const SweepRecord& record, Plane wanted, const Feedline* line);

// A memory's record at `wanted`, as recordAtPlane gives it; but one with no point that has
// a value there, only the meter's values beyond the feedline's loss, is shown at the meter
// rather than as nothing, and `why` says so: "at the meter: no point has a value at the
// antenna through 20 m of RG-58". `why` is empty otherwise.
SweepRecord memoryAtPlane(const SweepRecord& record, Plane wanted, const Feedline* line,
                          std::string& why);

// One reading moved through the line: to the antenna, or to the meter. The power stays the
// meter's; the SWR is the one the impedance gives against 50 ohm. None when the impedance
// has no finite value there, and at the antenna when its resistance is not above 0: the
// meter then read more reflection than the line's two-way loss lets any antenna give back.
// (Through 20 m of RG-58 at 28.5 MHz that is any SWR above about 6.6 at the meter.)
std::optional<PointReading> readingAtPlane(const PointReading& reading, Plane from, Plane to,
                                           const Feedline& line, double frequencyHz);

// What the window says above the chart when a record shown at the antenna has such points:
// "3 points read more reflection than 20 m of RG-58 can return: check the cable and length
// in Setup, Feedline"; empty when it has none.
std::string beyondLossNotice(const SweepRecord& shown);

}  // namespace zm
