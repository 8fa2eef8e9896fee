// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <sys/types.h>

#include <cstdint>
#include <memory>
#include <string>

#include "station/radio_claims.h"
#include "sweep/ptt_guard.h"
#include "sweep/rig_control.h"

namespace zm {

// The radio for one sweep: claimed against other copies of the program, watched by the PTT
// guard, and keyed only through here. However the sweep ends (its last point, a stop, a
// refusal, an exception of any kind), the end of the session unkeys a transmitter that may
// still be keyed, finishes the guard and releases the claim, so that the next sweep finds
// the radio free. A transmitter that will not unkey is left to the guard, which unkeys it on
// a connection of its own.
class RadioSession {
public:
    // `claims`: none where no other copy can be kept out (tests).
    RadioSession(PttGuard& guard, RadioClaims* claims) : m_guard(guard), m_claims(claims) {}
    ~RadioSession();
    RadioSession(const RadioSession&) = delete;
    RadioSession& operator=(const RadioSession&) = delete;

    // The radio at rigctld's port and, when the program runs rigctld for it, its device.
    // False when another sweep holds it, with that program's process number (0 unknown).
    bool claim(std::uint16_t port, const std::string& device, pid_t& holder);
    // The transceiver that key() and unkey() drive.
    void use(std::shared_ptr<Transceiver> transceiver) { m_transceiver = std::move(transceiver); }

    // SetPTT 1. Keyed from the request on: a failed answer may still have keyed it.
    int key();
    // SetPTT 0; the guard hears of a success.
    int unkey();
    bool keyed() const { return m_keyed; }
    // Unkeys once more on whatever connection is left, if the transmitter may be keyed; false
    // when it may still be. Never throws.
    bool leaveUnkeyed() noexcept;

private:
    PttGuard& m_guard;
    RadioClaims* m_claims;
    std::shared_ptr<Transceiver> m_transceiver;
    bool m_keyed = false;
};

}  // namespace zm
