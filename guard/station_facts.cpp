// SPDX-License-Identifier: GPL-3.0-or-later
#include "guard/station_facts.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>

#include "guard/loopback_socket.h"
#include "station/radio_answer.h"
#include "sweep/rigctld_protocol.h"

namespace zm {

namespace {

// Only the port's first two lines are read: the protocol version and the model.
constexpr std::size_t kMaxDumpStateChars = 4096;

}  // namespace

std::string valueAfter(const std::vector<std::string>& command, std::string_view option) {
    const auto found = std::ranges::find(command, option);
    return found != command.end() && found + 1 != command.end() ? *(found + 1) : std::string();
}

int optionNumber(const std::vector<std::string>& command, std::string_view option) {
    const std::string text = valueAfter(command, option);
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

int frontedModel(const RigEndpoint& rig) {
    const auto deadline = GuardClock::now() + kRigctldReplyTimeout;
    const int socket = connectWithin(rig, deadline);
    if (socket < 0) {
        return 0;
    }
    std::string received;
    auto state = sendAll(socket, kTestModelRequest, deadline) ? Received::More : Received::Closed;
    while (state == Received::More && std::ranges::count(received, '\n') < 2 &&
           received.size() < kMaxDumpStateChars) {
        state = receiveMore(socket, received, deadline);
    }
    ::close(socket);
    const int model = dumpStateModel(received);
    return model > 0 ? model : -1;
}

std::optional<DeviceNode> deviceNodeAt(const std::string& path) {
    struct stat node {};
    if (::stat(path.c_str(), &node) != 0) {
        return std::nullopt;
    }
    return DeviceNode{node.st_rdev, node.st_ino};
}

}  // namespace zm
