// SPDX-License-Identifier: GPL-3.0-or-later
#include "guard/loopback_socket.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

#include "station/port_holders.h"

namespace zm {

namespace {

int remainingMs(GuardClock::time_point deadline) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - GuardClock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

}  // namespace

bool waitForSocket(int socket, short events, GuardClock::time_point deadline) {
    for (;;) {
        pollfd entry{socket, events, 0};
        const int ready = ::poll(&entry, 1, remainingMs(deadline));
        if (ready > 0) {
            return true;
        }
        if (ready == 0 || errno != EINTR) {
            return false;
        }
    }
}

namespace {

// Whether a connect in progress succeeds before the deadline.
bool connectCompletes(int socket, GuardClock::time_point deadline) {
    int error = 0;
    socklen_t length = sizeof error;
    return waitForSocket(socket, POLLOUT, deadline) &&
           ::getsockopt(socket, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0;
}

}  // namespace

int connectWithin(const RigEndpoint& endpoint, GuardClock::time_point deadline) {
    const int socket =
        ::socket(endpoint.address.ss_family, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (socket < 0) {
        return -1;
    }
    if (::connect(socket, reinterpret_cast<const sockaddr*>(&endpoint.address),
                  endpoint.addressLength) != 0 &&
        !(errno == EINPROGRESS && connectCompletes(socket, deadline))) {
        ::close(socket);
        return -1;
    }
    // One short line that is waited on: Nagle must not hold it back.
    const int on = 1;
    ::setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    return socket;
}

namespace {

// How often the kernel's table of connections is read while a connection waits to be taken.
constexpr std::chrono::milliseconds kTakenLookInterval{5};

std::uint16_t portOf(const sockaddr_storage& address) {
    return ntohs(address.ss_family == AF_INET6
                     ? reinterpret_cast<const sockaddr_in6&>(address).sin6_port
                     : reinterpret_cast<const sockaddr_in&>(address).sin_port);
}

}  // namespace

bool connectionTakenWithin(const RigEndpoint& endpoint, GuardClock::time_point deadline) {
    const int socket = connectWithin(endpoint, deadline);
    if (socket < 0) {
        return false;
    }
    sockaddr_storage local{};
    socklen_t length = sizeof local;
    bool taken = false;
    if (::getsockname(socket, reinterpret_cast<sockaddr*>(&local), &length) == 0) {
        for (;;) {
            taken = connectionTaken(portOf(endpoint.address), portOf(local));
            if (taken || GuardClock::now() >= deadline) {
                break;
            }
            std::this_thread::sleep_for(kTakenLookInterval);
        }
    }
    ::close(socket);
    return taken;
}

bool sendAll(int socket, std::string_view bytes, GuardClock::time_point deadline) {
    while (!bytes.empty()) {
        const ssize_t sent = ::send(socket, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(sent));
        } else if (sent == 0 || (errno != EAGAIN && errno != EINTR) ||
                   !waitForSocket(socket, POLLOUT, deadline)) {
            return false;
        }
    }
    return true;
}

Received receiveMore(int socket, std::string& received, GuardClock::time_point deadline) {
    if (!waitForSocket(socket, POLLIN, deadline)) {
        return Received::TimedOut;
    }
    char buffer[512];
    const ssize_t count = ::recv(socket, buffer, sizeof buffer, 0);
    if (count > 0) {
        received.append(buffer, static_cast<std::size_t>(count));
        return Received::More;
    }
    return count < 0 && (errno == EAGAIN || errno == EINTR) ? Received::More : Received::Closed;
}

}  // namespace zm
