// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/history_window.h"

#include <QAction>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <array>

#include "chart/plot_mode.h"
#include "chart/trace_points.h"
#include "feedline/reading_plane.h"
#include "history/sweep_markers.h"
#include "numbers/number_text.h"
#include "zoom/application_zoom.h"

namespace zm {

namespace {

constexpr QSize kFirstSize(1000, 700);
constexpr std::array<const char*, 9> kHeadings = {"Taken",          "Antenna", "Band",
                                                  "Lowest SWR",     "at MHz",  "2:1 width, kHz",
                                                  "Resonance, MHz", "Points",  "Ended"};
constexpr int kIdRole = Qt::UserRole + 1;
const QString kNoBand = QStringLiteral("(no band)");

// A cell that sorts by its number, not its text: "9 kHz" before "10 kHz", and an empty cell
// (none) first.
class NumberItem : public QTableWidgetItem {
public:
    static constexpr double kNone = -1e300;
    NumberItem(const QString& text, std::optional<double> number)
        : NumberItem(text, number.value_or(kNone)) {}
    NumberItem(const QString& text, double number) : QTableWidgetItem(text) {
        setData(Qt::UserRole, number);
        setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    bool operator<(const QTableWidgetItem& other) const override {
        return data(Qt::UserRole).toDouble() < other.data(Qt::UserRole).toDouble();
    }
};

std::optional<double> mhz(std::optional<double> hz) {
    return hz ? std::optional(*hz / 1e6) : std::nullopt;
}

QString numberText(std::optional<double> value, int decimals) {
    return value ? QString::fromStdString(fixedNumber(*value, decimals)) : QString();
}

// The trend's values of a sweep, a series each: what the list beside the chart chose.
std::vector<std::optional<double>> trendValues(const SweepFeatures& features,
                                               HistoryWindow::Trend trend) {
    const std::optional<Resonance> resonance = mainResonance(features);
    const auto& minimum = features.swrMinimum;
    switch (trend) {
        case HistoryWindow::Trend::Frequencies:
            return {mhz(resonance ? std::optional(resonance->frequencyHz) : std::nullopt),
                    mhz(minimum ? std::optional(minimum->frequencyHz) : std::nullopt)};
        case HistoryWindow::Trend::LowestSwr:
            return {minimum ? std::optional(minimum->swr) : std::nullopt};
        case HistoryWindow::Trend::Width:
            return {features.bandwidthKHz()};
        case HistoryWindow::Trend::ResonanceR:
            return {resonance ? std::optional(resonance->resistanceOhms) : std::nullopt};
    }
    return {};
}

std::vector<QString> trendNames(HistoryWindow::Trend trend) {
    switch (trend) {
        case HistoryWindow::Trend::Frequencies:
            return {QStringLiteral("Resonance, MHz"), QStringLiteral("Lowest SWR at, MHz")};
        case HistoryWindow::Trend::LowestSwr:
            return {QStringLiteral("Lowest SWR")};
        case HistoryWindow::Trend::Width:
            return {QStringLiteral("2:1 width, kHz")};
        case HistoryWindow::Trend::ResonanceR:
            return {QStringLiteral("R at resonance, ohm")};
    }
    return {};
}

const std::array<QColor, 2> kTrendColours = {QColor(0, 0, 200), QColor(200, 0, 0)};

// A station that sweeps daily has hundreds of sweeps a band: the newest are drawn, which is
// what the eye can tell apart.
constexpr std::size_t kMostSweepsDrawn = 30;

// A chart drawn afresh: its series and axes gone.
void clearChart(QChart& chart) {
    chart.removeAllSeries();
    for (QAbstractAxis* axis : chart.axes()) {
        chart.removeAxis(axis);
        delete axis;
    }
}

// What the main chart's left axis calls a plot mode's values.
QString plotModeTitle(int plotMode) {
    constexpr std::array<const char*, 5> kTitles = {"R, X ohm", "Z ohm, phase degrees", "SWR",
                                                    "SWR", "RHO"};
    return plotMode >= 0 && plotMode < int(kTitles.size()) ? QString::fromLatin1(kTitles[plotMode])
                                                           : QString();
}

}  // namespace

HistoryWindow::HistoryWindow(std::filesystem::path folder, HistorySettings limits,
                             MessageBoxes& messages, ChosenSweepHandlers handlers,
                             QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_store(std::move(folder)),
      m_limits(limits),
      m_messages(messages),
      m_handlers(std::move(handlers)),
      m_zoom(applicationZoom()) {
    setWindowTitle(QStringLiteral("History – ZM-480 Plot"));
    m_antennas = new QComboBox(this);
    m_antennas->setAccessibleName(QStringLiteral("Antenna"));
    m_bands = new QComboBox(this);
    m_bands->setAccessibleName(QStringLiteral("Band"));
    m_trendList = new QComboBox(this);
    m_trendList->setAccessibleName(QStringLiteral("Trend"));
    m_trendList->addItems({QStringLiteral("Resonance and lowest SWR, MHz"),
                           QStringLiteral("Lowest SWR"), QStringLiteral("2:1 width, kHz"),
                           QStringLiteral("R at resonance, ohm")});
    auto* picks = new QHBoxLayout;
    for (const auto& [caption, list] :
         {std::pair("&Antenna", m_antennas), std::pair("&Band", m_bands),
          std::pair("&Trend", m_trendList)}) {
        auto* label = new QLabel(QString::fromLatin1(caption), this);
        label->setBuddy(list);
        picks->addWidget(label);
        picks->addWidget(list, 1);
    }

    m_chart = new QChart;
    m_chart->legend()->setAlignment(Qt::AlignBottom);
    m_chartView = new QChartView(m_chart, this);
    m_chartView->setRenderHint(QPainter::Antialiasing);
    m_chartView->setAccessibleName(QStringLiteral("Trend"));
    m_sweepsChart = new QChart;
    m_sweepsChart->legend()->hide();
    auto* sweepsView = new QChartView(m_sweepsChart, this);
    sweepsView->setRenderHint(QPainter::Antialiasing);
    sweepsView->setAccessibleName(QStringLiteral("Sweeps over each other"));
    auto* charts = new QHBoxLayout;
    charts->addWidget(m_chartView, 1);
    charts->addWidget(sweepsView, 1);
    m_status = new QLabel(this);
    m_status->setTextFormat(Qt::PlainText);

    m_table = new QTableWidget(0, int(kHeadings.size()), this);
    QStringList headings;
    for (const char* heading : kHeadings) {
        headings << QString::fromLatin1(heading);
    }
    m_table->setHorizontalHeaderLabels(headings);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setSortingEnabled(true);
    m_table->setAccessibleName(QStringLiteral("Sweeps"));

    auto* buttons = new QHBoxLayout;
    const auto button = [&](const char* text, void (HistoryWindow::*action)()) {
        auto* pressed = new QPushButton(QString::fromLatin1(text), this);
        connect(pressed, &QPushButton::clicked, this, action);
        buttons->addWidget(pressed);
    };
    button("&Keep as memory", &HistoryWindow::keepChosen);
    button("&Save as...", &HistoryWindow::saveChosen);
    button("&Mark as reference", &HistoryWindow::markChosen);
    button("&Delete...", &HistoryWindow::deleteChosen);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(picks);
    layout->addLayout(charts, 3);
    layout->addWidget(m_status);
    layout->addWidget(m_table, 2);
    layout->addLayout(buttons);

    m_pictureActions = makePictureActions(this);
    addActions({m_pictureActions.copyImage, m_pictureActions.saveImage});
    setContextMenuPolicy(Qt::ActionsContextMenu);
    resizeForZoom(*this, kFirstSize, m_zoom.factor());

    connect(m_antennas, &QComboBox::activated, this, [this] { showBands(); });
    connect(m_bands, &QComboBox::activated, this, [this] { showSweeps(); });
    connect(m_trendList, &QComboBox::activated, this,
            [this](int index) { setTrend(static_cast<Trend>(index)); });
}

void HistoryWindow::reload(const std::string& antennaInUse) {
    std::string problem;
    const std::vector<std::string> names = m_store.antennas(problem);
    say(problem);
    const QString chosen = m_antennas->currentIndex() >= 0 ? m_antennas->currentText()
                                                           : QString::fromStdString(antennaInUse);
    m_antennas->clear();
    for (const std::string& name : names) {
        m_antennas->addItem(QString::fromStdString(name));
    }
    m_antennas->setCurrentIndex(std::max(0, m_antennas->findText(chosen)));
    showBands();
}

// The antenna's bands in the order it was first swept in them, the last swept chosen.
void HistoryWindow::showBands() {
    const QString chosen = m_bands->currentText();
    m_bands->clear();
    std::string problem;
    const std::vector<SweepSummary> sweeps =
        m_antennas->count() == 0
            ? std::vector<SweepSummary>()
            : m_store.list({.antenna = m_antennas->currentText().toStdString()}, problem);
    say(problem);
    for (const SweepSummary& sweep : sweeps) {
        const QString band = sweep.band.empty() ? kNoBand : QString::fromStdString(sweep.band);
        if (m_bands->findText(band) < 0) {
            m_bands->addItem(band);
        }
    }
    const QString last = sweeps.empty()               ? QString()
                         : sweeps.back().band.empty() ? kNoBand
                                                      : QString::fromStdString(sweeps.back().band);
    const int kept = m_bands->findText(chosen);
    m_bands->setCurrentIndex(kept >= 0 ? kept : m_bands->findText(last));
    showSweeps();
}

void HistoryWindow::showSweeps() {
    m_points.clear();
    const QString band = m_bands->currentText();
    if (m_bands->currentIndex() >= 0) {
        std::string problem;
        m_points =
            m_store.trend(m_antennas->currentText().toStdString(),
                          band == kNoBand ? std::string() : band.toStdString(), m_limits, problem);
        say(problem);
    }
    m_table->setSortingEnabled(false);
    m_table->setRowCount(int(m_points.size()));
    for (std::size_t i = 0; i < m_points.size(); ++i) {
        const SweepSummary& sweep = m_points[i].sweep;
        const SweepFeatures& features = sweep.markers.features;
        const std::optional<Resonance> resonance = mainResonance(features);
        const auto& minimum = features.swrMinimum;
        const int row = int(i);
        auto* taken =
            new NumberItem(QString::fromStdString(localTimeText(sweep.taken).substr(0, 16) +
                                                  (m_points[i].isReference ? " (reference)" : "")),
                           double(sweep.taken.utcSeconds));
        taken->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        taken->setData(kIdRole, qlonglong(sweep.id));
        m_table->setItem(row, 0, taken);
        m_table->setItem(row, 1, new QTableWidgetItem(QString::fromStdString(sweep.antenna)));
        m_table->setItem(row, 2, new QTableWidgetItem(band));
        const auto swr = minimum ? std::optional(minimum->swr) : std::nullopt;
        const auto at = mhz(minimum ? std::optional(minimum->frequencyHz) : std::nullopt);
        const auto resonant = mhz(resonance ? std::optional(resonance->frequencyHz) : std::nullopt);
        m_table->setItem(row, 3, new NumberItem(numberText(swr, 2), swr));
        m_table->setItem(row, 4, new NumberItem(numberText(at, 3), at));
        m_table->setItem(
            row, 5,
            new NumberItem(numberText(features.bandwidthKHz(), 0), features.bandwidthKHz()));
        m_table->setItem(row, 6, new NumberItem(numberText(resonant, 3), resonant));
        m_table->setItem(row, 7, new NumberItem(QString::number(sweep.points), sweep.points));
        m_table->setItem(row, 8,
                         new QTableWidgetItem(QString::fromStdString(endingText(sweep.ending))));
    }
    m_table->setSortingEnabled(true);
    drawTrend();
    drawSweeps();
}

void HistoryWindow::setPlotMode(int plotMode) {
    m_plotMode = plotMode;
    drawSweeps();
}

// Each at the plane it was shown at, through its own feedline, as the main chart showed it.
void HistoryWindow::drawSweeps() {
    clearChart(*m_sweepsChart);
    std::vector<StoredSweep> sweeps;
    if (m_bands->currentIndex() >= 0) {
        std::string problem;
        const QString band = m_bands->currentText();
        sweeps = m_store.sweeps(m_antennas->currentText().toStdString(),
                                band == kNoBand ? std::string() : band.toStdString(), problem);
        say(problem);
    }
    const std::size_t first =
        sweeps.size() > kMostSweepsDrawn ? sweeps.size() - kMostSweepsDrawn : 0;
    auto* frequencies = new QValueAxis;
    frequencies->setTitleText(QStringLiteral("MHz"));
    frequencies->setLabelFormat(QStringLiteral("%.3f"));
    auto* values = new QValueAxis;
    values->setTitleText(plotModeTitle(m_plotMode));
    m_sweepsChart->addAxis(frequencies, Qt::AlignBottom);
    m_sweepsChart->addAxis(values, Qt::AlignLeft);
    const std::vector<int> shown = plotModeSeries(m_plotMode);
    double low = 1e300, high = -1e300, lowHz = 1e300, highHz = -1e300;
    for (std::size_t i = first; i < sweeps.size(); ++i) {
        const SweepEntry& entry = sweeps[i].entry;
        const SweepRecord record = recordAtPlane(entry.record, entry.shownPlane,
                                                 entry.feedline ? &*entry.feedline : nullptr);
        // From light for the oldest to strong for the newest.
        const double age =
            sweeps.size() - first > 1 ? double(i - first) / double(sweeps.size() - first - 1) : 1.0;
        for (std::size_t k = 0; k < shown.size(); ++k) {
            auto* line = new QLineSeries;
            QPen pen(QColor::fromHsvF(k == 0 ? 0.62f : 0.35f, float(0.15 + 0.85 * age),
                                      float(0.95 - 0.35 * age)),
                     1.0 + 1.5 * age, k == 0 ? Qt::SolidLine : Qt::DashLine);
            line->setPen(pen);
            line->setName(QString::fromStdString(localTimeText(*entry.taken).substr(0, 16)));
            for (const SweepPoint& point : record.points) {
                if (point.reading) {
                    const double value = seriesValue(*point.reading, shown[k], record.plane);
                    line->append(double(point.frequencyHz) / 1e6, value);
                    low = std::min(low, value);
                    high = std::max(high, value);
                    lowHz = std::min(lowHz, double(point.frequencyHz));
                    highHz = std::max(highHz, double(point.frequencyHz));
                }
            }
            m_sweepsChart->addSeries(line);
            line->attachAxis(frequencies);
            line->attachAxis(values);
        }
    }
    if (lowHz < highHz) {
        frequencies->setRange(lowHz / 1e6, highHz / 1e6);
    }
    // The SWR and RHO modes keep the main chart's scales.
    if (m_plotMode == 2 || m_plotMode == 3) {
        values->setRange(1.0, m_plotMode == 2 ? 3.0 : 10.0);
    } else if (m_plotMode == 4) {
        values->setRange(0.0, 1.0);
    } else if (low < high) {
        values->setRange(low - (high - low) * 0.05, high + (high - low) * 0.05);
    }
    m_sweepsChart->setTitle(
        sweeps.size() > kMostSweepsDrawn
            ? QStringLiteral("The newest %1 of %2 sweeps").arg(kMostSweepsDrawn).arg(sweeps.size())
            : QString());
}

void HistoryWindow::setTrend(Trend trend) {
    m_trend = trend;
    m_trendList->setCurrentIndex(static_cast<int>(trend));
    drawTrend();
}

// One point a sweep at its time, and the reference's first value as a dashed line across.
void HistoryWindow::drawTrend() {
    clearChart(*m_chart);
    const std::vector<QString> names = trendNames(m_trend);
    std::vector<QLineSeries*> series;
    for (std::size_t k = 0; k < names.size(); ++k) {
        auto* line = new QLineSeries;
        line->setName(names[k]);
        line->setPointsVisible(true);
        line->setColor(kTrendColours[k % kTrendColours.size()]);
        series.push_back(line);
    }
    auto* reference = new QLineSeries;
    reference->setName(QStringLiteral("Reference"));
    QPen dashed(Qt::darkGray, 1.5, Qt::DashLine);
    reference->setPen(dashed);
    std::optional<double> referenceValue;
    double first = 0.0, last = 0.0, low = 1e300, high = -1e300;
    for (const HistoryStore::TrendPoint& point : m_points) {
        const double ms = double(point.sweep.taken.utcSeconds) * 1000.0;
        first = first == 0.0 ? ms : first;
        last = ms;
        const std::vector<std::optional<double>> values =
            trendValues(point.sweep.markers.features, m_trend);
        for (std::size_t k = 0; k < values.size() && k < series.size(); ++k) {
            if (values[k]) {
                series[k]->append(ms, *values[k]);
                low = std::min(low, *values[k]);
                high = std::max(high, *values[k]);
            }
        }
        if (point.isReference && !values.empty()) {
            referenceValue = values.front();
        }
    }
    if (referenceValue) {
        reference->append(first, *referenceValue);
        reference->append(last > first ? last : first + 1000.0, *referenceValue);
    }
    auto* dates = new QDateTimeAxis;
    // Sweeps of one day apart by their time, of seasons by their day.
    constexpr double kTwoDaysMs = 2 * 86400e3;
    dates->setFormat(last - first < kTwoDaysMs ? QStringLiteral("d MMM hh:mm")
                                               : QStringLiteral("d MMM yyyy"));
    dates->setTitleText(QStringLiteral("Taken"));
    dates->setRange(QDateTime::fromMSecsSinceEpoch(qint64(first)),
                    QDateTime::fromMSecsSinceEpoch(qint64(last > first ? last : first + 1000.0)));
    auto* values = new QValueAxis;
    values->setLabelFormat(m_trend == Trend::Frequencies ? QStringLiteral("%.3f")
                                                         : QStringLiteral("%.2f"));
    if (low <= high) {
        const double margin = std::max((high - low) * 0.1, std::abs(high) * 1e-4 + 1e-9);
        values->setRange(low - margin, high + margin);
    }
    m_chart->addAxis(dates, Qt::AlignBottom);
    m_chart->addAxis(values, Qt::AlignLeft);
    series.push_back(reference);
    for (QLineSeries* line : series) {
        m_chart->addSeries(line);
        line->attachAxis(dates);
        line->attachAxis(values);
    }
    m_status->setText(
        m_points.empty()
            ? QStringLiteral("No sweep of this antenna is in the history yet.")
            : QStringLiteral("%1 sweeps; the reference is dashed.").arg(m_points.size()));
}

std::optional<SweepId> HistoryWindow::chosenSweep() const {
    const QList<QTableWidgetItem*> chosen = m_table->selectedItems();
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    const QTableWidgetItem* first = m_table->item(chosen.front()->row(), 0);
    return first ? std::optional(SweepId(first->data(kIdRole).toLongLong())) : std::nullopt;
}

std::optional<StoredSweep> HistoryWindow::readChosen() {
    std::string problem;
    const auto id = chosenSweep();
    auto sweep = id ? m_store.sweep(*id, problem) : std::nullopt;
    say(problem);
    return sweep;
}

void HistoryWindow::keepChosen() {
    if (const auto sweep = readChosen()) {
        m_handlers.keep(*sweep);
    }
}

void HistoryWindow::saveChosen() {
    if (const auto sweep = readChosen()) {
        m_handlers.save(*sweep);
    }
}

void HistoryWindow::markChosen() {
    std::string problem;
    if (const auto id = chosenSweep(); id && m_store.markReference(*id, problem)) {
        showSweeps();
    }
    say(problem);
}

void HistoryWindow::deleteChosen() {
    const auto id = chosenSweep();
    if (!id) {
        return;
    }
    const QString taken = m_table->item(m_table->currentRow(), 0)->text();
    if (!m_messages.confirm("Delete the sweep of " + taken.toStdString() + " (" +
                            m_antennas->currentText().toStdString() +
                            ") from the history? It cannot be had back.")) {
        return;
    }
    std::string problem;
    if (m_store.remove(*id, problem)) {
        showBands();
    }
    say(problem);
}

void HistoryWindow::say(const std::string& problem) {
    if (!problem.empty()) {
        m_messages.show(problem);
    }
}

void HistoryWindow::setZoom(Zoom zoom) {
    resizeForZoom(*this, size(), zoom.factor() / m_zoom.factor());
    m_zoom = zoom;
}

QString HistoryWindow::shownTitle() const {
    return m_antennas->currentText() +
           (m_bands->currentIndex() >= 0 ? ", " + m_bands->currentText() : QString());
}

void HistoryWindow::paintPicture(QPainter& painter, const QRectF& area) {
    paintWidgetPicture(*this, painter, area);
}

QList<LegendEntry> HistoryWindow::legend() const {
    return {};  // the chart's own legend is in the picture
}

}  // namespace zm
