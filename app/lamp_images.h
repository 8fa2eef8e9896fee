// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>

namespace zm {

// The link lamp's two faces: a 15 x 15 pixel circular lamp, shaded, with transparent
// corners so that the window shows through around it; drawn larger by `scale` for a zoom.
enum class LampColour { Green, Red };
inline constexpr int kLampSizePx = 15;
QImage lampImage(LampColour colour, double scale = 1.0);

// The program's picture: a small impedance chart (grid, an SWR dip, R and X curves) on a
// framed panel, opaque, in full 24-bit colour. Drawn at any size; the window icon is the
// design's 100 x 53 pixels.
inline constexpr int kWindowIconWidthPx = 100;
inline constexpr int kWindowIconHeightPx = 53;
QImage chartIconImage(int widthPx, int heightPx);
QImage windowIconImage();

// The same picture centred on a transparent square, for icon themes that want square icons.
QImage squareIconImage(int sizePx);

}  // namespace zm
