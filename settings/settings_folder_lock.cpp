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

std::string commandLockName(const QString& folder) {
    return lockName("sweep-command", folder.toStdString());
}

std::string processText(pid_t pid) {
    return pid > 0 ? " (process " + std::to_string(pid) + ")" : "";
}

}  // namespace

SettingsFolderLock::SettingsFolderLock(const QString& folder, Holder holder)
    : m_folder(realFolder(folder)),
      m_command(holder == Holder::Command
                    ? std::make_optional<ProgramLock>(commandLockName(m_folder),
                                                      ProgramLock::Look::Quietly)
                    : std::nullopt),
      m_lock(lockName("settings", m_folder.toStdString()),
             holder == Holder::Command ? ProgramLock::Look::Quietly : ProgramLock::Look::Knock) {
    if (m_lock.held() && holder == Holder::Window) {
        m_knocks = new QSocketNotifier(m_lock.knocks(), QSocketNotifier::Read, this);
        connect(m_knocks, &QSocketNotifier::activated, this, [this] {
            m_lock.takeKnock();
            emit anotherStart();
        });
    }
}

bool SettingsFolderLock::commandSweeps() const {
    // A look only, never taking the command's name: a zm480-sweep starting meanwhile gets it.
    return holderOf(commandLockName(m_folder)).has_value();
}

std::string SettingsFolderLock::alreadyRunningMessage() const {
    const std::string folder = m_folder.toStdString();
    if (m_command) {  // the command's own refusal
        if (!m_command->held()) {
            return "zm480-sweep is already sweeping with the settings in " + folder +
                   processText(m_command->holder()) + ": run it again when that sweep has ended";
        }
        return "ZM-480 Plot is open with the settings in " + folder + processText(m_lock.holder()) +
               ", and the meter and the radio are its window's: nothing was keyed; close the "
               "window, or sweep from it";
    }
    if (const std::optional<pid_t> command = holderOf(commandLockName(m_folder))) {
        return "zm480-sweep is sweeping with the settings in " + folder + processText(*command) +
               ", and the meter and the radio are its until it ends: the window opens then.";
    }
    return "ZM-480 Plot is already running" + processText(m_lock.holder()) +
           " with the settings in " + folder + "; its window is brought to the front.";
}

}  // namespace zm
