// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <atomic>

class QSocketNotifier;

namespace zm {

// SIGINT, SIGTERM and SIGHUP (Ctrl+C, kill, logging out) end the program through the
// window's own close path, so the settings are saved. The handler only raises a flag and
// writes a byte to a pipe: a running sweep sees the flag at its next step and unkeys; the
// event loop sees the byte, ends every modal dialog that is up (a message box, a file
// dialog: the desktop holds a window's close behind its modal dialog) and emits
// stopRequested().
class StopSignals : public QObject {
    Q_OBJECT

public:
    StopSignals();
    ~StopSignals() override;

    const std::atomic<bool>* flag() const;

signals:
    void stopRequested();

private:
    QSocketNotifier* m_notifier = nullptr;
};

}  // namespace zm
