// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>
#include <string>

#include "results/sweep_features.h"
#include "results/sweep_record.h"
#include "zoom/zoom.h"

namespace zm {

// One band's SWR at a glance, for the Bands window: the curve from the band's lower to its
// upper edge on a scale from 1 to `swrTop` that every panel shares, the stretch with SWR
// under 2.0 shaded, the lowest SWR marked with its value. Points without a reading (outside
// the band plan, or where the sweep stopped) leave a gap; values above the top run along it.
// Its texts take the widget's font; its lines, marks and gaps grow with the zoom.
class SwrPanel : public QWidget {
public:
    SwrPanel(std::string bandName, SweepRecord record, double swrTop, Zoom zoom, QWidget* parent);

    void setZoom(Zoom zoom);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRectF plotArea() const;
    QPointF placeOf(double frequencyHz, double swr) const;
    void paintScale(QPainter& painter) const;
    void paintCurve(QPainter& painter) const;
    void paintLowest(QPainter& painter) const;

    qreal px(qreal designPixels) const { return m_zoom.scaled(designPixels); }

    std::string m_bandName;
    SweepRecord m_record;
    SweepFeatures m_features;
    double m_swrTop;
    Zoom m_zoom;
    double m_lowHz;
    double m_highHz;
};

}  // namespace zm
