// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <chrono>

namespace zm {

// A wait of Pause. The idle poll's wait holds the UI thread and processes no window
// events, so typed input waits for it; the sweep's waits let the window paint and answer
// the desktop meanwhile, and wake() ends such a wait at once (Escape, the close button).
class Sleeper {
public:
    virtual ~Sleeper() = default;
    virtual void sleep(std::chrono::milliseconds duration) = 0;
    virtual void wake() {}
};

// seconds x 1000 milliseconds, the fraction of a millisecond dropped (0.2 -> 200 ms).
constexpr std::chrono::milliseconds pauseDuration(float seconds) {
    return std::chrono::milliseconds(static_cast<long long>(seconds * 1000.0f));
}

}  // namespace zm
