// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/sweep_engine.h"

namespace zm {

// One sweep by the engine on a thread of its own, so that the calling thread (a window's)
// never waits on the radio: rigctld's answers, the PTT guard, the waits while keyed and the
// meter's 0.2 s all pass there. The caller's event loop runs meanwhile and this returns
// once the sweep has ended and its thread is gone.
//
// The rig client and the guard are used on the sweep's thread only; the meter's port, the
// station's rigctld and the reports stay on the caller's, and the sweep calls them there
// (engine/home_thread_devices.h). The sleeper must be one that a stop wakes from any thread.
SweepOutcome sweepOnThreadOfItsOwn(const SweepStation& station, SweepReports& reports,
                                   const SweepStop& stop, const SweepRequest& request);

}  // namespace zm
