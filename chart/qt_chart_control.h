// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QList>
#include <QPointF>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <array>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "chart/band_shading.h"
#include "chart/chart_control.h"
#include "chart/chart_text_box.h"
#include "chart/label_placement.h"
#include "chart/trace_line.h"
#include "chart/trace_points.h"
#include "results/sweep_record.h"

class QCategoryAxis;
class QChart;
class QChartView;
class QAbstractSeries;
class QGraphicsEllipseItem;
class QGraphicsRectItem;
class QLineSeries;
class QPen;
class QScatterSeries;
class QValueAxis;

namespace zm {

class MarkerBox;

// The window's chart on Qt Charts: six line series over the sweep points (R red, X green,
// Z blue, SWR black, phase magenta, RHO cyan), X and phase against the right axis, the others
// against the left one, and the frequency labels of column 1 along the bottom.
//
// Handed-over data is copied at once but drawn lazily: the series are replaced by repaintNow()
// or before the next paint, so the two hand-overs of one re-plan cost one replacement, and
// series above kDecimateAbove points are drawn as min/max per bucket (the grid keeps every
// point). An empty cell is no value: the line breaks there (see curveRuns), and a point
// without a neighbour is a dot. What lies outside the band plan is shaded, and a notice
// above the plot says what the sweep leaves out, and how many of its points the antenna has
// no value for (beyondLossNotice). Titles, ranges and visibility apply at once.
//
// The memories shown are drawn dashed in their own colours under the series that are shown
// (X and the phase dash-dotted), at the positions their frequencies take between the grid's
// labels. Markers (white circles) and their labels, in the box that hides the least of the
// curves, show what the core finds in the sweep and each memory: the SWR minimum and the 2:1
// band while SWR is shown, the resonances while X or the phase is; a memory gets one line,
// its name and its first marker, which is also its legend. Hovering shows the values of the
// nearest point of any trace, with the trace's name.
//
// A picture lays the same chart out afresh at the picture's size and renders it there,
// without the hover, then lays it out again for the window.
class QtChartControl : public ChartControl {
public:
    static constexpr int kSeriesCount = 6;
    static constexpr int kDecimateAbove = 4096;
    static constexpr int kDecimateBuckets = 1024;
    static constexpr int kMostFrequencyLabels = 20;
    // X (series 2) and phase (series 5) are drawn against the right axis.
    static constexpr bool isOnRightAxis(int series) { return series == 2 || series == 5; }
    // The names of series 1..6 as the window's legend strip writes them.
    static constexpr std::array<const char*, kSeriesCount> kSeriesNames{"R",   "X",     "Z",
                                                                        "SWR", "Phase", "RHO"};
    static QColor seriesColour(int series);  // series 1..6

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
    std::string shownNotice() const override { return m_notice; }
    void setZoom(Zoom zoom) override;
    std::optional<TracePoint> menuPoint() const override { return m_menuPoint; }
    const ChartMenuActions& menuActions() const override { return m_menu; }
    std::vector<TraceFeatures> traceFeatures() const override;

    void paintPicture(QPainter& painter, const QRectF& area) override;
    // The series shown in the legend strip's order (R, X, Z, Phase, SWR, RHO), then the
    // memories shown, dashed.
    QList<LegendEntry> legend() const override;

    // Shows the values of the point nearest to a place on the view, as the mouse does, or
    // hides them away from the plot area or any point.
    void hoverAt(QPointF viewPosition);

    // The chart as drawn, for tests; points and labels of new data show after repaintNow().
    QString axisTitle(AxisId axis) const;
    QString frequencyAxisTitle() const;
    double axisMinimum(AxisId axis) const;
    double axisMaximum(AxisId axis) const;
    int axisTickCount(AxisId axis) const;
    int axisMinorTickCount(AxisId axis) const;
    bool isShown(int series) const;
    QList<QPointF> drawnPoints(int series) const;  // every run's points, a dot's too
    const QStringList& frequencyLabels() const { return m_shownLabels; }
    QCategoryAxis* frequencyAxis() const { return m_frequencyAxis; }
    QLineSeries* series(int series) const;
    QValueAxis* valueAxis(AxisId axis) const;
    // The points of series 1..6 of the memory drawn `memory`-th (from 0), in chart values.
    QList<QPointF> drawnMemoryPoints(std::size_t memory, int series) const;
    // The markers of the sweep (trace 0) or of a memory drawn (trace 1 on), in chart values.
    QList<QPointF> markerPoints(std::size_t trace) const;
    QString markerLabels() const;   // the lines of the marker box, "\n" between them
    QRectF markerBoxArea() const;   // where the marker box stands on the view
    QString shownValues() const;    // what hovering shows now; empty when nothing
    QString notice() const;         // the window's and the record's, as one text
    QString noticeAsDrawn() const;  // the same as rich text, its lines wrapped
    // The shaded stretches of the frequency axis, in chart values, as last drawn.
    std::vector<AxisStretch> shadedStretches() const { return m_shaded; }
    // Where a chart value of a series is drawn on the view, as the mouse would find it.
    QPointF viewPositionOf(int series, QPointF value) const;

private:
    // What a vertical axis shows: its own data range, or the range the plot mode fixed.
    struct AxisScale {
        QValueAxis* axis = nullptr;
        bool automatic = true;
        double fixedMinimum = 0.0;
        double fixedMaximum = 1.0;
        int majorDivisions = 10;
        int minorDivisions = 1;
    };
    // One series as last handed over, NaN where a cell is empty; drawn when pending and
    // visible.
    struct SeriesData {
        std::vector<double> values;
        double lowest = 0.0;
        double highest = 0.0;
        bool pending = false;
    };

    // A trace with its name on hover: the sweep, or a memory.
    struct Trace {
        SweepRecord record;
        std::string name;
    };
    // One memory series at the grid's positions; drawn when pending and shown.
    struct SpanPoints {
        std::vector<std::vector<DrawnPoint>> runs;
        double lowest = std::numeric_limits<double>::infinity();  // of the part in the span
        double highest = -std::numeric_limits<double>::infinity();
        bool pending = false;
    };
    struct MarkerSeries {
        QScatterSeries* swr = nullptr;        // against the left axis, with SWR
        QScatterSeries* resonance = nullptr;  // against the right axis, with X or phase
    };
    // A memory as drawn: its lines and markers belong to the chart.
    struct MemoryLines {
        Trace trace;
        QColor colour;
        std::array<std::unique_ptr<TraceLine>, kSeriesCount> series{};
        std::array<SpanPoints, kSeriesCount> span{};
        MarkerSeries markers;
    };
    // The point hovering found: which trace, which of its points, where it is drawn.
    struct HoverHit {
        const Trace* trace = nullptr;
        std::size_t point = 0;
        QPointF chartPosition;
        double distancePx = 0.0;
    };

    void buildChart();
    std::unique_ptr<TraceLine> addLine(const QPen& pen, int series);
    void buildResultItems();
    MarkerSeries addMarkers(const QColor& ink);
    void attach(QAbstractSeries* series, AxisId axis);
    void removeMemoryLines();
    void redrawMemories();
    void rebuildMemoryPoints();
    SpanPoints spanPointsOf(const SweepRecord& record, int index) const;
    void drawMemoryLine(MemoryLines& memory, int index);
    void drawMarkers();
    std::vector<std::string> drawTraceMarkers(const SweepRecord& record,
                                              const MarkerSeries& markers);
    void wrapNotice(qreal chartWidthPx);
    SweepFeatures featuresInSpan(const SweepRecord& record) const;
    void layOut(QSizeF size, double labelWidthPx);
    void findNearestSweepPoint(QPointF chartPosition, HoverHit& best) const;
    void findNearestMemoryPoint(const MemoryLines& memory, QPointF chartPosition,
                                HoverHit& best) const;
    void considerHit(const Trace& trace, std::size_t point, int series, QPointF value,
                     QPointF chartPosition, HoverHit& best) const;
    void showValues(const HoverHit& hit);
    void hideValues();
    AxisScale& scale(AxisId axis);
    const AxisScale& scale(AxisId axis) const;
    void applyScale(AxisId axis);
    void setRange(AxisId axis);
    void redrawOnAxis(AxisId axis);
    // The runs of series index + 1 as their lines are drawn: far-off values held near the axis.
    std::vector<std::vector<DrawnPoint>> drawable(std::vector<std::vector<DrawnPoint>> runs,
                                                  int index) const;
    void drawPendingData();
    void activateLayout();
    void paintSoon();  // what was handed over is drawn before that paint
    void drawSeries(int index);
    void drawFrequencyLabels(int widthPx);
    int shownWidthPx() const;  // of the chart on screen, in its own pixels at 100 %
    void drawShading();
    void showNotice();  // the window's notice, then what the sweep record says

    QPointer<QChartView> m_view;
    QChart* m_chart = nullptr;  // owned by the view, as are the axes and series
    QCategoryAxis* m_frequencyAxis = nullptr;
    std::array<std::unique_ptr<TraceLine>, kSeriesCount> m_series{};
    std::array<AxisScale, 2> m_scales{};
    std::array<SeriesData, kSeriesCount> m_data{};
    std::vector<std::string> m_labels;
    bool m_labelsPending = false;
    QStringList m_shownLabels;
    std::vector<int> m_shownPositions;
    std::vector<BandSegment> m_insideHz;
    std::string m_notice;  // as the window handed it over
    QString m_noticeText;  // with the record's, before it is wrapped
    bool m_shadingPending = false;
    std::vector<AxisStretch> m_shaded;
    std::vector<QGraphicsRectItem*> m_shades;  // items of the chart, owned by it

    FrequencyPositions m_positions;
    Trace m_sweep{{}, "Sweep"};
    MarkerSeries m_sweepMarkers;
    std::vector<MemoryLines> m_memories;  // the shown ones, in the order handed over
    bool m_markersPending = false;
    std::unique_ptr<MarkerBox> m_markerBox;
    ChartTextBox* m_valuesBox = nullptr;  // items of the chart, owned by it
    QGraphicsEllipseItem* m_hoverDot = nullptr;
    std::optional<TracePoint> m_hovered;
    std::optional<TracePoint> m_menuPoint;
    ChartMenuActions m_menu;
    QMetaObject::Connection m_plotAreaWatch;
};

}  // namespace zm
