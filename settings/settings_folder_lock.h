// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <string>

#include "process/program_lock.h"

class QSocketNotifier;

namespace zm {

// One window per settings folder. A second start with the same folder (a double click too
// many on the menu entry) would poll the meter that the first holds, run a second rigctld for
// the same radio, key it during the first's sweep and write config.ini over the first's.
class SettingsFolderLock : public QObject {
    Q_OBJECT

public:
    explicit SettingsFolderLock(const QString& folder);

    bool held() const { return m_lock.held(); }
    // For the second start: "ZM-480 Plot is already running (process 4711) with the settings
    // in /home/op/.config/zm480-plot; its window is brought to the front."
    std::string alreadyRunningMessage() const;

signals:
    // Another start with the same folder asked for the window.
    void anotherStart();

private:
    QString m_folder;
    ProgramLock m_lock;
    QSocketNotifier* m_knocks = nullptr;
};

}  // namespace zm
