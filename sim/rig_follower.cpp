// SPDX-License-Identifier: GPL-3.0-or-later

#include "sim/rig_follower.h"

#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <utility>

namespace zm::sim {
namespace {

constexpr std::string_view kQuery = "+f\n+t\n";
constexpr std::string_view kKeyedQuery = "+t\n";

// The text after `key` on the line that starts with it, e.g. "14100000" for "Frequency: ".
std::optional<std::string_view> lineValue(std::string_view answer, std::string_view key) {
    std::size_t start = 0;
    while (start < answer.size()) {
        std::size_t end = answer.find('\n', start);
        if (end == std::string_view::npos) {
            end = answer.size();
        }
        const std::string_view line = answer.substr(start, end - start);
        if (line.starts_with(key)) {
            return line.substr(key.size());
        }
        start = end + 1;
    }
    return std::nullopt;
}

std::optional<double> number(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc{}) {
        return std::nullopt;
    }
    return value;
}

std::size_t countReplies(std::string_view answer, std::string_view reply) {
    std::size_t count = 0;
    for (std::size_t at = answer.find(reply); at != std::string_view::npos;
         at = answer.find(reply, at + 1)) {
        if (at == 0 || answer[at - 1] == '\n') {
            ++count;
        }
    }
    return count;
}

int remainingMs(std::chrono::steady_clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

bool waitFor(int socket, short events, std::chrono::steady_clock::time_point deadline) {
    pollfd entry{socket, events, 0};
    int ready = 0;
    do {
        ready = ::poll(&entry, 1, remainingMs(deadline));
    } while (ready < 0 && errno == EINTR);
    return ready > 0 && (entry.revents & events) != 0;
}

}  // namespace

std::optional<RigState> parseRigState(std::string_view answer) {
    if (countReplies(answer, "RPRT 0\n") != 2 || countReplies(answer, "RPRT") != 2) {
        return std::nullopt;
    }
    const auto frequencyText = lineValue(answer, "Frequency:");
    const auto pttText = lineValue(answer, "PTT:");
    const auto frequencyHz = frequencyText ? number(*frequencyText) : std::nullopt;
    const auto ptt = pttText ? number(*pttText) : std::nullopt;
    if (!frequencyHz || !ptt) {
        return std::nullopt;
    }
    return RigState{*frequencyHz / 1e6, *ptt != 0.0};
}

std::optional<bool> parseKeyed(std::string_view answer) {
    if (countReplies(answer, "RPRT 0\n") != 1 || countReplies(answer, "RPRT") != 1) {
        return std::nullopt;
    }
    const auto pttText = lineValue(answer, "PTT:");
    const auto ptt = pttText ? number(*pttText) : std::nullopt;
    if (!ptt) {
        return std::nullopt;
    }
    return *ptt != 0.0;
}

bool isCompleteRigAnswer(std::string_view answer, std::size_t replies) {
    return countReplies(answer, "RPRT") >= replies && answer.ends_with('\n');
}

RigFollower::RigFollower(std::string host, std::string port)
    : m_host(std::move(host)), m_port(std::move(port)) {}

RigFollower::~RigFollower() {
    disconnect();
}

std::optional<RigState> RigFollower::query() {
    const auto answer = exchange(kQuery, 2);
    return answer ? parseRigState(*answer) : std::nullopt;
}

std::optional<bool> RigFollower::queryKeyed() {
    const auto answer = exchange(kKeyedQuery, 1);
    return answer ? parseKeyed(*answer) : std::nullopt;
}

std::optional<std::string> RigFollower::exchange(std::string_view request, std::size_t replies) {
    const auto deadline = std::chrono::steady_clock::now() + kQueryTimeout;
    if (m_socket < 0 && !connectToRig()) {
        return std::nullopt;
    }
    if (::send(m_socket, request.data(), request.size(), MSG_NOSIGNAL) !=
        static_cast<ssize_t>(request.size())) {
        disconnect();
        return std::nullopt;
    }
    std::string answer;
    char buffer[512];
    while (!isCompleteRigAnswer(answer, replies)) {
        if (!waitFor(m_socket, POLLIN, deadline)) {
            disconnect();  // a late answer would be taken for the next one
            return std::nullopt;
        }
        const ssize_t count = ::recv(m_socket, buffer, sizeof buffer, 0);
        if (count <= 0) {
            disconnect();
            return std::nullopt;
        }
        answer.append(buffer, static_cast<std::size_t>(count));
    }
    return answer;
}

bool RigFollower::connectToRig() {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(m_host.c_str(), m_port.c_str(), &hints, &found) != 0) {
        return false;
    }
    const auto deadline = std::chrono::steady_clock::now() + kQueryTimeout;
    for (const addrinfo* entry = found; entry != nullptr && m_socket < 0; entry = entry->ai_next) {
        const int fd = ::socket(entry->ai_family, entry->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                                entry->ai_protocol);
        if (fd < 0) {
            continue;
        }
        int error = 0;
        socklen_t length = sizeof error;
        const bool connected =
            ::connect(fd, entry->ai_addr, entry->ai_addrlen) == 0 ||
            (errno == EINPROGRESS && waitFor(fd, POLLOUT, deadline) &&
             ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0);
        if (connected) {
            const int one = 1;
            ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
            m_socket = fd;
        } else {
            ::close(fd);
        }
    }
    ::freeaddrinfo(found);
    return m_socket >= 0;
}

void RigFollower::disconnect() {
    if (m_socket >= 0) {
        ::close(m_socket);
        m_socket = -1;
    }
}

}  // namespace zm::sim
