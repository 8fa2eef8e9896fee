// SPDX-License-Identifier: GPL-3.0-or-later

#include "sweep/event_loop_sleeper.h"

#include <QEventLoop>
#include <QTimer>

namespace zm {

void EventLoopSleeper::sleep(std::chrono::milliseconds duration) {
    QEventLoop loop;
    QTimer end;
    end.setSingleShot(true);
    end.setTimerType(Qt::PreciseTimer);  // a coarse timer may end a 1 s wait 50 ms early
    QObject::connect(&end, &QTimer::timeout, &loop, &QEventLoop::quit);
    end.start(duration);
    QEventLoop* const outer = m_loop;
    m_loop = &loop;
    loop.exec();
    m_loop = outer;
}

void EventLoopSleeper::wake() {
    if (m_loop != nullptr) {
        m_loop->quit();
    }
}

}  // namespace zm
