#include "sweep/process_ptt_guard.h"

#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <optional>
#include <thread>

#include "sweep/ptt_guard_words.h"

extern char** environ;

namespace zm {

namespace {

using Clock = std::chrono::steady_clock;

// A guard answers "ready" or "error" and one sentence.
constexpr std::size_t kMaxAnswerChars = 512;
constexpr std::chrono::milliseconds kReapPollInterval{2};
// After SIGKILL a process ends at once; this only bounds a process stuck in the kernel.
constexpr std::chrono::milliseconds kKilledExitWait{2000};

std::string howItEnded(int status) {
    if (WIFEXITED(status)) {
        return "it exited with status " + std::to_string(WEXITSTATUS(status));
    }
    if (WIFSIGNALED(status)) {
        return "it was killed by signal " + std::to_string(WTERMSIG(status)) + " (" +
               ::strsignal(WTERMSIG(status)) + ")";
    }
    return "it ended";
}

// How the child ended, once it has ended within `wait` (it is then reaped); empty while it runs.
std::optional<std::string> reapWithin(pid_t child, std::chrono::milliseconds wait) {
    const auto deadline = Clock::now() + wait;
    for (;;) {
        int status = 0;
        const pid_t reaped = ::waitpid(child, &status, WNOHANG);
        if (reaped == child) {
            return howItEnded(status);
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

}  // namespace

ProcessPttGuard::ProcessPttGuard(std::string program, std::string rigHost, std::uint16_t rigPort)
    : m_program(std::move(program)),
      m_rig((rigHost.find(':') != std::string::npos ? "[" + rigHost + "]" : rigHost) + ":" +
            std::to_string(rigPort)) {}

ProcessPttGuard::~ProcessPttGuard() {
    finish();
    reapEnded();
}

bool ProcessPttGuard::start(std::string& whyNot) {
    finish();
    reapEnded();
    return spawn(whyNot) && awaitReady(whyNot);
}

bool ProcessPttGuard::keying(std::string& whyNot) {
    if (say(kGuardKeying)) {
        m_lastWordKeying = true;
        return true;
    }
    const std::string how = m_child < 0 ? "it was not started" : endOfChild();
    whyNot = "The PTT guard zm480-ptt-guard " +
             (how.empty() ? std::string("does not take the window's words")
                          : "is no longer running (" + how + ")") +
             ", and the transmitter is not keyed without it";
    return false;
}

void ProcessPttGuard::unkeyed() {
    say(kGuardUnkeyed);
    m_lastWordKeying = false;
}

// A guard whose last word was "keying" sees its window's end close, and unkeys on its own.
void ProcessPttGuard::finish() {
    if (m_child < 0) {
        return;
    }
    if (!m_lastWordKeying) {
        say(kGuardEnd);
    }
    closeSocket();
    if (!reapWithin(m_child, kExitWait)) {
        m_ending.push_back(m_child);
    }
    m_child = -1;
    m_lastWordKeying = false;
}

bool ProcessPttGuard::spawn(std::string& whyNot) {
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
        whyNot = "The PTT guard could not be started: " + std::string(std::strerror(errno));
        return false;
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

    std::string rigOption = "--rig";
    char* arguments[] = {m_program.data(), rigOption.data(), m_rig.data(), nullptr};
    const int error =
        ::posix_spawn(&m_child, m_program.c_str(), &actions, &attributes, arguments, environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    ::close(ends[1]);
    if (error != 0) {
        ::close(ends[0]);
        m_child = -1;
        whyNot =
            error == ENOENT
                ? "The PTT guard zm480-ptt-guard was not found beside zm480-plot (" + m_program +
                      "); reinstall ZM-480 Plot"
                : "The PTT guard " + m_program + " could not be started: " + std::strerror(error);
        return false;
    }
    m_socket = ends[0];
    return true;
}

bool ProcessPttGuard::awaitReady(std::string& whyNot) {
    const auto deadline = Clock::now() + kReadyTimeout;
    std::string received;
    bool closed = false;
    while (!closed && received.find('\n') == std::string::npos &&
           received.size() < kMaxAnswerChars) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd entry{m_socket, POLLIN, 0};
        const int ready = left.count() > 0 ? ::poll(&entry, 1, static_cast<int>(left.count())) : 0;
        if (ready == 0) {
            break;
        }
        char buffer[256];
        const ssize_t count = ready > 0 ? ::recv(m_socket, buffer, sizeof buffer, 0) : -1;
        if (count > 0) {
            received.append(buffer, static_cast<std::size_t>(count));
        }
        closed = count == 0 || (count < 0 && errno != EINTR);
    }
    const bool answered = received.find('\n') != std::string::npos;
    const std::string line = received.substr(0, received.find('\n'));
    if (answered && line == kGuardReady) {
        return true;
    }
    closeSocket();
    const std::string how = endOfChild();
    std::string reason;
    if (answered && line.starts_with(kGuardErrorPrefix)) {
        whyNot = printableGuardLine(line.substr(kGuardErrorPrefix.size()));
    } else if (!received.empty()) {
        reason = "it answered \"" + printableGuardLine(line) + "\"";
    } else if (!closed) {
        reason = "it gave no answer within " + std::to_string(kReadyTimeout.count() / 1000) + " s";
    } else {
        reason = how.empty() ? "it closed its end without an answer" : how;
    }
    if (!reason.empty()) {
        whyNot = "The PTT guard zm480-ptt-guard did not get ready: " + reason;
    }
    killChild();
    return false;
}

bool ProcessPttGuard::say(std::string_view word) {
    if (m_socket < 0) {
        return false;
    }
    char line[16];
    const std::size_t length = word.copy(line, sizeof line - 1);
    line[length] = '\n';
    // MSG_DONTWAIT: a guard that stopped reading must not stop the window.
    return ::send(m_socket, line, length + 1, MSG_NOSIGNAL | MSG_DONTWAIT) ==
           static_cast<ssize_t>(length + 1);
}

std::string ProcessPttGuard::endOfChild() {
    const auto how = reapWithin(m_child, kExitWait);
    if (!how) {
        return "";
    }
    m_child = -1;
    closeSocket();
    return *how;
}

void ProcessPttGuard::killChild() {
    if (m_child < 0) {
        return;
    }
    ::kill(m_child, SIGKILL);
    if (!reapWithin(m_child, kKilledExitWait)) {
        m_ending.push_back(m_child);
    }
    m_child = -1;
}

void ProcessPttGuard::closeSocket() {
    if (m_socket >= 0) {
        ::close(m_socket);
        m_socket = -1;
    }
}

void ProcessPttGuard::reapEnded() {
    std::erase_if(m_ending,
                  [](pid_t child) { return reapWithin(child, std::chrono::milliseconds(0)); });
}

}  // namespace zm
