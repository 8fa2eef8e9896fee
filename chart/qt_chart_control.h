// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The window's chart on Qt Charts, behind ChartControl, in parts that each own their state:
//   ChartAxes      (chart_axes.h)     the frequency axis and its labels, the value axes and
//                                     their scales; where every curve and marker attaches
//   SweepCurves    (sweep_curves.h)   the grid's six curves and the sweep's record, and
//                                     where the grid's frequencies stand
//   MemoryCurves   (memory_curves.h)  the memories shown, dashed, and their markers' series
//   ChartMarkers   (chart_markers.h)  what the core finds in each trace, marked, and the
//                                     marker box (marker_box.h) that says it
//   ChartHover     (chart_hover.h)    the values of the point under the mouse, the menu's point
//   PlanShading    (plan_shading.h)   what lies outside the band plan, shaded
//   ChartNotice    (chart_notice.h)   the lines above the plot
//   ChartPictures  (chart_pictures.h) the chart laid out afresh for a picture, its legend
// QtChartControl owns the view and the chart, hands each call to its parts, and draws what
// is pending before each paint.

#include <QList>
#include <QPointF>
#include <QPointer>
#include <QRectF>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "chart/chart_axes.h"
#include "chart/chart_control.h"
#include "chart/chart_hover.h"
#include "chart/chart_markers.h"
#include "chart/chart_notice.h"
#include "chart/chart_pictures.h"
#include "chart/memory_curves.h"
#include "chart/plan_shading.h"
#include "chart/sweep_curves.h"

class QChart;
class QChartView;

namespace zm {

// The window's chart: six line series over the sweep points, X and phase against the right
// axis, the others against the left one, and the frequency labels of column 1 along the
// bottom. Handed-over data is copied at once but drawn lazily, before the next paint or by
// repaintNow(); titles, ranges and visibility apply at once. The memories shown are drawn
// under the sweep; markers and their box show what the core finds; hovering shows the
// nearest point's values; what lies outside the band plan is shaded, and a notice above the
// plot says what the sweep leaves out. A picture lays the same chart out afresh at its size.
class QtChartControl : public ChartControl {
public:
    static constexpr int kSeriesCount = zm::kSeriesCount;
    static constexpr int kDecimateBuckets = SweepCurves::kDecimateBuckets;
    static constexpr int kMostFrequencyLabels = ChartAxes::kMostFrequencyLabels;

    QtChartControl();
    ~QtChartControl() override;
    QtChartControl(const QtChartControl&) = delete;
    QtChartControl& operator=(const QtChartControl&) = delete;

    QWidget* widget() override;
    void setChartData(const PlotGrid& grid) override;
    // Draws what was handed over and paints now, without waiting for the event loop: for
    // a picture or a timing taken straight after a hand-over.
    void repaintNow();

    void setAxisTitle(AxisId axis, std::string_view title) override;
    void setAutoScale(AxisId axis, bool automatic) override;
    void setMinimum(AxisId axis, double minimum) override;
    void setMaximum(AxisId axis, double maximum) override;
    void setMajorDivision(AxisId axis, std::int16_t divisions) override;
    void setMinorDivision(AxisId axis, std::int16_t divisions) override;
    void setShowLine(int series, bool show) override;  // throws std::out_of_range past 1..6

    void setSweepRecord(const SweepRecord& record) override;
    void setMemories(const std::vector<Memory>& memories) override;
    void setInsideStretches(const std::vector<BandSegment>& insideHz) override;
    void setNotice(std::string_view notice) override;
    std::string shownNotice() const override { return m_notice.shownNotice(); }
    void setZoom(Zoom zoom) override;
    std::optional<TracePoint> menuPoint() const override { return m_hover.menuPoint(); }
    const ChartMenuActions& menuActions() const override { return m_menu; }
    std::vector<TraceFeatures> traceFeatures() const override { return m_markers.features(); }

    void paintPicture(QPainter& painter, const QRectF& area) override;
    QList<LegendEntry> legend() const override;

    // Shows the values of the point nearest to a place on the view, as the mouse does, or
    // hides them away from the plot area or any point.
    void hoverAt(QPointF viewPosition);
    // Where a chart value of a series is drawn on the view, as the mouse would find it.
    QPointF viewPositionOf(int series, QPointF value) const;
    QString markerLabels() const { return m_markers.boxText(); }  // "\n" between its lines
    QRectF markerBoxArea() const;  // where the marker box stands on the view

    // The parts as drawn, for tests; new data shows after repaintNow().
    const ChartAxes& axes() const { return m_axes; }
    const SweepCurves& sweep() const { return m_sweep; }
    const MemoryCurves& memories() const { return m_memories; }
    const ChartMarkers& markers() const { return m_markers; }
    const ChartHover& hover() const { return m_hover; }
    const ChartNotice& notice() const { return m_notice; }
    const PlanShading& shading() const { return m_shading; }

private:
    void buildView();
    // The axes and series belong to the view; once the window has destroyed it, any use of
    // the chart is a fault of the caller's, reported rather than run on freed objects.
    void requireView() const;
    void applyScale(AxisId axis);
    void paintSoon();  // what was handed over is drawn before that paint
    void drawPendingData();
    void drawShading();
    void drawFrequencyLabels(int widthPx);
    void activateLayout();
    void layOut(QSizeF size, double labelWidthPx);
    int shownWidthPx() const;  // of the chart on screen, in its own pixels at 100 %

    QChart* m_chart;  // owned by the view, as are the axes, series and items of the parts
    QPointer<QChartView> m_view;
    ChartAxes m_axes;
    SweepCurves m_sweep;
    MemoryCurves m_memories;
    ChartMarkers m_markers;
    ChartHover m_hover;
    PlanShading m_shading;
    ChartNotice m_notice;
    ChartPictures m_pictures;
    ChartMenuActions m_menu;
    bool m_labelsPending = false;
    QMetaObject::Connection m_plotAreaWatch;
};

}  // namespace zm
