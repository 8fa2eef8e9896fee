// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/radio_session.h"

namespace zm {

RadioSession::~RadioSession() {
    leaveUnkeyed();
    try {
        m_guard.finish();
    } catch (...) {  // the claim is released all the same
    }
    if (m_claims != nullptr) {
        m_claims->release();
    }
}

bool RadioSession::claim(std::uint16_t port, const std::string& device, pid_t& holder) {
    return m_claims == nullptr || m_claims->claim(port, device, holder);
}

int RadioSession::key() {
    m_keyed = true;
    return m_transceiver->SetPTT(1);
}

int RadioSession::unkey() {
    const int status = m_transceiver->SetPTT(0);
    if (status >= 0) {
        m_keyed = false;
        m_guard.unkeyed();
    }
    return status;
}

bool RadioSession::leaveUnkeyed() noexcept {
    if (m_keyed && m_transceiver) {
        try {
            unkey();
        } catch (...) {  // a client that throws leaves it to the guard
        }
    }
    return !m_keyed;
}

}  // namespace zm
