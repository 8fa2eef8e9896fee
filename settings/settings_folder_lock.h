// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <optional>
#include <string>

#include "process/program_lock.h"

class QSocketNotifier;

namespace zm {

// One program at a time per settings folder: the window, or zm480-sweep while it sweeps. A
// second start with the same folder (a double click too many on the menu entry) would poll
// the meter that the first holds, run a second rigctld for the same radio, key it during the
// first's sweep and write config.ini over the first's.
class SettingsFolderLock : public QObject {
    Q_OBJECT

public:
    // The window knocks on a window that holds the folder, which comes to the front; the
    // command only looks, and holds a second name besides, so that a window started while it
    // sweeps can say what holds the folder.
    enum class Holder { Window, Command };
    explicit SettingsFolderLock(const QString& folder, Holder holder = Holder::Window);

    bool held() const { return m_lock.held(); }
    // For a window that did not get the folder: zm480-sweep sweeps with it, and the folder is
    // free again once it ends.
    bool commandSweeps() const;
    // For the second start, by what holds the folder: "ZM-480 Plot is already running
    // (process 4711) with the settings in /home/op/.config/zm480-plot; its window is brought
    // to the front.", or that zm480-sweep sweeps with them and that the window opens then.
    std::string alreadyRunningMessage() const;

signals:
    // Another start with the same folder asked for the window.
    void anotherStart();

private:
    QString m_folder;
    std::optional<ProgramLock> m_command;  // the command's name, taken before the folder's
    ProgramLock m_lock;
    QSocketNotifier* m_knocks = nullptr;
};

}  // namespace zm
