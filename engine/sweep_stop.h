// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <atomic>

#include "meter/pause.h"

namespace zm {

// A stop asked of a sweep: Escape, the close button, a stop signal. request() may come from
// any thread: the sweep sees it at its next step, and the wait it is in ends at once. A
// sweep on a thread of its own waits with a BlockingSleeper on flag(); one on the window's
// thread with the EventLoopSleeper that request() wakes.
class SweepStop {
public:
    // `wakes`: the sweep's sleeper, woken by a stop; `signalled`: raised by SIGINT, SIGTERM
    // or SIGHUP, which stop a sweep as well.
    explicit SweepStop(Sleeper* wakes = nullptr, const std::atomic<bool>* signalled = nullptr)
        : m_wakes(wakes), m_signalled(signalled) {}

    void request() {
        m_requested.store(true);
        if (m_wakes != nullptr) {
            m_wakes->wake();
        }
    }
    // Before a new run: a stop asked of the last one does not stop it.
    void clear() { m_requested.store(false); }
    bool requested() const {
        return m_requested.load() || (m_signalled != nullptr && m_signalled->load());
    }
    const std::atomic<bool>& flag() const { return m_requested; }

private:
    std::atomic<bool> m_requested{false};
    Sleeper* m_wakes;
    const std::atomic<bool>* m_signalled;
};

}  // namespace zm
