// SPDX-License-Identifier: GPL-3.0-or-later

#include "guard/guard_command_line.h"

#include <arpa/inet.h>
#include <netinet/in.h>

#include <charconv>
#include <cstring>

namespace zm {

const std::string_view kGuardUsage =
    R"(Usage: zm480-ptt-guard --rig HOST:PORT
       zm480-ptt-guard --rig HOST:PORT --run rigctld ARGUMENTS...

Keeps a ZM-480 Plot sweep from leaving the transmitter keyed. zm480-plot starts one for each
sweep, with a socket as its standard input and output, and says "keying" before each
key-down, "unkeyed" once the unkey was answered and "end" when the sweep is over. The guard
holds its own connection to rigctld at HOST:PORT (this computer only: 127.0.0.1, [::1] or
localhost) and sends "T 0" when the window goes away while keyed, or when the transmitter
has stayed keyed for 3 s without a word from the window. It never keys.

It answers "ready" once connected, or "error" and a sentence. Ctrl+C and a closed terminal
do not end it; SIGTERM unkeys (if keyed) and ends it.

With --run, it runs the station's rigctld for the window instead (zm480-plot starts one when
its window opens, for Setup, Station's "Start rigctld for this radio"): it checks the radio's
device and the port, starts rigctld from the arguments (never through a shell), passes on
what rigctld writes to stderr, restarts it after 1, 2, 4 ... 30 s when it ends, and stops it
(SIGINT, SIGKILL after 2 s) when the window says "end". When the window goes away without
"end", it unkeys through rigctld first. While the radio's device is gone rigctld is stopped,
and it starts again once the device is back; a rigctld that answers nothing for 5 s is
started again.

Exit status: 0 the transmitter was left unkeyed, 1 it could not be unkeyed (the guard says
so on stderr), 2 wrong arguments, 3 rigctld could not be reached.
)";

namespace {

constexpr std::string_view kRigOption = "--rig";
constexpr std::string_view kRunOption = "--run";

std::optional<std::uint16_t> parsePort(std::string_view digits) {
    unsigned port = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), port);
    if (error != std::errc{} || end != digits.data() + digits.size() || port == 0 || port > 65535) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(port);
}

// The loopback address for host, or false when host is not this computer.
bool loopbackAddress(std::string host, std::uint16_t port, RigEndpoint& endpoint) {
    if (host == "localhost") {
        host = "127.0.0.1";
    }
    auto* v4 = reinterpret_cast<sockaddr_in*>(&endpoint.address);
    auto* v6 = reinterpret_cast<sockaddr_in6*>(&endpoint.address);
    if (::inet_pton(AF_INET, host.c_str(), &v4->sin_addr) == 1) {
        v4->sin_family = AF_INET;
        v4->sin_port = htons(port);
        endpoint.addressLength = sizeof(sockaddr_in);
        endpoint.text = host + ":" + std::to_string(port);
        return (ntohl(v4->sin_addr.s_addr) >> 24) == 127;
    }
    if (::inet_pton(AF_INET6, host.c_str(), &v6->sin6_addr) == 1) {
        v6->sin6_family = AF_INET6;
        v6->sin6_port = htons(port);
        endpoint.addressLength = sizeof(sockaddr_in6);
        endpoint.text = "[" + host + "]:" + std::to_string(port);
        return IN6_IS_ADDR_LOOPBACK(&v6->sin6_addr);
    }
    return false;
}

}  // namespace

std::optional<GuardCommandLine> parseGuardCommandLine(std::span<const char* const> arguments,
                                                      std::string& whyNot) {
    if (arguments.size() == 1 && std::strcmp(arguments[0], "--help") == 0) {
        return GuardCommandLine{.help = true, .rig = {}, .rigctldCommand = {}};
    }
    const bool runs = arguments.size() > 3 && arguments[2] == kRunOption;
    if ((arguments.size() != 2 && !runs) || arguments[0] != kRigOption) {
        whyNot = "The PTT guard needs --rig HOST:PORT, e.g. --rig 127.0.0.1:4532 (see --help)";
        return std::nullopt;
    }
    const std::string_view rig = arguments[1];
    const auto colon = rig.rfind(':');
    const auto port =
        colon == std::string_view::npos ? std::nullopt : parsePort(rig.substr(colon + 1));
    std::string_view host = rig.substr(0, colon == std::string_view::npos ? 0 : colon);
    if (host.size() > 2 && host.front() == '[' && host.back() == ']') {
        host = host.substr(1, host.size() - 2);
    }
    GuardCommandLine commandLine;
    if (!port || host.empty()) {
        whyNot = "\"" + std::string(rig) + "\" is not HOST:PORT, e.g. 127.0.0.1:4532";
        return std::nullopt;
    }
    if (!loopbackAddress(std::string(host), *port, commandLine.rig)) {
        whyNot = "The rig-control host \"" + std::string(host) +
                 "\" is not this computer; the PTT guard watches a rigctld on this computer "
                 "only (127.0.0.1)";
        return std::nullopt;
    }
    if (runs) {
        commandLine.rigctldCommand.assign(arguments.begin() + 3, arguments.end());
    }
    return commandLine;
}

}  // namespace zm
