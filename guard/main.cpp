// SPDX-License-Identifier: GPL-3.0-or-later
// zm480-ptt-guard: unkeys the transmitter when the ZM-480 Plot window cannot (see --help).

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <optional>
#include <span>

#include "guard/guard_command_line.h"
#include "guard/guard_watch.h"
#include "guard/rigctld_supervisor.h"
#include "guard/rigctld_unkeyer.h"
#include "sweep/ptt_guard_words.h"

namespace {

using namespace zm;
using Clock = std::chrono::steady_clock;

constexpr int kExitUnkeyed = 0;
constexpr int kExitCouldNotUnkey = 1;
constexpr int kExitUsage = 2;
constexpr int kExitNoRigctld = 3;

// While the window says the transmitter is unkeyed, the guard waits without a deadline.
constexpr Clock::time_point kNoDeadline = Clock::time_point::max();

volatile std::sig_atomic_t g_terminated = 0;

void onTerminate(int) {
    g_terminated = 1;
}

// Ctrl+C in a terminal and a closed terminal reach the whole process group: the window
// handles those itself and unkeys, and the guard must outlive a window that hangs. A window
// that is gone must not end the guard through SIGPIPE either. SIGTERM (logout, kill) is held
// back except while the guard waits, so that it never cuts an unkey short. Returns the mask
// to wait with.
sigset_t takeSignals() {
    std::signal(SIGINT, SIG_IGN);
    std::signal(SIGHUP, SIG_IGN);
    std::signal(SIGPIPE, SIG_IGN);
    struct sigaction action = {};
    action.sa_handler = onTerminate;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigset_t terminate;
    sigemptyset(&terminate);
    sigaddset(&terminate, SIGTERM);
    sigset_t waitMask;
    sigprocmask(SIG_BLOCK, &terminate, &waitMask);
    sigdelset(&waitMask, SIGTERM);
    return waitMask;
}

// Started with a standard descriptor closed, the guard's own socket to rigctld would take its
// number, and a notice meant for stderr would be sent to rigctld as commands.
void openMissingStandardDescriptors() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) == -1) {
            ::open("/dev/null", O_RDWR);
        }
    }
}

void writeLine(int fd, const std::string& text) {
    const std::string line = text + "\n";
    [[maybe_unused]] const auto written = ::write(fd, line.data(), line.size());
}

void tell(const std::string& notice) {
    writeLine(STDERR_FILENO, "zm480-ptt-guard: " + notice);
}

struct WindowEvent {
    enum class Kind { Bytes, Gone, Deadline, Terminate } kind;
    std::string bytes;
};

// Waits for the window's next word, its end closing, the deadline or SIGTERM.
WindowEvent nextEvent(Clock::time_point deadline, const sigset_t& waitMask) {
    for (;;) {
        timespec timeout{};
        if (deadline != kNoDeadline) {
            const auto left = std::max(Clock::duration::zero(), deadline - Clock::now());
            const auto seconds = std::chrono::floor<std::chrono::seconds>(left);
            timeout = {seconds.count(), (left - seconds) / std::chrono::nanoseconds(1)};
        }
        pollfd window{STDIN_FILENO, POLLIN, 0};
        const int ready =
            ::ppoll(&window, 1, deadline != kNoDeadline ? &timeout : nullptr, &waitMask);
        if (g_terminated) {
            return {WindowEvent::Kind::Terminate, {}};
        }
        if (ready == 0) {
            return {WindowEvent::Kind::Deadline, {}};
        }
        if (ready < 0) {
            continue;  // EINTR
        }
        char buffer[256];
        const ssize_t count = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (count > 0) {
            return {WindowEvent::Kind::Bytes, std::string(buffer, static_cast<std::size_t>(count))};
        }
        if (count == 0 || (errno != EINTR && errno != EAGAIN)) {
            return {WindowEvent::Kind::Gone, {}};
        }
    }
}

// Returns the exit status once the action ends the guard.
std::optional<int> carryOut(const GuardAction& action, RigctldUnkeyer& rig,
                            Clock::time_point& deadline) {
    bool unkeyed = true;
    if (action.unkey) {
        std::string whyNot;
        unkeyed = rig.unkey(whyNot);
        if (!unkeyed) {
            tell((action.notice.empty() ? "" : action.notice + "; ") +
                 "could not unkey the transmitter: " + whyNot +
                 ". Switch it to receive on the radio now.");
        } else if (!action.notice.empty()) {
            tell(action.notice + "; unkeyed the transmitter");
        }
    } else if (!action.notice.empty()) {
        tell(action.notice);
    }
    if (action.deadline == GuardAction::Deadline::Start) {
        deadline = Clock::now() + kGuardKeyedDeadline;
    } else if (action.deadline == GuardAction::Deadline::Stop) {
        deadline = kNoDeadline;
    }
    if (action.exit) {
        return unkeyed ? kExitUnkeyed : kExitCouldNotUnkey;
    }
    return std::nullopt;
}

int watchWindow(RigctldUnkeyer& rig, const sigset_t& waitMask) {
    GuardWatch watch;
    Clock::time_point deadline = kNoDeadline;
    for (;;) {
        const WindowEvent event = nextEvent(deadline, waitMask);
        std::vector<GuardAction> actions;
        switch (event.kind) {
            case WindowEvent::Kind::Bytes:
                actions = watch.onBytes(event.bytes);
                break;
            case WindowEvent::Kind::Gone:
                actions = {watch.onWindowGone()};
                break;
            case WindowEvent::Kind::Deadline:
                actions = {watch.onDeadline()};
                break;
            case WindowEvent::Kind::Terminate:
                actions = {watch.onTerminate()};
                break;
        }
        for (const GuardAction& action : actions) {
            if (const auto status = carryOut(action, rig, deadline)) {
                return *status;
            }
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    openMissingStandardDescriptors();
    const sigset_t waitMask = takeSignals();
    std::string whyNot;
    const auto commandLine =
        parseGuardCommandLine(std::span<const char* const>(argv + 1, argv + argc), whyNot);
    if (commandLine && commandLine->help) {
        std::fputs(kGuardUsage.data(), stdout);
        return 0;
    }
    if (!commandLine) {
        writeLine(STDOUT_FILENO, std::string(kGuardErrorPrefix) + whyNot);
        return kExitUsage;
    }
    if (!commandLine->rigctldCommand.empty()) {
        return superviseRigctld(commandLine->rig, commandLine->rigctldCommand, waitMask,
                                g_terminated);
    }
    RigctldUnkeyer rig(commandLine->rig);
    if (!rig.open(whyNot)) {
        writeLine(STDOUT_FILENO, std::string(kGuardErrorPrefix) + whyNot);
        return kExitNoRigctld;
    }
    writeLine(STDOUT_FILENO, std::string(kGuardReady));
    return watchWindow(rig, waitMask);
}
