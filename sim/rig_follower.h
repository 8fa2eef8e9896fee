// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace zm::sim {

// What the simulated meter needs to know of the transceiver.
struct RigState {
    double frequencyMHz = 0.0;
    bool keyed = false;
};

// The answer of rigctld (Hamlib 4.5, extended protocol) to "+f\n+t\n":
//
//   get_freq:
//   Frequency: 14100000
//   RPRT 0
//   get_ptt:
//   PTT: 1
//   RPRT 0
//
// No state unless both queries answered RPRT 0 with their value line. PTT 2 and 3
// (keyed from the data or mic input) count as keyed too.
std::optional<RigState> parseRigState(std::string_view answer);

// The answer to "+t\n" alone, "get_ptt:\nPTT: 1\nRPRT 0\n": whether the rig is keyed.
std::optional<bool> parseKeyed(std::string_view answer);

// True once `answer` holds the RPRT lines that end the answers of `replies` commands.
bool isCompleteRigAnswer(std::string_view answer, std::size_t replies = 2);

// Asks a running rigctld over TCP on every call, keeping the connection between calls
// and dropping it after any failure. The meter must answer within its 200 ms, so one
// query gives up after kQueryTimeout.
class RigFollower {
public:
    RigFollower(std::string host, std::string port);
    ~RigFollower();
    RigFollower(const RigFollower&) = delete;
    RigFollower& operator=(const RigFollower&) = delete;

    // No state when the rig cannot be reached or does not answer in time.
    std::optional<RigState> query();
    // Only whether it is keyed: a quick question, to be asked often.
    std::optional<bool> queryKeyed();

private:
    std::optional<std::string> exchange(std::string_view request, std::size_t replies);
    bool connectToRig();
    void disconnect();

    static constexpr std::chrono::milliseconds kQueryTimeout{120};

    std::string m_host;
    std::string m_port;
    int m_socket = -1;
};

}  // namespace zm::sim
