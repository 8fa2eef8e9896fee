// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/match_dialog.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "matching/match_text.h"
#include "numbers/number_text.h"
#include "zoom/application_zoom.h"

namespace zm {

namespace {

constexpr int kPathSamples = 48;  // per component: a smooth arc at any window size

constexpr const char* kOrderAtMeter =
    "Components in order from the transmitter to the antenna; a shunt part goes across "
    "the line at its place. Ideal parts, values at the point's frequency.";
constexpr const char* kOrderAtAntenna =
    "At the antenna: the network sits at the feedpoint, components in order from the "
    "feedline to the antenna; a shunt part goes across the line at its place. Ideal parts, "
    "values at the point's frequency.";
constexpr std::string_view kAtAntenna = " at the antenna";

}  // namespace

MatchDialog::MatchDialog(Clipboard& clipboard, QWidget* parent)
    : QDialog(parent), m_clipboard(clipboard) {
    setWindowTitle("Match this point – ZM-480 Plot");
    m_pointLabel = new QLabel(this);
    m_pointLabel->setTextFormat(Qt::PlainText);
    m_orderLabel = new QLabel(kOrderAtMeter, this);
    m_orderLabel->setWordWrap(true);
    m_list = new QListWidget(this);
    m_list->setMinimumWidth(static_cast<int>(applicationZoom().scaled(520)));  // a network a line
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* copyButton = buttons->addButton("Copy", QDialogButtonBox::ActionRole);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pointLabel);
    layout->addWidget(m_orderLabel);
    layout->addWidget(m_list);
    layout->addWidget(buttons);

    // Ctrl+C anywhere in the window copies the whole list, not the list's current row.
    auto* copyKey = new QAction(this);
    copyKey->setShortcut(QKeySequence::Copy);
    copyKey->setShortcutContext(Qt::WindowShortcut);
    addAction(copyKey);
    connect(copyKey, &QAction::triggered, this, &MatchDialog::copy);
    connect(copyButton, &QPushButton::clicked, this, &MatchDialog::copy);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::currentRowChanged, this, &MatchDialog::choose);
}

void MatchDialog::setPoint(const TracePoint& point) {
    m_list->clear();
    m_match = MatchResult{};
    m_text.clear();
    const bool atAntenna = point.plane == Plane::Antenna;
    m_orderLabel->setText(atAntenna ? kOrderAtAntenna : kOrderAtMeter);
    const std::string traceName = point.traceName + (atAntenna ? std::string(kAtAntenna) : "");
    const double hz = static_cast<double>(point.point.frequencyHz);
    if (!point.point.reading) {
        m_pointLabel->setText(QString::fromStdString(traceName + ", " + megahertzText(hz) +
                                                     " MHz: no reading to match"));
        choose(-1);
        return;
    }
    m_load = point.point.reading->impedance();
    m_match = matchLoad(m_load);
    m_text = (atAntenna ? "At the antenna\n" : "") + matchText(hz, m_load, m_match);
    m_pointLabel->setText(QString::fromStdString(traceName + ", " + matchPointLine(hz, m_load)));
    if (m_match.verdict != MatchVerdict::Networks) {
        m_list->addItem(QString::fromStdString(verdictLine(m_load, m_match)));
        choose(-1);
        return;
    }
    for (std::size_t i = 0; i < m_match.networks.size(); ++i) {
        m_list->addItem(QString::number(i + 1) + ". " +
                        QString::fromStdString(networkDescription(m_match.networks[i], hz)));
    }
    m_list->setCurrentRow(0);
}

void MatchDialog::choose(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= m_match.networks.size()) {
        setPath({});
        return;
    }
    setPath(matchPath(m_load, m_match.networks[static_cast<std::size_t>(row)], kPathSamples));
}

void MatchDialog::setPath(std::vector<std::complex<double>> path) {
    m_path = std::move(path);
    if (onPathChosen) {
        onPathChosen(m_path);
    }
}

void MatchDialog::copy() {
    if (!m_text.empty()) {
        m_clipboard.setText(m_text);
    }
}

void MatchDialog::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    setPath({});
}

}  // namespace zm
