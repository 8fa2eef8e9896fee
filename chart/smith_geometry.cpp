// SPDX-License-Identifier: GPL-3.0-or-later

#include "chart/smith_geometry.h"

#include <algorithm>
#include <cmath>

namespace zm {

SmithView::SmithView(double widthPx, double heightPx, double marginPx) {
    resize(widthPx, heightPx, marginPx);
}

void SmithView::resize(double widthPx, double heightPx, double marginPx, double leftPx) {
    const double chartWidthPx = widthPx - leftPx;
    m_middle = {leftPx + chartWidthPx / 2.0, heightPx / 2.0};
    m_wholeRadiusPx = std::max(1.0, std::min(chartWidthPx, heightPx) / 2.0 - marginPx);
}

WidgetPoint SmithView::toWidget(std::complex<double> gamma) const {
    const std::complex<double> offset = (gamma - m_gammaInMiddle) * pixelsPerUnit();
    return {m_middle.x + offset.real(), m_middle.y - offset.imag()};
}

std::complex<double> SmithView::toGamma(WidgetPoint point) const {
    const std::complex<double> offset(point.x - m_middle.x, m_middle.y - point.y);
    return m_gammaInMiddle + offset / pixelsPerUnit();
}

void SmithView::zoomAt(WidgetPoint fixed, double factor) {
    const std::complex<double> held = toGamma(fixed);
    m_zoom = std::clamp(m_zoom * factor, 1.0, kMostZoom);
    // The held Gamma stays under `fixed`: solve toWidget(held) == fixed for the middle.
    const std::complex<double> offset(fixed.x - m_middle.x, m_middle.y - fixed.y);
    m_gammaInMiddle = held - offset / pixelsPerUnit();
    if (m_zoom == 1.0) {
        m_gammaInMiddle = 0.0;
    } else if (std::abs(m_gammaInMiddle) > 1.0) {
        m_gammaInMiddle /= std::abs(m_gammaInMiddle);
    }
}

void SmithView::showWhole() {
    m_zoom = 1.0;
    m_gammaInMiddle = 0.0;
}

std::complex<double> gammaOfNormalised(std::complex<double> z) {
    return (z - 1.0) / (z + 1.0);
}

GammaCircle resistanceCircle(double r) {
    return {{r / (1.0 + r), 0.0}, 1.0 / (1.0 + r)};
}

GammaCircle reactanceCircle(double x) {
    return {{1.0, 1.0 / x}, 1.0 / std::fabs(x)};
}

GammaCircle conductanceCircle(double g) {
    const GammaCircle r = resistanceCircle(g);
    return {-r.centre, r.radius};
}

GammaCircle susceptanceCircle(double b) {
    const GammaCircle x = reactanceCircle(b);
    return {-x.centre, x.radius};
}

GammaCircle swrCircle(double swr) {
    return {0.0, (swr - 1.0) / (swr + 1.0)};
}

std::vector<double> gridValues(double zoom) {
    if (zoom < 2.0) {
        return {0.2, 0.5, 1.0, 2.0, 5.0};
    }
    if (zoom < 6.0) {
        return {0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9,  1.0,
                1.2, 1.4, 1.6, 1.8, 2.0, 3.0, 4.0, 5.0, 10.0, 20.0};
    }
    std::vector<double> values;
    for (int tenths = 1; tenths <= 30; ++tenths) {
        values.push_back(tenths / 10.0);
    }
    for (const double more : {3.5, 4.0, 5.0, 7.0, 10.0, 20.0, 50.0}) {
        values.push_back(more);
    }
    return values;
}

}  // namespace zm
