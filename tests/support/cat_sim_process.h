// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The built zm480-cat-sim as a process of its own: a Yaesu FT-817's CAT port on a
// pseudo-terminal, for a real rigctld to drive with Hamlib's FT-817 backend:
//
//   RunningCatSim radio({"--clarifier", "on"});
//   rigctld.start({.model = 1020, .device = radio.device(), .baud = 38400}, whyNot);
//   ... drive it through rigctld ...
//   radio.stop();
//   radio.transcript()  ->  {..., "ptt on 14000000", "ptt off", ...,
//                            "state: vfo a 14000000 CW, ..., ptt off, ..."}

#include <sys/prctl.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <string>
#include <vector>

#include "tests/support/sim_process.h"

namespace zm::test {

class RunningCatSim {
public:
    explicit RunningCatSim(const QStringList& options) {
        // Its transcript goes to a file, never into a pipe that nobody reads while the test
        // drives the radio: a full pipe would stall the radio.
        m_process.setStandardOutputFile(transcriptPath());
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        // A test that crashes must not leave the radio behind.
        m_process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
        m_process.start(QDir(buildDir()).filePath("zm480-cat-sim"), options);
        m_process.waitForStarted();  // until then its state is Starting, not Running
        // Its first line, "zm480-cat-sim: FT-817 on /dev/pts/5", comes once the pty is open.
        const QDeadlineTimer deadline(10000);
        while (m_process.state() == QProcess::Running && lines().isEmpty() &&
               !deadline.hasExpired()) {
            QThread::msleep(10);
        }
        if (!lines().isEmpty()) {
            m_device = QString::fromUtf8(lines().front()).section(' ', 3, 3).toStdString();
        }
    }
    ~RunningCatSim() { stop(); }
    RunningCatSim(const RunningCatSim&) = delete;
    RunningCatSim& operator=(const RunningCatSim&) = delete;

    bool started() const { return m_device.starts_with("/dev/"); }
    // The pty to hand rigctld as its -r device.
    const std::string& device() const { return m_device; }

    // The radio's power button, which no CAT command presses: off when on, on when off.
    void pressPowerButton() { ::kill(static_cast<pid_t>(m_process.processId()), SIGUSR1); }

    // Ends it (SIGTERM); it writes the radio's state as its last line first.
    void stop() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            m_process.waitForFinished(10000);
        }
    }

    // What it saw so far, a line per command, in words: "clarifier off (no change)",
    // "ptt on 14000000" (keyed, transmitting on that frequency); after stop(), the radio's
    // state as it ended: "state: vfo a 14350000 CW, ...".
    std::vector<std::string> transcript() const {
        std::vector<std::string> words;
        const QList<QByteArray> all = lines();
        for (qsizetype i = 1; i < all.size(); ++i) {
            // "00 00 00 00 08 | ptt on 14000000 | 00" -> "ptt on 14000000"
            const QList<QByteArray> parts = all[i].split('|');
            words.push_back((parts.size() == 3 ? parts[1] : all[i]).trimmed().toStdString());
        }
        return words;
    }

private:
    QString transcriptPath() const { return m_dir.filePath("transcript"); }

    // The complete lines written so far.
    QList<QByteArray> lines() const {
        QFile file(transcriptPath());
        if (!file.open(QIODevice::ReadOnly)) {
            return {};
        }
        QByteArray text = file.readAll();
        text.truncate(text.lastIndexOf('\n') + 1);
        QList<QByteArray> all = text.split('\n');
        all.removeLast();  // after the last newline
        return all;
    }

    QTemporaryDir m_dir;
    QProcess m_process;
    std::string m_device;
};

}  // namespace zm::test
