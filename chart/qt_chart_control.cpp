// SPDX-License-Identifier: GPL-3.0-or-later

#include "chart/qt_chart_control.h"

#include <QAccessible>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QGraphicsLayout>
#include <QLineSeries>
#include <limits>
#include <stdexcept>

#include "chart/chart_menu.h"
#include "chart/chart_view.h"
#include "feedline/reading_plane.h"

namespace zm {

namespace {

QChart* newChart() {
    auto* chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->legend()->hide();  // the window draws its own legend strip
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(2, 2, 2, 2));
    return chart;
}

}  // namespace

QtChartControl::QtChartControl()
    : m_chart(newChart()),
      m_axes(*m_chart),
      m_sweep(m_axes),
      m_memories(*m_chart, m_axes, m_sweep),
      m_markers(*m_chart, m_axes, m_sweep, m_memories),
      m_hover(*m_chart, m_sweep, m_memories),
      m_shading(*m_chart),
      m_notice(*m_chart),
      m_pictures(*m_chart, m_hover) {
    buildView();
    // The axes' labels can take more or less room after a change of range.
    m_plotAreaWatch = QObject::connect(m_chart, &QChart::plotAreaChanged, [this] {
        m_markers.placeBox();
        drawShading();
    });
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

void QtChartControl::buildView() {
    QAccessible::installFactory(chartViewAccessible);  // once: a factory installed is kept
    auto* view = new ChartView(m_chart);
    view->beforePaint = [this] { drawPendingData(); };
    view->afterResize = [this] {
        m_labelsPending = true;
        m_notice.wrap(m_chart->size().width());
    };
    view->hoverAt = [this](QPointF position) { hoverAt(position); };
    view->setMouseTracking(true);
    m_menu = makeChartMenuActions(view);
    // The menu takes the hovered point as it opens: the menu's own popup ends the hover.
    view->menuAt = [this](QPoint global) {
        m_menu.matchPoint->setEnabled(m_hover.takeForMenu().has_value());
        execChartMenu(m_menu, global);
    };
    m_view = view;
}

void QtChartControl::requireView() const {
    if (!m_view) {
        throw std::logic_error("chart: used after its widget was destroyed");
    }
}

QWidget* QtChartControl::widget() {
    return m_view.data();
}

void QtChartControl::setChartData(const PlotGrid& grid) {
    requireView();
    if (m_sweep.setGrid(grid)) {
        m_memories.replace();
    }
    m_labelsPending = true;
    m_markers.markStale();
    m_shading.markStale();
    applyScale(AxisId::Y);
    applyScale(AxisId::Y2);
    paintSoon();
}

void QtChartControl::setAxisTitle(AxisId axis, std::string_view title) {
    requireView();
    m_axes.setTitle(axis, title);
}

void QtChartControl::setAutoScale(AxisId axis, bool automatic) {
    m_axes.setAutomatic(axis, automatic);
    applyScale(axis);
}

void QtChartControl::setMinimum(AxisId axis, double minimum) {
    m_axes.setFixedMinimum(axis, minimum);
    applyScale(axis);
}

void QtChartControl::setMaximum(AxisId axis, double maximum) {
    m_axes.setFixedMaximum(axis, maximum);
    applyScale(axis);
}

void QtChartControl::setMajorDivision(AxisId axis, std::int16_t divisions) {
    m_axes.setMajorDivisions(axis, divisions);
    applyScale(axis);
}

void QtChartControl::setMinorDivision(AxisId axis, std::int16_t divisions) {
    m_axes.setMinorDivisions(axis, divisions);
    applyScale(axis);
}

// A shown series that missed a hand-over while hidden is drawn before the next paint.
void QtChartControl::setShowLine(int series, bool show) {
    requireView();
    m_sweep.setShown(series, show);
    m_memories.setShown(series, show);
    m_markers.markStale();
    applyScale(axisOf(series));
}

// The shown series of the axis and the memories' parts inside the sweep's span set an
// automatic range; what was held near the old range is drawn again.
void QtChartControl::applyScale(AxisId axis) {
    requireView();
    double lowest = std::numeric_limits<double>::infinity();
    double highest = -lowest;
    for (int series = 1; series <= kSeriesCount; ++series) {
        if (axisOf(series) == axis && m_sweep.isShown(series)) {
            m_sweep.widen(series, lowest, highest);
            m_memories.widen(series, lowest, highest);
        }
    }
    if (m_axes.rescale(axis, lowest, highest)) {
        m_sweep.redrawOnAxis(axis);
        m_memories.redrawOnAxis(axis);
    }
}

void QtChartControl::setSweepRecord(const SweepRecord& record) {
    requireView();
    m_sweep.setRecord(record);
    m_notice.setRecordNotice(beyondLossNotice(record));
    m_markers.markStale();
    m_hover.hide();
    paintSoon();
}

// The memories' series are made anew, then the sweep's are put back on top of them: the
// chart draws its series in the order they were added.
void QtChartControl::setMemories(const std::vector<Memory>& memories) {
    requireView();
    m_memories.set(memories);
    m_sweep.raise();
    m_markers.raise();
    m_markers.markStale();
    m_hover.hide();
    applyScale(AxisId::Y);
    applyScale(AxisId::Y2);
    paintSoon();
}

void QtChartControl::setInsideStretches(const std::vector<BandSegment>& insideHz) {
    m_shading.setInsideStretches(insideHz);
    paintSoon();
}

void QtChartControl::setNotice(std::string_view notice) {
    m_notice.setNotice(notice);
}

void QtChartControl::setZoom(Zoom zoom) {
    if (auto* view = static_cast<ChartView*>(m_view.data())) {
        view->setZoom(zoom);
        m_labelsPending = true;
        paintSoon();
    }
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
    // Measured: the view's and the window's repaint() paint nothing while the event loop is
    // blocked; the viewport's paints the chart and every pending widget update.
    m_view->viewport()->repaint();
}

// The chart's layout is otherwise redone from the event loop, which a sweep holds; a band
// the marker box took or gave back is laid out before this paint.
void QtChartControl::drawPendingData() {
    if (!m_view) {
        return;
    }
    m_sweep.drawPending();
    m_memories.drawPending();
    if (m_labelsPending) {
        drawFrequencyLabels(shownWidthPx());
    }
    if (m_shading.isStale()) {
        drawShading();
    }
    if (m_markers.isStale()) {
        m_view->setAccessibleDescription(m_markers.draw());
        m_markers.placeBox();
    }
    activateLayout();
}

void QtChartControl::drawShading() {
    m_shading.draw(m_sweep.positions(), *m_axes.frequencyAxis(), m_sweep.line(1));
}

void QtChartControl::drawFrequencyLabels(int widthPx) {
    m_labelsPending = false;
    m_axes.labelPoints(m_sweep.labels(), widthPx);
    m_shading.markStale();
}

// The plot area's watch may move the marker box into a band of its own while the layout is
// done, which asks for the layout once more.
void QtChartControl::activateLayout() {
    QGraphicsLayout* layout = m_chart->layout();
    for (int pass = 0; layout && pass < 3 && !layout->isActivated(); ++pass) {
        layout->activate();
    }
}

int QtChartControl::shownWidthPx() const {
    return static_cast<int>(m_view->width() /
                            static_cast<ChartView*>(m_view.data())->zoom().factor());
}

// The same items at another size: the axes, the frequency labels that size has room for,
// the marker box where it hides nothing there. The hover is left out.
void QtChartControl::paintPicture(QPainter& painter, const QRectF& area) {
    if (!m_view || area.isEmpty()) {
        return;
    }
    drawPendingData();
    m_pictures.paint(
        painter, area, [this](QSizeF size, double labelWidthPx) { layOut(size, labelWidthPx); },
        shownWidthPx());
}

// The frequency labels take the view's width on screen, where the chart may not have
// been laid out yet.
void QtChartControl::layOut(QSizeF size, double labelWidthPx) {
    m_chart->resize(size);
    m_notice.wrap(size.width());
    drawFrequencyLabels(static_cast<int>(labelWidthPx));
    activateLayout();
    if (m_markers.placeBox()) {
        activateLayout();
    }
}

QList<LegendEntry> QtChartControl::legend() const {
    return ChartPictures::legend(m_sweep, m_memories);
}

void QtChartControl::hoverAt(QPointF viewPosition) {
    if (m_view) {
        m_hover.at(m_chart->mapFromScene(m_view->mapToScene(viewPosition.toPoint())));
    }
}

QPointF QtChartControl::viewPositionOf(int series, QPointF value) const {
    requireView();
    const QPointF inChart = m_chart->mapToPosition(value, m_sweep.line(series));
    return m_view->mapFromScene(m_chart->mapToScene(inChart));
}

QRectF QtChartControl::markerBoxArea() const {
    requireView();
    return m_view->viewportTransform().mapRect(m_chart->mapRectToScene(m_markers.boxArea()));
}

}  // namespace zm
