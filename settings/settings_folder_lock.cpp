// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings_folder_lock.h"

#include <QFileInfo>
#include <QSocketNotifier>

namespace zm {

namespace {

// The folder by its real path: a link to it, or a path with "..", is the same folder.
QString realFolder(const QString& folder) {
    const QString real = QFileInfo(folder).canonicalFilePath();
    return real.isEmpty() ? folder : real;
}

}  // namespace

SettingsFolderLock::SettingsFolderLock(const QString& folder)
    : m_folder(realFolder(folder)), m_lock(lockName("settings", m_folder.toStdString())) {
    if (m_lock.held()) {
        m_knocks = new QSocketNotifier(m_lock.knocks(), QSocketNotifier::Read, this);
        connect(m_knocks, &QSocketNotifier::activated, this, [this] {
            m_lock.takeKnock();
            emit anotherStart();
        });
    }
}

std::string SettingsFolderLock::alreadyRunningMessage() const {
    const std::string process =
        m_lock.holder() > 0 ? " (process " + std::to_string(m_lock.holder()) + ")" : "";
    return "ZM-480 Plot is already running" + process + " with the settings in " +
           m_folder.toStdString() + "; its window is brought to the front.";
}

}  // namespace zm
