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

// True once `answer` holds the two RPRT lines that end the answer above.
bool isCompleteRigAnswer(std::string_view answer);

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

private:
    bool connectToRig();
    void disconnect();

    static constexpr std::chrono::milliseconds kQueryTimeout{120};

    std::string m_host;
    std::string m_port;
    int m_socket = -1;
};

}  // namespace zm::sim
