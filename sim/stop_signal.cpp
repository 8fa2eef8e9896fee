// SPDX-License-Identifier: GPL-3.0-or-later

#include "sim/stop_signal.h"

#include <csignal>

namespace zm::sim {
namespace {

volatile std::sig_atomic_t g_stopSignal = 0;

void onStopSignal(int signalNumber) {
    g_stopSignal = signalNumber;
}

}  // namespace

void installStopHandlers() {
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

bool stopRequested() {
    return g_stopSignal != 0;
}

}  // namespace zm::sim
