// SPDX-License-Identifier: GPL-3.0-or-later

#include "chart/qt_chart_control.h"

#include <QAccessibleWidget>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QContextMenuEvent>
#include <QGraphicsLayout>
#include <QLineSeries>
#include <QMouseEvent>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <functional>
#include <stdexcept>

#include "chart/auto_scale.h"
#include "chart/chart_menu.h"
#include "chart/curve_runs.h"
#include "chart/frequency_labels.h"
#include "chart/marker_box.h"
#include "numbers/number_text.h"
#include "sweep/plot_grid.h"

namespace zm {

namespace {

// The legend strip's colours: series k is sampled by the line under the k-th word.
const std::array<QColor, QtChartControl::kSeriesCount> kSeriesColours{
    QColor(255, 0, 0), QColor(0, 255, 0),   QColor(0, 0, 255),
    QColor(0, 0, 0),   QColor(255, 0, 255), QColor(0, 255, 255)};
constexpr qreal kLineWidthPx = 2.0;
constexpr int kLabelSpacingPx = 50;  // "1638.25" in the axis font, with a gap

// Runs the control's pending drawing before each paint, so a grab or a print after a data
// hand-over never shows the previous sweep, re-labels after a resize, and passes the mouse
// and the context menu on. At a zoom the chart is laid out at the view's size shrunk by
// the zoom and shown magnified: every text, line and marker grows alike, the mouse maps
// through the same transform, and a picture rendered from the scene is unaffected.
class ChartView : public QChartView {
public:
    explicit ChartView(QChart* chart) : QChartView(chart) {}
    void setZoom(Zoom zoom) {
        m_zoom = zoom;
        fitChart();
    }
    Zoom zoom() const { return m_zoom; }
    std::function<void()> beforePaint;
    std::function<void()> afterResize;
    std::function<void(QPointF)> hoverAt;  // an empty point: the mouse has left
    std::function<void(QPoint)> menuAt;

protected:
    void paintEvent(QPaintEvent* event) override {
        if (beforePaint) {
            beforePaint();
        }
        QChartView::paintEvent(event);
    }
    void resizeEvent(QResizeEvent* event) override {
        QChartView::resizeEvent(event);
        fitChart();
        if (afterResize) {
            afterResize();
        }
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        QChartView::mouseMoveEvent(event);
        if (hoverAt) {
            hoverAt(event->position());
        }
    }
    void leaveEvent(QEvent* event) override {
        QChartView::leaveEvent(event);
        if (hoverAt) {
            hoverAt(QPointF(-1, -1));
        }
    }
    // Right click, or the Menu key on the focused chart: that one opens at the chart's middle.
    void contextMenuEvent(QContextMenuEvent* event) override {
        if (menuAt) {
            menuAt(event->reason() == QContextMenuEvent::Keyboard ? mapToGlobal(rect().center())
                                                                  : event->globalPos());
        }
    }

private:
    void fitChart() {
        setTransform(QTransform::fromScale(m_zoom.factor(), m_zoom.factor()));
        chart()->resize(QSizeF(size()) / m_zoom.factor());
        setSceneRect(chart()->geometry());
    }

    Zoom m_zoom;
};

// The view is the chart to a screen reader: the role Chart, the name its window gives it,
// and what the markers say as its description.
QAccessibleInterface* chartViewAccessible(const QString&, QObject* object) {
    if (auto* view = dynamic_cast<ChartView*>(object)) {
        return new QAccessibleWidget(view, QAccessible::Chart);
    }
    return nullptr;
}

std::string labelText(const Cell& cell) {
    if (const auto* text = std::get_if<std::string>(&cell)) {
        const auto first = text->find_first_not_of(' ');
        const auto last = text->find_last_not_of(' ');
        return first == std::string::npos ? std::string() : text->substr(first, last - first + 1);
    }
    if (std::holds_alternative<std::monostate>(cell)) {
        return {};
    }
    return generalNumber(cellValue(cell));
}

// The chart's value of a cell; NaN for an empty one, which has no value to draw.
double drawnValue(const Cell& cell) {
    return std::holds_alternative<std::monostate>(cell) ? NAN : cellValue(cell);
}

}  // namespace

QtChartControl::QtChartControl() {
    buildChart();
}

QColor QtChartControl::seriesColour(int series) {
    return kSeriesColours.at(static_cast<std::size_t>(series - 1));
}

QtChartControl::~QtChartControl() {
    QObject::disconnect(m_plotAreaWatch);  // the chart may live on in its window
    if (auto* view = static_cast<ChartView*>(m_view.data())) {
        view->beforePaint = nullptr;
        view->afterResize = nullptr;
        view->hoverAt = nullptr;
        view->menuAt = nullptr;
        if (view->parent() == nullptr) {
            delete view;
        }
    }
}

void QtChartControl::buildChart() {
    m_chart = new QChart;
    m_chart->setAnimationOptions(QChart::NoAnimation);
    m_chart->legend()->hide();  // the window draws its own legend strip
    m_chart->setBackgroundRoundness(0);
    m_chart->setMargins(QMargins(2, 2, 2, 2));
    QAccessible::installFactory(chartViewAccessible);  // once: a factory installed is kept
    auto* view = new ChartView(m_chart);
    view->beforePaint = [this] { drawPendingData(); };
    view->afterResize = [this] {
        m_labelsPending = true;
        wrapNotice(m_chart->size().width());
    };
    view->hoverAt = [this](QPointF position) { hoverAt(position); };
    view->setMouseTracking(true);
    m_menu = makeChartMenuActions(view);
    // The menu takes the hovered point as it opens: the menu's own popup ends the hover.
    view->menuAt = [this](QPoint global) {
        m_menuPoint = m_hovered;
        m_menu.matchPoint->setEnabled(m_menuPoint.has_value());
        execChartMenu(m_menu, global);
    };
    m_view = view;

    QFont axisFont;
    axisFont.setPointSizeF(8.0);
    m_frequencyAxis = new QCategoryAxis;
    m_frequencyAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    m_frequencyAxis->setTitleText("Frequency - MHz");
    m_frequencyAxis->setRange(0.0, 1.0);
    m_chart->addAxis(m_frequencyAxis, Qt::AlignBottom);
    for (const AxisId id : {AxisId::Y, AxisId::Y2}) {
        auto* axis = new QValueAxis;
        axis->setRange(0.0, 1.0);
        // Qt elides a value label at four pixels short of twice its height between ticks:
        // "…" all up the SWR 3:1 axis once the marker box takes a band of the chart's height.
        axis->setTruncateLabels(false);
        m_chart->addAxis(axis, id == AxisId::Y ? Qt::AlignLeft : Qt::AlignRight);
        scale(id).axis = axis;
    }
    for (QAbstractAxis* axis : m_chart->axes()) {
        axis->setLabelsFont(axisFont);
        axis->setTitleFont(axisFont);
    }
    m_chart->setTitleFont(axisFont);
    // The design-time table: six empty series, so a plot mode applies before any sweep.
    for (std::size_t i = 0; i < m_series.size(); ++i) {
        m_series[i] = addLine(QPen(kSeriesColours[i], kLineWidthPx), int(i) + 1);
    }
    buildResultItems();
}

std::unique_ptr<TraceLine> QtChartControl::addLine(const QPen& pen, int series) {
    return std::make_unique<TraceLine>(*m_chart, pen, m_frequencyAxis,
                                       scale(isOnRightAxis(series) ? AxisId::Y2 : AxisId::Y).axis);
}

void QtChartControl::attach(QAbstractSeries* series, AxisId axis) {
    m_chart->addSeries(series);
    series->attachAxis(m_frequencyAxis);
    series->attachAxis(scale(axis).axis);
}

QWidget* QtChartControl::widget() {
    return m_view.data();
}

void QtChartControl::setChartData(const PlotGrid& grid) {
    const auto rows = static_cast<std::size_t>(grid.rows());
    m_labels.resize(rows);
    for (SeriesData& data : m_data) {
        data.values.resize(rows);
        data.pending = true;
    }
    // Row by row: the grid keeps a row's seven cells together, and 32,766 rows are 9 MB.
    for (std::size_t row = 0; row < rows; ++row) {
        const int gridRow = static_cast<int>(row) + 1;
        m_labels[row] = labelText(grid.at(gridRow, 1));
        for (std::size_t index = 0; index < m_data.size(); ++index) {
            m_data[index].values[row] = drawnValue(grid.at(gridRow, static_cast<int>(index) + 2));
        }
    }
    m_labelsPending = true;
    const FrequencyPositions positions =
        rows == 0 ? FrequencyPositions()
                  : FrequencyPositions(m_labels.front(), m_labels.back(), grid.rows());
    if (!(positions == m_positions)) {
        m_positions = positions;
        rebuildMemoryPoints();
    }
    m_markersPending = true;
    m_shadingPending = true;
    for (SeriesData& data : m_data) {
        data.lowest = std::numeric_limits<double>::infinity();
        data.highest = -data.lowest;
        for (const double value : data.values) {
            if (std::isfinite(value)) {
                data.lowest = std::min(data.lowest, value);
                data.highest = std::max(data.highest, value);
            }
        }
    }
    applyScale(AxisId::Y);
    applyScale(AxisId::Y2);
    paintSoon();
}

// Fixed scales and hidden series leave the scene as it is, so nothing else would ask for
// the paint that draws what was handed over: a sweep in the SWR modes showed no point.
void QtChartControl::paintSoon() {
    if (m_view) {
        m_view->viewport()->update();
    }
}

void QtChartControl::repaintNow() {
    if (!m_view) {
        return;
    }
    drawPendingData();
    // The chart's layout is otherwise redone from the event loop, which a sweep holds.
    activateLayout();
    // Measured: the view's and the window's repaint() paint nothing while the event loop is
    // blocked; the viewport's paints the chart and every pending widget update.
    m_view->viewport()->repaint();
}

// The plot area's watch may move the marker box into a band of its own while the layout is
// done, which asks for the layout once more.
void QtChartControl::activateLayout() {
    QGraphicsLayout* layout = m_chart->layout();
    for (int pass = 0; layout && pass < 3 && !layout->isActivated(); ++pass) {
        layout->activate();
    }
}

void QtChartControl::drawPendingData() {
    if (!m_view) {
        return;
    }
    for (int index = 0; index < kSeriesCount; ++index) {
        if (m_data[static_cast<std::size_t>(index)].pending && m_series[index]->isVisible()) {
            drawSeries(index);
        }
        for (MemoryLines& memory : m_memories) {
            if (memory.span[static_cast<std::size_t>(index)].pending &&
                memory.series[static_cast<std::size_t>(index)]->isVisible()) {
                drawMemoryLine(memory, index);
            }
        }
    }
    if (m_labelsPending) {
        drawFrequencyLabels(shownWidthPx());
    }
    if (m_shadingPending) {
        drawShading();
    }
    if (m_markersPending) {
        drawMarkers();
        m_markerBox->place();
    }
    // A band the marker box took or gave back is laid out before this paint.
    activateLayout();
}

// Row i of the grid is point i of the sweep, which says why a row without values has none.
void QtChartControl::drawSeries(int index) {
    SeriesData& data = m_data[static_cast<std::size_t>(index)];
    const std::vector<SweepPoint>& swept = m_sweep.record.points;
    std::vector<CurvePoint> points(data.values.size());
    for (std::size_t row = 0; row < points.size(); ++row) {
        const bool bridged = row < swept.size() && curveRunsAcross(swept[row].skipped);
        points[row] = {static_cast<double>(row), data.values[row], bridged};
    }
    const bool decimated = data.values.size() > static_cast<std::size_t>(kDecimateAbove);
    m_series[static_cast<std::size_t>(index)]->draw(
        drawable(curveRuns(points, decimated ? kDecimateBuckets : 0), index));
    data.pending = false;
}

void QtChartControl::setZoom(Zoom zoom) {
    if (auto* view = static_cast<ChartView*>(m_view.data())) {
        view->setZoom(zoom);
        m_labelsPending = true;
        paintSoon();
    }
}

int QtChartControl::shownWidthPx() const {
    return static_cast<int>(m_view->width() /
                            static_cast<ChartView*>(m_view.data())->zoom().factor());
}

// As many labels as the width has room for.
void QtChartControl::drawFrequencyLabels(int widthPx) {
    m_labelsPending = false;
    const int points = static_cast<int>(m_labels.size());
    const int room = std::clamp(widthPx / kLabelSpacingPx, 2, kMostFrequencyLabels);
    QStringList shown;
    std::vector<int> positions;
    for (const int row : labelledPoints(points, room)) {
        const auto text = QString::fromStdString(m_labels[static_cast<std::size_t>(row)]);
        // The axis drops a repeated label silently; leave it out here, where it is seen.
        if (!text.isEmpty() && !shown.contains(text)) {
            shown.append(text);
            positions.push_back(row);
        }
    }
    // The same texts can stand at other points: 14, 14.1, 14.2 are every point at 100 kHz
    // and every other at 50 kHz.
    if (shown != m_shownLabels || positions != m_shownPositions) {
        for (const QString& label : m_frequencyAxis->categoriesLabels()) {
            m_frequencyAxis->remove(label);
        }
        for (qsizetype i = 0; i < shown.size(); ++i) {
            m_frequencyAxis->append(shown[i], positions[static_cast<std::size_t>(i)]);
        }
        m_shownLabels = shown;
        m_shownPositions = positions;
    }
    // A single point sits in the middle; otherwise the first and last point touch the frame.
    const double first = points <= 1 ? -0.5 : 0.0;
    const double last = points <= 1 ? 0.5 : points - 1.0;
    m_frequencyAxis->setStartValue(first);
    m_frequencyAxis->setRange(first, last);
    m_shadingPending = true;
}
}  // namespace zm
