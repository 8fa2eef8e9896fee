// SPDX-License-Identifier: GPL-3.0-or-later
// A window that keys the transmitter and then hangs, for the guard tests and
// scripts/measure-ptt-guard:
//
//   keyed-window GUARD_PROGRAM RIGCTLD_PORT [RIGCTLD_ARGUMENT...]
//
// It starts the real guard through ProcessPttGuard (no guard with "none"), says "keying",
// keys the dummy rig on 127.0.0.1:RIGCTLD_PORT through the real rig client, prints "keyed"
// and waits to be killed or stopped. With rigctld's arguments it first has GUARD_PROGRAM run
// the station's rigctld with them, as Setup, Station's "Start rigctld for this radio" does,
// e.g. -m 1020 -r /dev/pts/5 -s 38400 -P RIG -T 127.0.0.1 -t RIGCTLD_PORT -v.

#include <unistd.h>

#include <QCoreApplication>
#include <charconv>
#include <cstdio>
#include <optional>
#include <string_view>

#include "station/process_rigctld_runner.h"
#include "sweep/process_ptt_guard.h"
#include "sweep/rigctld_client.h"
#include "sweep/rigctld_protocol.h"

namespace {

int fail(const std::string& why) {
    std::fprintf(stderr, "keyed-window: %s\n", why.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::uint16_t port = 0;
    const std::string_view portText = argc >= 3 ? argv[2] : "";
    if (std::from_chars(portText.begin(), portText.end(), port).ec != std::errc{} || port == 0) {
        return fail("usage: keyed-window GUARD_PROGRAM|none RIGCTLD_PORT [RIGCTLD_ARGUMENT...]");
    }
    std::string whyNot;
    std::optional<zm::ProcessRigctldRunner> station;
    if (argc > 3) {
        station.emplace(argv[1], "rigctld");
        station->start({argv + 3, argv + argc}, port);
        while (!station->answering()) {
            if (!station->problem().empty()) {
                return fail(station->problem());
            }
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
        }
    }
    std::optional<zm::ProcessPttGuard> guard;
    if (std::string_view(argv[1]) != "none") {
        guard.emplace(argv[1], "127.0.0.1", port);
        if (!guard->start(whyNot)) {
            return fail(whyNot);
        }
    }
    zm::RigctldServerFactory factory("127.0.0.1", port);
    const auto server = factory.create(whyNot);
    if (!server) {
        return fail(whyNot);
    }
    std::shared_ptr<zm::Transceiver> transceiver;
    if (server->GetTransceiver(transceiver) != zm::kRigOk) {
        return fail(server->lastError());
    }
    if (guard && !guard->keying(whyNot)) {
        return fail(whyNot);
    }
    if (transceiver->SetPTT(1) != zm::kRigOk) {
        return fail(transceiver->lastError());
    }
    std::puts("keyed");
    std::fflush(stdout);
    for (;;) {
        ::pause();
    }
}
