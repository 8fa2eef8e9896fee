#pragma once

#include <chrono>

namespace zm {

// The blocking wait of the poll and the sweep: it holds the UI thread and processes
// no window events, so nothing can interleave with a poll or a sweep step.
class Sleeper {
public:
    virtual ~Sleeper() = default;
    virtual void sleep(std::chrono::milliseconds duration) = 0;
};

// seconds x 1000 milliseconds, the fraction of a millisecond dropped (0.2 -> 200 ms).
constexpr std::chrono::milliseconds pauseDuration(float seconds) {
    return std::chrono::milliseconds(static_cast<long long>(seconds * 1000.0f));
}

}  // namespace zm
