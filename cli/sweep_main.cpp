// SPDX-License-Identifier: GPL-3.0-or-later
// zm480-sweep: the window's sweep from a terminal. A QCoreApplication, so that it starts
// with no display at all, over SSH or from a script.

#include <QCoreApplication>
#include <csignal>
#include <cstdio>
#include <span>
#include <string>

#include "cli/output_watch.h"
#include "cli/sweep_command.h"
#include "cli/sweep_usage.h"
#include "cli/terminal_words.h"
#include "process/stop_signals.h"

int main(int argc, char** argv) {
    using zm::ExitStatus;
    const std::string closedStream = zm::OutputWatch::openMissingStreams();
    // Before Qt, which takes C.UTF-8 in place of a locale that is not UTF-8 (LANG unset over
    // SSH): the terminal's own character set.
    const bool utf8 = zm::environmentLocaleIsUtf8();
    const auto parsed =
        zm::parseSweepCommandLine(std::span<const char* const>(argv + 1, std::size_t(argc - 1)));
    if (const auto* error = std::get_if<zm::UsageError>(&parsed)) {
        std::fputs(zm::terminalText(zm::usageErrorLine(error->why), utf8).c_str(), stderr);
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
    if (!closedStream.empty()) {
        std::fputs(("zm480-sweep: " + closedStream +
                    " is not open, so nothing was opened or keyed: start zm480-sweep with it "
                    "open (to a file, or /dev/null)\n")
                       .c_str(),
                   stderr);
        return zm::exitCode(ExitStatus::Usage);
    }
    // A reader of standard output that goes away (| head) must not end the command while
    // the transmitter may be keyed: the write fails instead, and says so.
    std::signal(SIGPIPE, SIG_IGN);
    QCoreApplication application(argc, argv);
    zm::StopSignals stopSignals;
    return zm::exitCode(zm::runSweepCommand(line, stopSignals, utf8));
}
