// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <atomic>

class QSocketNotifier;

namespace zm {

// SIGINT, SIGTERM and SIGHUP (Ctrl+C, kill, logging out, an SSH link that drops) end the
// program in its own way, not in the middle of a step. The handler only raises a flag and
// writes a byte to a pipe: a running sweep sees the flag at its next step and unkeys; the
// event loop sees the byte and emits stopRequested(), on which a window ends its modal
// dialogs (app/dialogs_on_stop.h) and closes. Qt Core only.
class StopSignals : public QObject {
    Q_OBJECT

public:
    StopSignals();
    ~StopSignals() override;

    const std::atomic<bool>* flag() const;

    // A stop as a stop signal asks it, for what the program notices itself (its standard
    // output closed): from any thread, and safe in a signal handler.
    static void requestStop();

signals:
    void stopRequested();

private:
    QSocketNotifier* m_notifier = nullptr;
};

}  // namespace zm
