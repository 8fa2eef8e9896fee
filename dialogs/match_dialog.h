// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>
#include <complex>
#include <functional>
#include <vector>

#include "chart/chart_control.h"
#include "dialogs/clipboard.h"
#include "matching/l_network.h"

class QLabel;
class QListWidget;

namespace zm {

// The small window that lists every L-network for a point, one a row with its form, its
// components from the transmitter (or, for a point at the antenna, from the feedline) to
// the antenna, their values and reactances. Choosing a
// row hands that network's path to onPathChosen, for the Smith chart; Copy (or Ctrl+C)
// puts the whole list on the clipboard as text another program can read.
class MatchDialog : public QDialog {
public:
    MatchDialog(Clipboard& clipboard, QWidget* parent);

    // The networks of the point's reading; a point without one has none to list.
    void setPoint(const TracePoint& point);
    // Runs with the chosen network's path from the load to the centre, and with an empty
    // path when the window closes.
    std::function<void(std::vector<std::complex<double>>)> onPathChosen;

    // The chosen network's path; empty while none is chosen or the window is hidden.
    const std::vector<std::complex<double>>& path() const { return m_path; }
    // What Copy puts on the clipboard; empty for a point without a reading.
    const std::string& text() const { return m_text; }
    QListWidget* list() const { return m_list; }
    void copy();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void choose(int row);
    void setPath(std::vector<std::complex<double>> path);

    Clipboard& m_clipboard;
    QLabel* m_pointLabel = nullptr;
    QLabel* m_orderLabel = nullptr;
    QListWidget* m_list = nullptr;
    std::complex<double> m_load;
    MatchResult m_match;
    std::string m_text;
    std::vector<std::complex<double>> m_path;
};

}  // namespace zm
