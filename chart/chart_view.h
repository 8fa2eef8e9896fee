// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QChartView>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPoint>
#include <QPointF>
#include <functional>

#include "zoom/zoom.h"

class QAccessibleInterface;

namespace zm {

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
// and what the markers say as its description. For QAccessible::installFactory.
QAccessibleInterface* chartViewAccessible(const QString& key, QObject* object);

}  // namespace zm
