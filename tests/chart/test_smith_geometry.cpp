// SPDX-License-Identifier: GPL-3.0-or-later
// The Smith chart's geometry without a widget: Gamma to pixels and back, and the grid's
// circles where an impedance falls.

#include <gtest/gtest.h>

#include <cmath>
#include <complex>

#include "chart/smith_geometry.h"

namespace zm {
namespace {

constexpr double kPrecise = 1e-9;

bool onCircle(std::complex<double> gamma, const GammaCircle& circle) {
    return std::fabs(std::abs(gamma - circle.centre) - circle.radius) < kPrecise;
}

TEST(SmithView, GammaToWidgetAndBackWholeAndZoomed) {
    SmithView view(640, 480, 20);
    const WidgetPoint middle = view.toWidget(0.0);
    EXPECT_DOUBLE_EQ(middle.x, 320.0);
    EXPECT_DOUBLE_EQ(view.toWidget({0.0, 1.0}).y, 20.0);  // +j, inductive, at the top
    EXPECT_DOUBLE_EQ(view.toWidget(-1.0).x, 320.0 - 220.0);
    const WidgetPoint held{400.0, 150.0};
    const std::complex<double> underMouse = view.toGamma(held);
    for (const double factor : {1.5, 4.0, 100.0, 0.5}) {
        view.zoomAt(held, factor);
        for (const std::complex<double> gamma : {std::complex<double>(0.3, -0.2), {-0.9, 0.1}}) {
            EXPECT_LT(std::abs(view.toGamma(view.toWidget(gamma)) - gamma), kPrecise);
        }
    }
    EXPECT_EQ(view.zoom(), SmithView::kMostZoom / 2);  // 1.5 x 4 x 100 stops at the most
    const WidgetPoint stayed = view.toWidget(underMouse);
    EXPECT_NEAR(stayed.x, held.x, 1e-6);
    EXPECT_NEAR(stayed.y, held.y, 1e-6);
    view.zoomAt(held, 0.01);
    EXPECT_EQ(view.zoom(), 1.0);
    EXPECT_DOUBLE_EQ(view.toWidget(0.0).x, 320.0);  // the whole chart is centred again
}

// Each grid circle meets the rim where its impedance is a pure reactance, and every
// impedance lies where its own R, X, G and B circles cross.
TEST(SmithGrid, CirclesEndOnTheRimAndCrossAtTheirImpedance) {
    for (const double value : gridValues(10.0)) {
        const std::complex<double> rimPoint = gammaOfNormalised({0.0, value});
        EXPECT_NEAR(std::abs(rimPoint), 1.0, kPrecise) << value;
        EXPECT_TRUE(onCircle(rimPoint, reactanceCircle(value))) << value;
        EXPECT_TRUE(onCircle(1.0, resistanceCircle(value))) << value;
        EXPECT_TRUE(onCircle(-1.0, conductanceCircle(value))) << value;
        EXPECT_TRUE(onCircle(gammaOfNormalised(value), swrCircle(value > 1 ? value : 1 / value)));
    }
    for (const std::complex<double> z : {std::complex<double>(1.0, 1.0), {0.2, -0.5}, {3.0, 0.7}}) {
        const std::complex<double> gamma = gammaOfNormalised(z);
        const std::complex<double> y = 1.0 / z;
        EXPECT_TRUE(onCircle(gamma, resistanceCircle(z.real()))) << z;
        EXPECT_TRUE(onCircle(gamma, reactanceCircle(z.imag()))) << z;
        EXPECT_TRUE(onCircle(gamma, conductanceCircle(y.real()))) << z;
        EXPECT_TRUE(onCircle(gamma, susceptanceCircle(y.imag()))) << z;
    }
}

}  // namespace
}  // namespace zm
