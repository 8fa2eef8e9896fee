// SPDX-License-Identifier: GPL-3.0-or-later
// zm480-cat-sim: a Yaesu FT-817's CAT port on a pseudo-terminal, so that a real rigctld
// with Hamlib's FT-817 backend drives it as it would the radio. See catSimHelpText().

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <iostream>

#include "sim/cat_sim_options.h"
#include "sim/ft817_cat.h"
#include "sim/pseudo_terminal.h"
#include "sim/simulator_main.h"
#include "sim/stop_signal.h"

namespace zm::sim {
namespace {

constexpr std::chrono::milliseconds kIdlePoll{200};
// Answers nobody reads are dropped past this, so a stalled reader cannot grow memory.
constexpr std::size_t kMaxUnsentBytes = 64 * 1024;

volatile std::sig_atomic_t g_powerButtonPresses = 0;

void onPowerButton(int) {
    g_powerButtonPresses = g_powerButtonPresses + 1;
}

// SIGUSR1 interrupts the poll, so a press is seen at once.
void installPowerButton() {
    struct sigaction action {};
    action.sa_handler = onPowerButton;
    sigemptyset(&action.sa_mask);
    sigaction(SIGUSR1, &action, nullptr);
}

// Writes what the pty takes now; keeps the rest for POLLOUT.
void writeSome(int fd, std::string& unsent) {
    const ssize_t written = ::write(fd, unsent.data(), unsent.size());
    if (written > 0) {
        unsent.erase(0, static_cast<std::size_t>(written));
    } else if (written < 0 && errno != EAGAIN && errno != EINTR) {
        unsent.clear();
    }
}

int run(const CatSimOptions& options) {
    installStopHandlers();  // before the banner: whoever reads it may stop us at once
    installPowerButton();
    PseudoTerminal pty;
    const PtyLink link(options.linkPath, pty.slavePath());
    std::cout << "zm480-cat-sim: FT-817 on " << link.description() << std::endl;

    Ft817Cat radio(options.start);
    std::string unsent;
    char buffer[512];
    std::sig_atomic_t pressesSeen = 0;
    while (!stopRequested()) {
        for (; pressesSeen != g_powerButtonPresses; ++pressesSeen) {
            std::cout << "- | " << radio.pressPowerButton() << " | -" << std::endl;
        }
        pollfd entry{pty.masterFd(), static_cast<short>(POLLIN | (unsent.empty() ? 0 : POLLOUT)),
                     0};
        if (::poll(&entry, 1, static_cast<int>(kIdlePoll.count())) <= 0) {
            continue;
        }
        if ((entry.revents & POLLIN) != 0) {
            const ssize_t count = ::read(pty.masterFd(), buffer, sizeof buffer);
            const std::string_view bytes(buffer, count > 0 ? static_cast<std::size_t>(count) : 0);
            for (const Ft817Exchange& exchange : radio.receive(bytes)) {
                // The line goes out before the answer: once rigctld has its answer, a
                // reader of this transcript already has the line.
                std::cout << hexBytes(exchange.command) << " | " << exchange.words << " | "
                          << (exchange.answer.empty() ? "-" : hexBytes(exchange.answer))
                          << std::endl;
                if (unsent.size() < kMaxUnsentBytes) {
                    unsent += exchange.answer;
                }
            }
        }
        if (!unsent.empty()) {
            writeSome(pty.masterFd(), unsent);
        }
    }
    std::cout << "state: " << describe(radio.state()) << std::endl;
    return 0;
}

}  // namespace
}  // namespace zm::sim

int main(int argc, char** argv) {
    return zm::sim::simulatorMain("zm480-cat-sim", argc, argv, zm::sim::parseCatSimOptions,
                                  zm::sim::catSimHelpText(), zm::sim::run);
}
