// SPDX-License-Identifier: GPL-3.0-or-later
#include "process/guard_program.h"

#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <thread>

#include "process/process_end.h"

extern char** environ;

namespace zm {

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::chrono::milliseconds kReapPollInterval{2};

}  // namespace

std::optional<GuardChild> spawnGuardProgram(const std::string& program,
                                            const std::vector<std::string>& arguments,
                                            std::string& whyNot) {
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
        whyNot = "The PTT guard could not be started: " + std::string(std::strerror(errno));
        return std::nullopt;
    }
    // The guard's end becomes its stdin and stdout; it keeps the window's stderr. No other
    // descriptor of the window goes with it: not the window's own rigctld connection, not
    // the serial port, and above all not the window's end of the pair, whose closing is how
    // the guard learns that the window has gone.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
    // The guard sets its own signal dispositions; it starts from the defaults, nothing blocked.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigset_t all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    std::vector<std::string> words{program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    GuardChild child;
    const int error =
        ::posix_spawn(&child.pid, program.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    ::close(ends[1]);
    if (error != 0) {
        ::close(ends[0]);
        whyNot =
            error == ENOENT
                ? "The PTT guard zm480-ptt-guard was not found beside zm480-plot (" + program +
                      "); reinstall ZM-480 Plot"
                : "The PTT guard " + program + " could not be started: " + std::strerror(error);
        return std::nullopt;
    }
    child.socket = ends[0];
    return child;
}

std::optional<std::string> reapWithin(pid_t child, std::chrono::milliseconds wait) {
    const auto deadline = Clock::now() + wait;
    for (;;) {
        int status = 0;
        const pid_t reaped = ::waitpid(child, &status, WNOHANG);
        if (reaped == child) {
            return howProcessEnded(status);
        }
        if (reaped < 0 && errno != EINTR) {
            return "it ended";  // reaped already, e.g. with SIGCHLD ignored
        }
        if (Clock::now() >= deadline) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(kReapPollInterval);
    }
}

}  // namespace zm
