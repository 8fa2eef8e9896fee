// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QPixmap>
#include <QWidget>
#include <complex>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "chart/chart_control.h"
#include "chart/smith_geometry.h"
#include "results/memory_file.h"
#include "results/sweep_record.h"
#include "zoom/zoom.h"

namespace zm {

// The Smith chart, drawn with QPainter: the impedance or admittance grid (or both) with its
// values normalised to 50 ohm or in ohms and millisiemens, the rim, SWR circles for 1.5, 2
// and 3; the last sweep as its points joined by straight lines, the memories shown dashed
// in their colours, the sweep's lowest SWR and resonances as white circles, and the path of
// a matching network. The mouse wheel zooms about the mouse, a double click or Home shows
// the whole chart again; hovering shows the values of the nearest measured point, a click
// on one chooses it.
//
// It draws itself afresh for a picture, and its context menu offers "Copy image" and "Save
// image...".
class SmithChart : public QWidget, public ChartPicture {
public:
    enum class Grid { Impedance, Admittance, Both };
    enum class Labels { Normalised, Ohms };
    // How near the mouse a point must be drawn to be hovered or chosen.
    static constexpr double kSnapPx = 40.0;

    explicit SmithChart(QWidget* parent = nullptr);

    void setSweep(const SweepRecord& record);
    void setMemories(const std::vector<Memory>& memories);
    // The Gammas of a matching network's path from the load to the centre; empty for none.
    void setMatchPath(std::vector<std::complex<double>> path);
    const std::vector<std::complex<double>>& matchPath() const { return m_matchPath; }
    void setGrid(Grid grid);
    void setLabels(Labels labels);
    Grid grid() const { return m_grid; }
    Labels labels() const { return m_labels; }
    void showWhole();
    void zoomAt(QPointF position, double factor);
    // Draws the chart at the program's zoom (View, Zoom), its texts, lines and markers grown
    // alike: the chart is laid out at the widget's size shrunk by the zoom and painted
    // magnified. Positions to and from the chart stay the widget's.
    void setWindowZoom(Zoom zoom);

    // Runs with the point a click chose.
    std::function<void(const TracePoint&)> onPointChosen;

    // As the mouse finds them, for tests and snapshots.
    QPointF positionOf(std::complex<double> gamma) const;
    std::optional<TracePoint> pointNear(QPointF position) const;
    void hoverAt(QPointF position);
    QString shownValues() const { return m_shownValues; }
    double zoom() const { return m_view.zoom(); }
    // The caption under the chart: which grid, what its numbers mean, the zoom.
    QString caption() const;

    void paintPicture(QPainter& painter, const QRectF& area) override;
    QList<LegendEntry> legend() const override;  // the sweep, then the memories shown
    const PictureActions& pictureActions() const { return m_pictureActions; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // A trace with the Gamma of each point that has a reading.
    struct Trace {
        std::string name;
        QColor colour;
        bool dashed = false;
        SweepRecord record;
        std::vector<std::optional<std::complex<double>>> gammas;  // one a point
    };
    struct Hit {
        std::size_t trace = 0;
        std::size_t point = 0;
    };
    // Where the chart is drawn: the widget, or a picture's area, with the view laid out for
    // it; its top left corner is the painter's origin.
    struct Canvas {
        SmithView view;
        QRectF rect;
        QPointF at(std::complex<double> gamma) const {
            const WidgetPoint point = view.toWidget(gamma);
            return {point.x, point.y};
        }
    };

    static Trace traceOf(std::string name, QColor colour, bool dashed, SweepRecord record);
    std::optional<Hit> nearest(QPointF position) const;
    void refreshMarkers();
    void clearHover();

    // The view laid out for a size: the chart above the caption, right of the legend, which
    // takes at least `legendPx` there while that leaves the chart half the width.
    Canvas canvasFor(QSizeF size, double legendPx = 0.0) const;
    // The markers' lines, then a line a memory shown, in its colour.
    QList<std::pair<QString, QColor>> legendLines() const;
    QSizeF drawnSize() const;  // the widget's size in the chart's pixels at 100 %
    void paintBackground(QPainter& painter, const Canvas& canvas) const;
    void paintForeground(QPainter& painter, const Canvas& canvas, bool withHover) const;
    void paintGrid(QPainter& painter, const Canvas& c) const;
    void paintGridCircles(QPainter& painter, const Canvas& c, bool admittance,
                          const QColor& ink) const;
    void paintGridLabels(QPainter& painter, const Canvas& c, bool admittance) const;
    void paintSwrCircles(QPainter& painter, const Canvas& c) const;
    static void preparePainter(QPainter& painter);
    void paintTrace(QPainter& painter, const Canvas& c, const Trace& trace) const;
    void paintMarkers(QPainter& painter, const Canvas& c, bool withHover) const;
    void paintMatchPath(QPainter& painter, const Canvas& c) const;
    void paintTextBoxes(QPainter& painter, const Canvas& c, bool withHover) const;

    SmithView m_view;  // in the chart's pixels at 100 %
    Zoom m_windowZoom;
    Grid m_grid = Grid::Impedance;
    Labels m_labels = Labels::Normalised;
    std::vector<Trace> m_traces;  // the sweep first, then the memories shown
    std::vector<std::complex<double>> m_markers;
    std::vector<std::string> m_markerLines;
    std::vector<std::complex<double>> m_matchPath;
    std::optional<Hit> m_hovered;
    QString m_shownValues;
    QPixmap m_background;  // the grid and the memories, as the view last drew them
    bool m_backgroundStale = true;
    PictureActions m_pictureActions;
};

}  // namespace zm
