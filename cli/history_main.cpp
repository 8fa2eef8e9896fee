// SPDX-License-Identifier: GPL-3.0-or-later
// zm480-history: the history of the station's antennas, for scripts and SSH. A
// QCoreApplication, so that it reads the settings folder as zm480-sweep does, with no display.

#include <QCoreApplication>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <span>

#include "cli/history_command.h"
#include "cli/history_usage.h"

int main(int argc, char** argv) {
    using zm::HistoryExit;
    const auto parsed = zm::parseHistoryCommandLine(
        std::span<const char* const>(argv + 1, static_cast<std::size_t>(argc - 1)));
    if (const auto* error = std::get_if<zm::UsageError>(&parsed)) {
        std::cerr << "zm480-history: " << error->why << "\n"
                  << "Try 'zm480-history --help' for more information.\n";
        return static_cast<int>(HistoryExit::Usage);
    }
    const zm::HistoryCommandLine& line = std::get<zm::HistoryCommandLine>(parsed);
    if (line.action == zm::HistoryCommandLine::Action::Help) {
        std::fwrite(zm::kHistoryUsage.data(), 1, zm::kHistoryUsage.size(), stdout);
        return static_cast<int>(HistoryExit::Done);
    }
    if (line.action == zm::HistoryCommandLine::Action::Version) {
        std::fputs(zm::historyVersionText(ZM_VERSION).c_str(), stdout);
        return static_cast<int>(HistoryExit::Done);
    }
    // A reader that goes away (| head) ends the output, not the program mid-write.
    std::signal(SIGPIPE, SIG_IGN);
    QCoreApplication application(argc, argv);
    return static_cast<int>(
        zm::runHistoryCommand(line, QCoreApplication::applicationDirPath(), std::cout, std::cerr));
}
