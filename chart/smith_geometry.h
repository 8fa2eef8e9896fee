// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <complex>
#include <vector>

namespace zm {

// A place on the widget, in pixels from its top left corner, y downwards.
struct WidgetPoint {
    double x = 0.0;
    double y = 0.0;
};

// A circle of the Gamma plane.
struct GammaCircle {
    std::complex<double> centre;
    double radius = 0.0;
};

// Where the Gamma plane lies on a widget: the whole chart, the unit circle, fits the widget
// with a margin; zooming enlarges it about a chosen Gamma. +j (inductive) is up.
class SmithView {
public:
    static constexpr double kMostZoom = 64.0;

    SmithView() = default;
    SmithView(double widthPx, double heightPx, double marginPx);

    WidgetPoint toWidget(std::complex<double> gamma) const;
    std::complex<double> toGamma(WidgetPoint point) const;
    double pixelsPerUnit() const { return m_wholeRadiusPx * m_zoom; }

    // Enlarges by `factor` (below 1 shrinks) keeping the Gamma under `fixed` where it is,
    // from the whole chart (zoom 1) to kMostZoom; the middle of the view stays on the chart.
    void zoomAt(WidgetPoint fixed, double factor);
    void showWhole();
    double zoom() const { return m_zoom; }
    WidgetPoint middle() const { return m_middle; }
    // A new size keeps the zoom and the Gamma in the middle; the chart may take only the
    // part of the widget right of `leftPx`.
    void resize(double widthPx, double heightPx, double marginPx, double leftPx = 0.0);

private:
    WidgetPoint m_middle;
    double m_wholeRadiusPx = 1.0;
    double m_zoom = 1.0;
    std::complex<double> m_gammaInMiddle;
};

// Gamma of a normalised impedance z = Z / R0: (z - 1) / (z + 1).
std::complex<double> gammaOfNormalised(std::complex<double> z);

// The grid's circles, by normalised value: constant resistance r and reactance x of the
// impedance grid, constant conductance g and susceptance b of the admittance grid (the
// impedance grid turned half a turn about the centre), and constant SWR.
GammaCircle resistanceCircle(double r);
GammaCircle reactanceCircle(double x);  // x not 0: that one is the real axis
GammaCircle conductanceCircle(double g);
GammaCircle susceptanceCircle(double b);  // b not 0
GammaCircle swrCircle(double swr);

// The values a grid draws circles for: more, and finer, as the zoom shows more detail.
std::vector<double> gridValues(double zoom);

}  // namespace zm
