// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QSize>

#include "zoom/zoom.h"

class QWidget;

namespace zm {

// Every widget of the program that takes the application's font and style at a zoom: its
// font, and each measure of the style (check boxes and radio buttons, scroll bars, margins
// and spacings of dialogs, icons) grown alike, so that menus, dialogs and message boxes are
// drawn at the window's scale. Controls with a font of their own are zoomed by their owner.
void zoomApplication(Zoom zoom);
// The zoom the application is drawn at now, for a window made meanwhile to take it.
Zoom applicationZoom();

// A window of the program (the Smith chart, Bands) at `size` grown by `ratio`, within the
// free area of its screen: its first size at the zoom, or its size at a new zoom.
void resizeForZoom(QWidget& window, QSize size, double ratio);

}  // namespace zm
