// SPDX-License-Identifier: GPL-3.0-or-later
#include "guard/rigctld_child.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

#include "process/process_end.h"

namespace zm {

namespace {

// A line longer than this is passed on in pieces.
constexpr std::size_t kMaxLineChars = 400;

// In the child, between fork and exec: only async-signal-safe calls.
[[noreturn]] void becomeRigctld(const std::vector<char*>& arguments, int stderrPipe, pid_t guard) {
    ::setpgid(0, 0);
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != guard) {
        ::_exit(RigctldChild::kExecFailed);  // the guard died before the line above
    }
    const int null = ::open("/dev/null", O_RDWR);
    ::dup2(null, STDIN_FILENO);
    ::dup2(null, STDOUT_FILENO);
    ::dup2(stderrPipe, STDERR_FILENO);
    ::close_range(STDERR_FILENO + 1, ~0U, 0);
    // The guard ignores SIGINT, SIGHUP and SIGPIPE and blocks SIGTERM; rigctld starts afresh.
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    for (const int signal : {SIGINT, SIGHUP, SIGPIPE, SIGTERM}) {
        ::signal(signal, SIG_DFL);
    }
    ::execvp(arguments[0], arguments.data());
    const char* reason = ::strerror(errno);
    [[maybe_unused]] auto written = ::write(STDERR_FILENO, "cannot run ", 11);
    written = ::write(STDERR_FILENO, arguments[0], std::strlen(arguments[0]));
    written = ::write(STDERR_FILENO, ": ", 2);
    written = ::write(STDERR_FILENO, reason, std::strlen(reason));
    written = ::write(STDERR_FILENO, "\n", 1);
    ::_exit(RigctldChild::kExecFailed);
}

}  // namespace

RigctldChild::~RigctldChild() {
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }
    closeDescriptors();
}

bool RigctldChild::start(const std::vector<std::string>& command, std::string& whyNot) {
    std::vector<std::string> words = command;
    std::vector<char*> arguments;
    for (std::string& word : words) {
        arguments.push_back(word.data());
    }
    arguments.push_back(nullptr);
    closeDescriptors();  // the stderr of one that ended without saying all
    int pipe[2];
    if (command.empty() || ::pipe2(pipe, O_CLOEXEC) != 0) {
        whyNot = "rigctld could not be started: " + std::string(std::strerror(errno));
        return false;
    }
    const pid_t guard = ::getpid();
    m_pid = ::fork();
    if (m_pid == 0) {
        becomeRigctld(arguments, pipe[1], guard);
    }
    ::close(pipe[1]);
    if (m_pid < 0) {
        ::close(pipe[0]);
        whyNot = "rigctld could not be started: " + std::string(std::strerror(errno));
        return false;
    }
    m_stderr = pipe[0];
    ::fcntl(m_stderr, F_SETFL, O_NONBLOCK);
    m_pidfd = static_cast<int>(::syscall(SYS_pidfd_open, m_pid, 0));
    m_partialLine.clear();
    return true;
}

std::vector<std::string> RigctldChild::readLines() {
    std::vector<std::string> lines;
    char buffer[1024];
    ssize_t count = 0;
    while (m_stderr >= 0 && (count = ::read(m_stderr, buffer, sizeof buffer)) > 0) {
        m_partialLine.append(buffer, static_cast<std::size_t>(count));
        for (auto end = m_partialLine.find('\n'); end != std::string::npos;
             end = m_partialLine.find('\n')) {
            lines.push_back(m_partialLine.substr(0, end));
            m_partialLine.erase(0, end + 1);
        }
        if (m_partialLine.size() > kMaxLineChars) {
            lines.push_back(m_partialLine);
            m_partialLine.clear();
        }
    }
    if (count == 0 && m_stderr >= 0) {  // it closed its stderr: it is ending
        if (!m_partialLine.empty()) {
            lines.push_back(m_partialLine);
            m_partialLine.clear();
        }
        closeDescriptor(m_stderr);
    }
    return lines;
}

std::optional<std::string> RigctldChild::reapIfEnded() {
    int status = 0;
    if (m_pid <= 0 || ::waitpid(m_pid, &status, WNOHANG) != m_pid) {
        return std::nullopt;
    }
    m_pid = -1;
    m_exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    // Its stderr stays open: what it wrote just before it ended may still be unread, and
    // readLines() takes that to the end of the stream, its last words.
    closeDescriptor(m_pidfd);
    return howProcessEnded(status);
}

std::string RigctldChild::stop(std::chrono::milliseconds grace) {
    if (m_pid <= 0) {
        return "it had ended";
    }
    ::kill(m_pid, SIGINT);
    pollfd ended{m_pidfd, POLLIN, 0};
    if (m_pidfd < 0 || ::poll(&ended, 1, static_cast<int>(grace.count())) <= 0) {
        ::kill(m_pid, SIGKILL);
    }
    int status = 0;
    while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
    }
    m_pid = -1;
    m_exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    closeDescriptors();
    return howProcessEnded(status);
}

void RigctldChild::closeDescriptors() {
    closeDescriptor(m_stderr);
    closeDescriptor(m_pidfd);
}

void RigctldChild::closeDescriptor(int& fd) {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

}  // namespace zm
