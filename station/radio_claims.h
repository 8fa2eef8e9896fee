// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

#include "process/program_lock.h"

namespace zm {

// One sweep at a time on a radio, whichever copy of the program runs it: two copies with
// their own settings folders may reach the same radio through the same rigctld port, or the
// same serial device, and would key it at each other's frequencies.
class RadioClaims {
public:
    virtual ~RadioClaims() = default;
    // Claims the radio at rigctld's port and, when it is a path, its device, until release().
    // False when another sweep holds it, with that program's process number (0 when unknown).
    virtual bool claim(std::uint16_t port, const std::string& device, pid_t& holder) = 0;
    virtual void release() = 0;
};

// The claims of this computer, held as ProgramLocks.
class ProgramRadioClaims : public RadioClaims {
public:
    bool claim(std::uint16_t port, const std::string& device, pid_t& holder) override;
    void release() override { m_held.clear(); }

private:
    std::vector<ProgramLock> m_held;
};

}  // namespace zm
