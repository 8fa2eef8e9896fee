// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The built zm480-sim as a process of its own, for tests that talk to it as the program
// would: through its link and a real pseudo-terminal.

#include <QDir>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

namespace zm::test {

inline QString buildDir() {
    return qEnvironmentVariable("ZM_BUILD_DIR");
}

// zm480-sim running with its link at <temp>/ports/com1, or where it is told, stopped with
// SIGTERM; it removes its link as it ends, as a pulled USB adapter takes its device along.
class RunningSim {
public:
    explicit RunningSim(QStringList options) : RunningSim(QString(), std::move(options)) {}
    RunningSim(const QString& link, QStringList options)
        : m_link(link.isEmpty() ? m_dir.filePath("ports/com1") : link) {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QDir(buildDir()).filePath("zm480-sim"),
                        QStringList{"--link", linkPath()} + options);
        // The one line it prints comes once the link is in place.
        m_started = m_process.waitForStarted(10000) && m_process.waitForReadyRead(10000);
        m_banner = m_process.readAllStandardOutput();
    }
    ~RunningSim() { stop(); }

    bool started() const { return m_started; }
    QString banner() const { return m_banner; }
    QString configDir() const { return m_dir.path(); }
    QString linkPath() const { return m_link; }

    int stop() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            m_process.waitForFinished(10000);
        }
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }

private:
    QTemporaryDir m_dir;
    QString m_link;
    QProcess m_process;
    bool m_started = false;
    QString m_banner;
};

}  // namespace zm::test
