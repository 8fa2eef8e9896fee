// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bandplan/band_plan.h"
#include "chart/chart_picture.h"
#include "chart/chart_plot.h"
#include "results/memory_file.h"
#include "results/sweep_features.h"
#include "results/sweep_record.h"
#include "zoom/zoom.h"

class QAction;
class QWidget;

namespace zm {

class PlotGrid;

// The entries of the chart's context menu (right click, or the Menu key on the focused
// chart), in the order the menu shows them. The chart owns them; the window wires them to
// its handlers and enables them.
struct ChartMenuActions {
    QAction* copySweep = nullptr;       // "Copy sweep", also Ctrl+C on the focused chart
    QAction* saveCsv = nullptr;         // "Save sweep as CSV…"
    QAction* saveTouchstone = nullptr;  // "Save sweep as Touchstone (.s1p)…"
    QAction* keepMemory = nullptr;      // "Keep as memory"
    QAction* loadMemory = nullptr;      // "Load memory…"
    QAction* memories = nullptr;        // "Memories…"
    QAction* smithChart = nullptr;      // "Smith chart"
    QAction* matchPoint = nullptr;      // "Match this point": the hovered one
    QAction* copyImage = nullptr;       // "Copy image"
    QAction* saveImage = nullptr;       // "Save image..."
    QAction* saveReport = nullptr;      // "Save report as PDF..."
};

// What the markers of one trace drawn say, with the trace's name and colour.
struct TraceFeatures {
    std::string name;
    QColor colour;
    SweepFeatures features;
};

// A measured point of a trace that the user pointed at, with the trace's name and where
// its readings stand.
struct TracePoint {
    std::string traceName;
    SweepPoint point;
    Plane plane = Plane::Meter;
};

// The chart of the window (MSChart1): the plot properties of a plot mode, the whole grid as
// its data, and a repaint that works while the sweep holds the UI thread. Beside the grid
// it shows the last sweep's values on hover, its markers, and the memories that are shown,
// and draws itself afresh for a picture.
class ChartControl : public ChartPlot, public ChartPicture {
public:
    // The widget to place at the chart band; the window takes ownership of it.
    virtual QWidget* widget() = 0;
    // Hands the whole grid over: column 1 labels the points, columns 2..7 are series 1..6.
    // An empty cell has no value: nothing is drawn there.
    virtual void setChartData(const PlotGrid& grid) = 0;

    // The last sweep point by point (point i is row i of the grid), for its values on hover
    // and its markers, and for why a row without values has none; an empty record shows
    // neither.
    virtual void setSweepRecord(const SweepRecord& record) = 0;
    // The memories; those shown are drawn dashed, each in its colour, under the sweep in
    // every plot mode, with their markers and a line each in the marker box. They stay
    // through re-plans until handed over again.
    virtual void setMemories(const std::vector<Memory>& memories) = 0;
    // Where the band plan lets a carrier go, in Hz, rising: the rest of the frequency axis
    // is shaded, so the band edges are seen.
    virtual void setInsideStretches(const std::vector<BandSegment>& insideHz) = 0;
    // Lines above the plot that need no click to go away, "\n" between them; empty for none.
    // Each is wrapped at the chart's width rather than cut. What the sweep record says of its
    // points beyond the feedline's loss follows it there.
    virtual void setNotice(std::string_view notice) = 0;
    virtual std::string shownNotice() const = 0;  // as it was set
    // The point that was hovered when the context menu opened; none when there was none.
    virtual std::optional<TracePoint> menuPoint() const = 0;
    // What the markers say, within the sweep's span: the sweep first when it has a reading,
    // then the memories shown, in their order.
    virtual std::vector<TraceFeatures> traceFeatures() const = 0;

    virtual const ChartMenuActions& menuActions() const = 0;

    // Draws the chart at the window's zoom: its texts, lines and markers grow alike, and
    // the frequency axis labels as many points as the larger text leaves room for. Its
    // pictures keep sizes of their own.
    virtual void setZoom(Zoom zoom) = 0;
};

}  // namespace zm
