// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <functional>

namespace zm {

// While a sweep runs, the window keeps painting and answering the desktop but takes no
// input: a click on Run, a key typed into the start box or a menu opened mid-sweep would
// start a second sweep, re-plan the grid under the running one or open a dialog with the
// transmitter keyed. Every mouse button, wheel, key, shortcut and drop is dropped, for
// every widget of the program, except Escape, which asks the sweep to stop. The pointer
// shows the busy cursor meanwhile. Installed for its own lifetime.
class SweepInputFilter : public QObject {
public:
    explicit SweepInputFilter(std::function<void()> onEscape);
    ~SweepInputFilter() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> m_onEscape;
};

}  // namespace zm
