// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "meter/pause.h"

class QEventLoop;

namespace zm {

// The sweep's waits: exactly as long as Pause's, but served by an event loop, so the window
// goes on painting, answering the desktop's pings and taking Escape, its close button and
// the stop signals while the transmitter is keyed. wake() ends the running wait at once.
class EventLoopSleeper : public Sleeper {
public:
    void sleep(std::chrono::milliseconds duration) override;
    void wake() override;

private:
    QEventLoop* m_loop = nullptr;
};

}  // namespace zm
