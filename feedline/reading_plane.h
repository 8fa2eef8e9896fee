// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "feedline/transmission_line.h"
#include "results/sweep_record.h"

namespace zm {

// The record with its readings at `wanted`. A record at the meter is turned back through
// the feedline to the antenna; one at the antenna (a file or memory saved there) forward to
// the meter; one already at `wanted` is never turned again. Without a feedline the record
// stays as it is. With a feedline every point also gets the line's loss for its antenna
// impedance, and the record names the feedline.
SweepRecord recordAtPlane(const SweepRecord& record, Plane wanted, const Feedline* line);

// One reading moved through the line: to the antenna, or to the meter. The power stays the
// meter's; the SWR is the one the impedance gives against 50 ohm. None when the impedance
// has no finite value there.
std::optional<PointReading> readingAtPlane(const PointReading& reading, Plane from, Plane to,
                                           const Feedline& line, double frequencyHz);

}  // namespace zm
