// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include "meter/pause.h"

namespace zm {

// The real Pause: the calling thread simply sleeps, no events are processed. The sleep
// is cut into 50 ms slices so that a raised stop flag (set by the SIGTERM handler) ends
// a one-second sweep pause within a slice instead of holding the shutdown.
class BlockingSleeper : public Sleeper {
public:
    BlockingSleeper() = default;
    explicit BlockingSleeper(const std::atomic<bool>& stopRequested)
        : m_stopRequested(&stopRequested) {}

    void sleep(std::chrono::milliseconds duration) override {
        const auto end = std::chrono::steady_clock::now() + duration;
        for (auto now = std::chrono::steady_clock::now(); now < end;
             now = std::chrono::steady_clock::now()) {
            if (m_stopRequested != nullptr && m_stopRequested->load()) {
                return;
            }
            std::this_thread::sleep_for(
                std::min<std::chrono::steady_clock::duration>(end - now, kStopCheckInterval));
        }
    }

private:
    static constexpr std::chrono::milliseconds kStopCheckInterval{50};
    const std::atomic<bool>* m_stopRequested = nullptr;
};

}  // namespace zm
