#pragma once

#include <QList>
#include <QPointF>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <array>
#include <string>
#include <vector>

#include "chart/chart_control.h"

class QCategoryAxis;
class QChart;
class QChartView;
class QLineSeries;
class QValueAxis;

namespace zm {

// The window's chart on Qt Charts: six line series over the sweep points (R red, X green,
// Z blue, SWR black, phase magenta, RHO cyan), X and phase against the right axis, the others
// against the left one, and the frequency labels of column 1 along the bottom.
//
// Handed-over data is copied at once but drawn lazily: the series are replaced by repaintNow()
// or before the next paint, so the two hand-overs of one re-plan cost one replacement, and
// series above kDecimateAbove points are drawn as min/max per bucket (the grid keeps every
// point). Titles, ranges and visibility apply at once.
class QtChartControl : public ChartControl {
public:
    static constexpr int kSeriesCount = 6;
    static constexpr int kDecimateAbove = 4096;
    static constexpr int kDecimateBuckets = 1024;
    static constexpr int kMostFrequencyLabels = 20;
    // X (series 2) and phase (series 5) are drawn against the right axis.
    static constexpr bool isOnRightAxis(int series) { return series == 2 || series == 5; }

    QtChartControl();
    ~QtChartControl() override;
    QtChartControl(const QtChartControl&) = delete;
    QtChartControl& operator=(const QtChartControl&) = delete;

    QWidget* widget() override;
    void setChartData(const PlotGrid& grid) override;
    void repaintNow() override;

    void setAxisTitle(AxisId axis, std::string_view title) override;
    void setAutoScale(AxisId axis, bool automatic) override;
    void setMinimum(AxisId axis, double minimum) override;
    void setMaximum(AxisId axis, double maximum) override;
    void setMajorDivision(AxisId axis, std::int16_t divisions) override;
    void setMinorDivision(AxisId axis, std::int16_t divisions) override;
    void setShowLine(int series, bool show) override;  // throws std::out_of_range past 1..6

    // The chart as drawn, for tests; points and labels of new data show after repaintNow().
    QString axisTitle(AxisId axis) const;
    QString frequencyAxisTitle() const;
    double axisMinimum(AxisId axis) const;
    double axisMaximum(AxisId axis) const;
    int axisTickCount(AxisId axis) const;
    int axisMinorTickCount(AxisId axis) const;
    bool isShown(int series) const;
    QList<QPointF> drawnPoints(int series) const;
    const QStringList& frequencyLabels() const { return m_shownLabels; }
    QCategoryAxis* frequencyAxis() const { return m_frequencyAxis; }
    QLineSeries* series(int series) const;
    QValueAxis* valueAxis(AxisId axis) const;

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
    // One series as last handed over; drawn when pending and visible.
    struct SeriesData {
        std::vector<double> values;
        double lowest = 0.0;
        double highest = 0.0;
        bool pending = false;
    };

    void buildChart();
    AxisScale& scale(AxisId axis);
    const AxisScale& scale(AxisId axis) const;
    void applyScale(AxisId axis);
    void drawPendingData();
    void drawSeries(int index);
    void drawFrequencyLabels();

    QPointer<QChartView> m_view;
    QChart* m_chart = nullptr;  // owned by the view, as are the axes and series
    QCategoryAxis* m_frequencyAxis = nullptr;
    std::array<QLineSeries*, kSeriesCount> m_series{};
    std::array<AxisScale, 2> m_scales{};
    std::array<SeriesData, kSeriesCount> m_data{};
    std::vector<std::string> m_labels;
    bool m_labelsPending = false;
    QStringList m_shownLabels;
    std::vector<int> m_shownPositions;
};

}  // namespace zm
