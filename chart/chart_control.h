#pragma once

#include <string_view>

#include "chart/chart_plot.h"

class QAction;
class QWidget;

namespace zm {

class PlotGrid;
struct SweepRecord;

// The entries of the chart's context menu (right click, or the Menu key on the focused
// chart). The chart owns them; the window wires them to its handlers and enables them.
struct ChartMenuActions {
    QAction* copySweep = nullptr;       // "Copy sweep", also Ctrl+C on the focused chart
    QAction* saveCsv = nullptr;         // "Save sweep as CSV…"
    QAction* saveTouchstone = nullptr;  // "Save sweep as Touchstone (.s1p)…"
    QAction* keepReference = nullptr;   // "Keep as reference"
    QAction* loadReference = nullptr;   // "Load reference…"
    QAction* clearReference = nullptr;  // "Clear reference"
};

// The chart of the window (MSChart1): the plot properties of a plot mode, the whole grid as
// its data, and a repaint that works while the sweep holds the UI thread. Beside the grid
// it shows the last sweep's values on hover, its markers, and a reference trace.
class ChartControl : public ChartPlot {
public:
    // The widget to place at the chart band; the window takes ownership of it.
    virtual QWidget* widget() = 0;
    // Hands the whole grid over: column 1 labels the points, columns 2..7 are series 1..6.
    virtual void setChartData(const PlotGrid& grid) = 0;

    // The last sweep point by point (point i is row i of the grid), for its values on hover
    // and its markers; an empty record shows neither.
    virtual void setSweepRecord(const SweepRecord& record) = 0;
    // A trace drawn dashed and lighter under the sweep, in every plot mode, with its own
    // markers; `name` says on hover which trace a point belongs to. It stays through
    // re-plans until cleared.
    virtual void setReference(const SweepRecord& reference, std::string_view name) = 0;
    virtual void clearReference() = 0;

    virtual const ChartMenuActions& menuActions() const = 0;
};

}  // namespace zm
