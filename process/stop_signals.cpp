// SPDX-License-Identifier: GPL-3.0-or-later

#include "process/stop_signals.h"

#include <fcntl.h>
#include <unistd.h>
#include <QSocketNotifier>
#include <csignal>

namespace zm {

namespace {

std::atomic<bool> g_stopRequested{false};
int g_pipe[2] = {-1, -1};

void onStopSignal(int) {
    StopSignals::requestStop();
}

}  // namespace

StopSignals::StopSignals() {
    g_stopRequested.store(false);
    if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;  // without the pipe the signals keep their default: the program just ends
    }
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        while (::read(g_pipe[0], bytes, sizeof bytes) > 0) {
        }
        emit stopRequested();
    });
    struct sigaction action = {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        sigaction(signal, &action, nullptr);
    }
}

StopSignals::~StopSignals() {
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        std::signal(signal, SIG_DFL);
    }
    delete m_notifier;
    for (int& end : g_pipe) {
        if (end >= 0) {
            ::close(end);
            end = -1;
        }
    }
}

void StopSignals::requestStop() {
    g_stopRequested.store(true);
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(g_pipe[1], &byte, 1);
}

const std::atomic<bool>* StopSignals::flag() const {
    return &g_stopRequested;
}

}  // namespace zm
