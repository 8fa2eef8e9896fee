// SPDX-License-Identifier: GPL-3.0-or-later

#include "meter/blocking_sleeper.h"

#include <gtest/gtest.h>

#include <thread>

namespace zm {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// The bounds below are 20 s against a 50 ms check: they only tell "ended early" from
// "slept the whole 30 s".
constexpr auto kLongSleep = 30s;
constexpr auto kEndedEarly = 20s;

TEST(BlockingSleeper, SleepsAtLeastTheWholeDuration) {
    BlockingSleeper sleeper;
    const auto start = Clock::now();
    sleeper.sleep(120ms);
    EXPECT_GE(Clock::now() - start, 120ms);
}

TEST(BlockingSleeper, StopRequestedBeforeSleepEndsItAtOnce) {
    std::atomic<bool> stop{true};
    BlockingSleeper sleeper(stop);
    const auto start = Clock::now();
    sleeper.sleep(kLongSleep);
    EXPECT_LT(Clock::now() - start, kEndedEarly);
}

TEST(BlockingSleeper, StopRequestedDuringSleepEndsIt) {
    std::atomic<bool> stop{false};
    BlockingSleeper sleeper(stop);
    std::thread signaller([&] {
        std::this_thread::sleep_for(100ms);
        stop = true;
    });
    const auto start = Clock::now();
    sleeper.sleep(kLongSleep);
    const auto slept = Clock::now() - start;
    signaller.join();
    EXPECT_LT(slept, kEndedEarly);
    EXPECT_TRUE(stop.load());
}

}  // namespace
}  // namespace zm
