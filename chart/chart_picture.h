// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QList>
#include <QRectF>
#include <QSize>
#include <QString>

class QAction;
class QPainter;
class QWidget;

namespace zm {

// One trace as a picture's legend names it: the name the screen gives it, its colour and
// its line.
struct LegendEntry {
    QString name;
    QColor colour;
    Qt::PenStyle style = Qt::SolidLine;
};

// A chart that draws itself afresh for a picture of any size: what it shows now, on white
// with dark text, without what hovering shows. The main chart, the Smith chart and any
// other chart-like window implement it to offer "Copy image" and "Save image...".
class ChartPicture {
public:
    virtual ~ChartPicture() = default;
    // Draws the chart into `area`, laid out for that size in the painter's units (the
    // painter may be scaled); the window on screen is left as it was.
    virtual void paintPicture(QPainter& painter, const QRectF& area) = 0;
    // The traces drawn, in the order the screen lists them.
    virtual QList<LegendEntry> legend() const = 0;
};

// A saved or copied image: 1600 x 1000 pixels whatever the window's size, laid out at half
// that, so that its text reads as on a large screen.
inline constexpr QSize kPictureSizePx(1600, 1000);
inline constexpr double kPictureScale = 2.0;

// The title line (none when empty), the legend under it, and the chart filling the rest.
void paintFramedPicture(QPainter& painter, const QRectF& area, ChartPicture& chart,
                        const QString& title);
QImage pictureImage(ChartPicture& chart, const QString& title, QSize sizePx = kPictureSizePx);
QByteArray picturePng(ChartPicture& chart, const QString& title, QSize sizePx = kPictureSizePx);
// Vector: the traces as paths, the texts as text.
QByteArray pictureSvg(ChartPicture& chart, const QString& title, QSize sizePx = kPictureSizePx);
// A window drawn whole into `area`, as large as fits and centred: drawn, not grabbed, so that
// the text stays sharp at the picture's size and text in an SVG.
void paintWidgetPicture(QWidget& widget, QPainter& painter, const QRectF& area);
// The dots per inch the charts lay their text out for: a picture's device uses the same,
// so that a point of text takes the room it took on the chart.
int pictureDotsPerInch();

// A chart-like window's "Copy image" and "Save image..." entries, owned by `owner`: added
// to its context menu after its own entries, and wired by the main window to copy or save
// the picture (frmMain::offerPictures).
struct PictureActions {
    QAction* copyImage = nullptr;  // "Copy image"
    QAction* saveImage = nullptr;  // "Save image..."
};
PictureActions makePictureActions(QWidget* owner);

}  // namespace zm
