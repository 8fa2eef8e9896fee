#pragma once

#include "chart/chart_plot.h"

class QWidget;

namespace zm {

class PlotGrid;

// The chart of the window (MSChart1): the plot properties of a plot mode, the whole grid as
// its data, and a repaint that works while the sweep holds the UI thread.
class ChartControl : public ChartPlot {
public:
    // The widget to place at the chart band; the window takes ownership of it.
    virtual QWidget* widget() = 0;
    // Hands the whole grid over: column 1 labels the points, columns 2..7 are series 1..6.
    virtual void setChartData(const PlotGrid& grid) = 0;
    // Paints now, without returning to the event loop (the sweep blocks it).
    virtual void repaintNow() = 0;
};

}  // namespace zm
