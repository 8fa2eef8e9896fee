// SPDX-License-Identifier: GPL-3.0-or-later

#include "zoom/application_zoom.h"

#include <QApplication>
#include <QFont>
#include <QProxyStyle>
#include <QScreen>
#include <QStyleFactory>
#include <QWidget>
#include <cmath>

namespace zm {

namespace {

// The platform's style with its measures scaled. Those of zero or less mean "none" or
// "ask the layout" and stay as they are.
class ZoomStyle : public QProxyStyle {
public:
    ZoomStyle(QStyle* platformStyle, Zoom zoom) : QProxyStyle(platformStyle), m_zoom(zoom) {}

    Zoom zoom() const { return m_zoom; }

    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        const int design = QProxyStyle::pixelMetric(metric, option, widget);
        return design > 0 ? static_cast<int>(std::lround(m_zoom.scaled(design))) : design;
    }

private:
    Zoom m_zoom;
};

// What the application is zoomed by now: the style says, so nothing is kept beside it.
const ZoomStyle* zoomStyle() {
    return dynamic_cast<const ZoomStyle*>(QApplication::style());
}

}  // namespace

Zoom applicationZoom() {
    const ZoomStyle* now = zoomStyle();
    return now ? now->zoom() : Zoom();
}

void zoomApplication(Zoom zoom) {
    const ZoomStyle* now = zoomStyle();
    const double was = applicationZoom().factor();
    if (was == zoom.factor()) {
        return;
    }
    QFont font = QApplication::font();
    if (font.pointSizeF() > 0) {
        font.setPointSizeF(font.pointSizeF() / was * zoom.factor());
    } else {
        font.setPixelSize(static_cast<int>(std::lround(font.pixelSize() / was * zoom.factor())));
    }
    const QString platformStyle = now ? now->baseStyle()->name() : QApplication::style()->name();
    // The application takes the new style and deletes the one before.
    QApplication::setStyle(new ZoomStyle(QStyleFactory::create(platformStyle), zoom));
    QApplication::setFont(font);
}

void resizeForZoom(QWidget& window, QSize size, double ratio) {
    const QSize wanted = size * ratio;
    const QScreen* screen = window.screen();
    window.resize(screen ? wanted.boundedTo(screen->availableGeometry().size()) : wanted);
}

}  // namespace zm
