// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "engine/sweep_reports.h"

namespace zm {

// A sweep that cannot go on, thrown from the step that finds it so. The text tells the user
// what failed and what to do; it is empty when the stop was asked for. Only the engine
// throws and catches it.
class SweepStopped : public std::runtime_error {
public:
    explicit SweepStopped(const std::string& message, SweepEnd end = SweepEnd::Stopped)
        : std::runtime_error(message), m_end(end) {}
    SweepEnd end() const { return m_end; }

private:
    SweepEnd m_end;
};

// "The sweep stopped. No rig-control server answers at 127.0.0.1:4532; start rigctld ...
//  Check the radio and rigctld, then press Run again."
inline SweepStopped failure(std::string_view whatFailed) {
    return SweepStopped("The sweep stopped. " + std::string(whatFailed) +
                        ". Check the radio and rigctld, then press Run again.");
}

}  // namespace zm
