// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// rigctld's client, watched (sweep/watched_rig.h): for a test to see where the radio was
// keyed, for a benchmark to time the points; and once each call has come back, for a test
// to fail the client after the radio has acted.

#include <QtGlobal>
#include <memory>

#include "sweep/rigctld_client.h"
#include "sweep/watched_rig.h"

namespace zm::test {

using zm::RigWatcher;

// rigctld on 127.0.0.1 at the port, watched.
class WatchedRigServers : public zm::WatchedRigServers {
public:
    WatchedRigServers(quint16 port, RigWatcher watcher)
        : zm::WatchedRigServers(std::make_unique<RigctldServerFactory>("127.0.0.1", port),
                                std::move(watcher)) {}
};

}  // namespace zm::test
