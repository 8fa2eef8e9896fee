// SPDX-License-Identifier: GPL-3.0-or-later
// The lamp and icon images, drawn by the program itself.
#include <gtest/gtest.h>
#include <QColor>
#include <QImage>

#include "app/lamp_images.h"

namespace zm {
namespace {

struct LampCase {
    const char* name;
    LampColour colour;
    bool greenDominates;
};

TEST(LampImages, AreSmallRoundLampsWithTransparentCorners) {
    const LampCase table[] = {{"green", LampColour::Green, true}, {"red", LampColour::Red, false}};
    for (const LampCase& row : table) {
        SCOPED_TRACE(row.name);
        const QImage image = lampImage(row.colour);
        ASSERT_EQ(image.size(), QSize(15, 15));
        ASSERT_TRUE(image.hasAlphaChannel());
        for (const QPoint corner : {QPoint(0, 0), QPoint(14, 0), QPoint(0, 14), QPoint(14, 14)}) {
            EXPECT_EQ(qAlpha(image.pixel(corner)), 0);
        }
        const QColor centre = image.pixelColor(7, 7);
        EXPECT_EQ(centre.alpha(), 255);
        if (row.greenDominates) {
            EXPECT_GT(centre.green(), centre.red() + 100);
        } else {
            EXPECT_GT(centre.red(), centre.green() + 100);
        }
    }
}

TEST(IconImages, WindowIconIsOpaqueAndSquareIconKeepsItsCornersClear) {
    const QImage icon = windowIconImage();
    EXPECT_EQ(icon.size(), QSize(100, 53));
    EXPECT_FALSE(icon.hasAlphaChannel());
    const QImage square = squareIconImage(128);
    EXPECT_EQ(square.size(), QSize(128, 128));
    EXPECT_EQ(qAlpha(square.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(square.pixel(64, 64)), 255);
}

}  // namespace
}  // namespace zm
