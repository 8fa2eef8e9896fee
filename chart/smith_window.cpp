// SPDX-License-Identifier: GPL-3.0-or-later

#include "chart/smith_window.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

#include "zoom/application_zoom.h"

namespace zm {

namespace {

constexpr QSize kFirstSize(800, 640);  // wide enough for the legend beside the chart

}  // namespace

SmithWindow::SmithWindow(QString settingsPath, QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_settingsPath(std::move(settingsPath)),
      m_zoom(applicationZoom()) {
    setWindowTitle("Smith chart – ZM-480 Plot");
    m_chart = new SmithChart(this);
    m_gridList = new QComboBox(this);
    m_gridList->addItems({"Impedance grid", "Admittance grid", "Both grids"});
    m_labelList = new QComboBox(this);
    m_labelList->addItems({"Normalised to 50 Ω", "In Ω and mS"});
    auto* whole = new QPushButton("Whole chart", this);
    auto* controls = new QHBoxLayout;
    controls->addWidget(m_gridList);
    controls->addWidget(m_labelList);
    controls->addStretch();
    controls->addWidget(whole);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(controls);
    layout->addWidget(m_chart, 1);
    connect(m_gridList, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_chart->setGrid(static_cast<SmithChart::Grid>(index)); });
    connect(m_labelList, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_chart->setLabels(static_cast<SmithChart::Labels>(index)); });
    connect(whole, &QPushButton::clicked, m_chart, &SmithChart::showWhole);
    m_chart->setWindowZoom(m_zoom);
    resizeForZoom(*this, kFirstSize, m_zoom.factor());
    restoreSettings();
}

void SmithWindow::setZoom(Zoom zoom) {
    resizeForZoom(*this, size(), zoom.factor() / m_zoom.factor());
    m_zoom = zoom;
    m_chart->setWindowZoom(zoom);
}

// A file that is missing or damaged leaves the first size and the impedance grid.
void SmithWindow::restoreSettings() {
    const QSettings settings(m_settingsPath, QSettings::IniFormat);
    restoreGeometry(settings.value("geometry").toByteArray());
    const int grid = settings.value("grid", 0).toInt();
    const int labels = settings.value("labels", 0).toInt();
    m_gridList->setCurrentIndex(grid >= 0 && grid < m_gridList->count() ? grid : 0);
    m_labelList->setCurrentIndex(labels >= 0 && labels < m_labelList->count() ? labels : 0);
}

void SmithWindow::saveSettings() const {
    QSettings settings(m_settingsPath, QSettings::IniFormat);
    settings.setValue("geometry", saveGeometry());
    settings.setValue("grid", m_gridList->currentIndex());
    settings.setValue("labels", m_labelList->currentIndex());
}

void SmithWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    saveSettings();
}

}  // namespace zm
