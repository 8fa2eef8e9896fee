// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include "guard/guard_command_line.h"

namespace zm {

// Blocking exchanges with a program on this computer, each bounded by a deadline: the
// guard's connections to rigctld.
using GuardClock = std::chrono::steady_clock;

// False when the deadline passed first.
bool waitForSocket(int socket, short events, GuardClock::time_point deadline);

// A connected socket, or -1.
int connectWithin(const RigEndpoint& endpoint, GuardClock::time_point deadline);

// Whether the program listening at the endpoint takes (accept()s) a new connection before the
// deadline: one that runs does so at once, also while it is too busy to answer; one that is
// stopped leaves it in the kernel's queue, though the connect itself succeeds.
bool connectionTakenWithin(const RigEndpoint& endpoint, GuardClock::time_point deadline);

bool sendAll(int socket, std::string_view bytes, GuardClock::time_point deadline);

enum class Received { More, Closed, TimedOut };

// Appends what arrives before the deadline.
Received receiveMore(int socket, std::string& received, GuardClock::time_point deadline);

}  // namespace zm
