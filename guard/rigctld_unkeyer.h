// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <chrono>
#include <string>

#include "guard/guard_command_line.h"

namespace zm {

// The guard's own connection to rigctld. It is opened when the guard starts and then carries
// nothing until the transmitter must be unkeyed:
//
//   guard:   \chk_vfo             (at start; rigctld answers "0", or "1" in VFO mode)
//   rigctld: 0
//   guard:   +T 0                 ("+T currVFO 0" in VFO mode)
//   rigctld: set_ptt: 0
//            RPRT 0
//
// Hamlib 4.5.4's rigctld closes a departing client's socket several times, and a connection
// accepted in that instant is cut; the window's own connection departs at exactly the moment
// the guard must act. So an unkey reconnects and tries again until its time is spent.
class RigctldUnkeyer {
public:
    // Bounds opening the connection at start: a refused connect fails at once.
    static constexpr std::chrono::milliseconds kOpenTime{3000};
    // How long an unkey keeps trying, reconnecting after each failure.
    static constexpr std::chrono::milliseconds kUnkeyTime{5000};

    explicit RigctldUnkeyer(RigEndpoint endpoint);
    RigctldUnkeyer(const RigctldUnkeyer&) = delete;
    RigctldUnkeyer& operator=(const RigctldUnkeyer&) = delete;
    ~RigctldUnkeyer();

    // Connects and checks that rigctld answers. False with a sentence for the user, without a
    // closing full stop, in whyNot.
    bool open(std::string& whyNot);

    // Sends "T 0" until rigctld answers RPRT 0, the radio refuses it (RPRT -9: Yaesu's binary
    // CAT refuses to unkey a radio that is not keyed) or `within` has passed. False with the
    // last failure in whyNot, e.g. "no rig-control server answers at 127.0.0.1:4532".
    bool unkey(std::string& whyNot, std::chrono::milliseconds within = kUnkeyTime);

private:
    using Clock = std::chrono::steady_clock;

    bool connectAndCheck(Clock::time_point deadline, std::string& whyNot);
    // The answer's status, or a kRig* status for an exchange that failed.
    int sendUnkey(Clock::time_point deadline, std::string& whyNot);
    void disconnect();

    RigEndpoint m_endpoint;
    int m_socket = -1;
    bool m_vfoMode = false;
};

}  // namespace zm
