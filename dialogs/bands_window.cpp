// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/bands_window.h"

#include <QAction>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QSettings>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "chart/swr_panel.h"
#include "zoom/application_zoom.h"

namespace zm {

namespace {

// Fits a laptop's 1366 x 768 with the desktop's panel: five panels a row, and a table of
// a dozen bands without scrolling.
constexpr QSize kFirstSize(1200, 700);
constexpr int kMostPanelsInARow = 5;
constexpr int kRowPaddingPx = 8;

// A row of the table as a screen reader says it: "Lowest SWR 1.31, at 14.150, ...".
QString spokenRow(const BandReportRow& row) {
    QStringList cells;
    for (std::size_t column = 1; column < row.size(); ++column) {
        cells << QString::fromUtf8(kBandReportHeadings[column].data(),
                                   static_cast<qsizetype>(kBandReportHeadings[column].size())) +
                     ' ' + QString::fromStdString(row[column]);
    }
    return cells.join(QStringLiteral(", "));
}

// Rows as even as they come: 6 bands in two rows of 3, 7 in rows of 4 and 3.
int panelsInARow(int bands) {
    const int rows = (bands + kMostPanelsInARow - 1) / kMostPanelsInARow;
    return rows == 0 ? 1 : (bands + rows - 1) / rows;
}

}  // namespace

BandsWindow::BandsWindow(QString settingsPath, Clipboard& clipboard, QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_settingsPath(std::move(settingsPath)),
      m_clipboard(clipboard),
      m_zoom(applicationZoom()) {
    setWindowTitle("Bands – ZM-480 Plot");
    m_heading = new QLabel(this);
    m_heading->setTextFormat(Qt::PlainText);
    m_panels = new QWidget(this);
    m_panelGrid = new QGridLayout(m_panels);
    m_panelGrid->setContentsMargins(0, 0, 0, 0);
    m_panelGrid->setSpacing(6);
    m_table = new QTableWidget(0, static_cast<int>(kBandReportHeadings.size()), this);
    QStringList headings;
    for (const std::string_view heading : kBandReportHeadings) {
        headings << QString::fromUtf8(heading.data(), static_cast<qsizetype>(heading.size()));
    }
    m_table->setHorizontalHeaderLabels(headings);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    // Tab reaches it, and the arrows walk its cells for a screen reader; Ctrl+C still copies
    // the whole table, the window's shortcut, not the cell.
    m_table->setAccessibleName(QStringLiteral("Bands"));

    // The panels take what the table, every row of it in sight, leaves.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(m_heading);
    layout->addWidget(m_panels, 1);
    layout->addWidget(m_table);

    auto* copyTable = new QAction("Copy table", this);
    copyTable->setShortcut(QKeySequence::Copy);
    copyTable->setShortcutContext(Qt::WindowShortcut);
    connect(copyTable, &QAction::triggered, this, &BandsWindow::copy);
    m_pictureActions = makePictureActions(this);
    addActions({copyTable, m_pictureActions.copyImage, m_pictureActions.saveImage});
    setContextMenuPolicy(Qt::ActionsContextMenu);

    resizeForZoom(*this, kFirstSize, m_zoom.factor());
    restoreSettings();
    setBands({});
}

void BandsWindow::setBands(const std::vector<BandResult>& bands) {
    while (QLayoutItem* item = m_panelGrid->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    const double swrTop = sharedSwrTop(bands);
    const int inARow = panelsInARow(static_cast<int>(bands.size()));
    std::vector<BandReportRow> rows;
    m_table->setRowCount(static_cast<int>(bands.size()));
    for (std::size_t i = 0; i < bands.size(); ++i) {
        const int at = static_cast<int>(i);
        auto* panel = new SwrPanel(bands[i].bandName, bands[i].record, swrTop, m_zoom, m_panels);
        m_panelGrid->addWidget(panel, at / inARow, at % inARow);
        rows.push_back(bandReportRow(bands[i]));
        panel->setAccessibleName(QString::fromStdString(bands[i].bandName + " SWR"));
        panel->setAccessibleDescription(spokenRow(rows.back()));
        for (std::size_t column = 0; column < rows.back().size(); ++column) {
            auto* item = new QTableWidgetItem(QString::fromStdString(rows.back()[column]));
            item->setTextAlignment(column == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                                               : Qt::AlignCenter);
            m_table->setItem(at, static_cast<int>(column), item);
        }
    }
    m_text = bandReportText(rows);
    fitTable();
    const std::string& taken = bands.empty() ? std::string() : bands.front().record.notes.takenAt;
    m_heading->setText(bands.empty() ? QString()
                                     : QStringLiteral("Swept %1. SWR from 1 to %2 in every "
                                                      "panel, shaded where it is under 2.0.")
                                           .arg(QString::fromStdString(taken.substr(0, 16)))
                                           .arg(swrTop));
}

void BandsWindow::setZoom(Zoom zoom) {
    resizeForZoom(*this, size(), zoom.factor() / m_zoom.factor());
    m_zoom = zoom;
    for (SwrPanel* panel : m_panels->findChildren<SwrPanel*>(Qt::FindDirectChildrenOnly)) {
        panel->setZoom(zoom);
    }
    fitTable();
}

void BandsWindow::fitTable() {
    m_table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() +
                                                     m_zoom.scaled(kRowPaddingPx));
    m_table->setFixedHeight(m_table->horizontalHeader()->sizeHint().height() +
                            m_table->verticalHeader()->defaultSectionSize() * m_table->rowCount() +
                            2 * m_table->frameWidth());
}

int BandsWindow::panelCount() const {
    return m_panelGrid->count();
}

void BandsWindow::copy() {
    m_clipboard.setText(m_text);
}

void BandsWindow::paintPicture(QPainter& painter, const QRectF& area) {
    paintWidgetPicture(*this, painter, area);
}

// A file that is missing or damaged leaves the first size and the system's place.
void BandsWindow::restoreSettings() {
    const QSettings settings(m_settingsPath, QSettings::IniFormat);
    restoreGeometry(settings.value("geometry").toByteArray());
}

void BandsWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    QSettings(m_settingsPath, QSettings::IniFormat).setValue("geometry", saveGeometry());
}

}  // namespace zm
