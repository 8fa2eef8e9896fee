// SPDX-License-Identifier: GPL-3.0-or-later
// zm480-sweep: the window's sweep from a terminal. A QCoreApplication, so that it starts
// with no display at all, over SSH or from a script.

#include <QCoreApplication>
#include <csignal>
#include <cstdio>
#include <span>

#include "cli/sweep_command.h"
#include "cli/sweep_usage.h"
#include "process/stop_signals.h"

int main(int argc, char** argv) {
    using zm::ExitStatus;
    const auto parsed =
        zm::parseSweepCommandLine(std::span<const char* const>(argv + 1, std::size_t(argc - 1)));
    if (const auto* error = std::get_if<zm::UsageError>(&parsed)) {
        std::fputs(zm::usageErrorLine(error->why).c_str(), stderr);
        std::fputs("Try 'zm480-sweep --help' for more information.\n", stderr);
        return zm::exitCode(ExitStatus::Usage);
    }
    const zm::SweepCommandLine& line = std::get<zm::SweepCommandLine>(parsed);
    switch (line.action) {
        case zm::SweepCommandLine::Action::Help:
            std::fwrite(zm::kSweepUsage.data(), 1, zm::kSweepUsage.size(), stdout);
            return zm::exitCode(ExitStatus::Swept);
        case zm::SweepCommandLine::Action::Version:
            std::fputs(zm::sweepVersionText(ZM_VERSION).c_str(), stdout);
            return zm::exitCode(ExitStatus::Swept);
        case zm::SweepCommandLine::Action::Sweep:
            break;
    }
    // A reader of standard output that goes away (| head) must not end the command while
    // the transmitter may be keyed: the write fails instead, and says so.
    std::signal(SIGPIPE, SIG_IGN);
    QCoreApplication application(argc, argv);
    zm::StopSignals stopSignals;
    return zm::exitCode(zm::runSweepCommand(line, stopSignals));
}
