// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "meter/pause.h"

namespace zm {

// A stop asked of a sweep: Escape, the close button, a stop signal. request() may come from
// any thread: the sweep sees it at its next step, and the wait it is in ends at once. A
// sweep on a thread of its own waits with StopWaits; one on the window's thread with the
// EventLoopSleeper that request() wakes.
class SweepStop {
public:
    // `wakes`: the sweep's sleeper, woken by a stop; `signalled`: raised by SIGINT, SIGTERM
    // or SIGHUP, which stop a sweep as well.
    explicit SweepStop(Sleeper* wakes = nullptr, const std::atomic<bool>* signalled = nullptr)
        : m_wakes(wakes), m_signalled(signalled) {}

    void request() {
        {
            const std::lock_guard lock(m_mutex);  // a wait between its check and its sleep
            m_requested.store(true);
        }
        m_stopped.notify_all();
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

    // Waits `duration` on the calling thread, or less: a stop ends it at once (a signal,
    // which cannot wake it, within 50 ms).
    void waitUnlessStopped(std::chrono::milliseconds duration) const {
        const auto end = std::chrono::steady_clock::now() + duration;
        std::unique_lock lock(m_mutex);
        while (!requested() && std::chrono::steady_clock::now() < end) {
            m_stopped.wait_until(
                lock, std::min(end, std::chrono::steady_clock::now() + kSignalCheckInterval));
        }
    }

private:
    static constexpr std::chrono::milliseconds kSignalCheckInterval{50};

    std::atomic<bool> m_requested{false};
    Sleeper* m_wakes;
    const std::atomic<bool>* m_signalled;
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_stopped;
};

// The waits of a sweep on a thread of its own: as long as Pause's, ended by its stop.
class StopWaits : public Sleeper {
public:
    explicit StopWaits(const SweepStop& stop) : m_stop(stop) {}
    void sleep(std::chrono::milliseconds duration) override { m_stop.waitUnlessStopped(duration); }

private:
    const SweepStop& m_stop;
};

}  // namespace zm
