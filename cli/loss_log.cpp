// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/loss_log.h"

#include <syslog.h>
#include <unistd.h>

#include <QDateTime>
#include <QDir>
#include <QFile>

namespace zm {

std::string logLoss(const QString& settingsFolder, const std::string& line) {
    ::openlog("zm480-sweep", LOG_PID, LOG_USER);
    ::syslog(LOG_WARNING, "%s", line.c_str());
    ::closelog();
    const QString now = QDateTime::currentDateTime().toString("yyyy-MM-dd HH:mm:ss");
    const std::string entry =
        now.toStdString() + " zm480-sweep[" + std::to_string(::getpid()) + "]: " + line + "\n";
    QFile log(QDir(settingsFolder).filePath("zm480-sweep.log"));
    if (!log.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text) ||
        log.write(entry.data(), qint64(entry.size())) != qint64(entry.size()) || !log.flush()) {
        return log.fileName().toStdString() +
               " could not be written: " + log.errorString().toStdString();
    }
    return {};
}

}  // namespace zm
