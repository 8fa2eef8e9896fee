// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/qt_window_printer.h"

#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>

namespace zm {
namespace {

constexpr const char* kNoPrinter =
    "No printer is set up. Install and set a default printer (CUPS), then try again.";
// The name of the job in the print queue.
const QString kJobName = QStringLiteral("ZM-480_Plot");

// Where the picture goes on the page, in printer dots from the top left of the printable
// area: its size on screen (pixels over the screen's dots per inch), shrunk to fit.
QRectF pictureOnPage(const QPixmap& picture, const QWidget& shownOn, const QRect& printable,
                     int printerDpi) {
    const QSizeF screenPixels = picture.deviceIndependentSize();
    const qreal dotsPerPixel = qreal(printerDpi) / qMax(1, shownOn.logicalDpiX());
    QSizeF size = screenPixels * dotsPerPixel;
    if (size.width() > printable.width() || size.height() > printable.height()) {
        size.scale(QSizeF(printable.size()), Qt::KeepAspectRatio);
    }
    return QRectF(QPointF(printable.topLeft()), size);
}

}  // namespace

bool QtWindowPrinter::printWindow(QWidget& clientArea, std::string& whyNot) {
    const QPixmap picture = clientArea.grab();
    if (picture.isNull()) {
        whyNot = "The window has nothing to print.";
        return false;
    }
    const std::unique_ptr<QPrinter> printer = openPrinter(whyNot);
    if (!printer) {
        return false;
    }
    const std::string printerName =
        m_pdfPath.isEmpty() ? printer->printerName().toStdString() : m_pdfPath.toStdString();
    QPainter painter;
    if (!painter.begin(printer.get())) {
        whyNot = "The printer \"" + printerName + "\" could not be started.";
        return false;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(
        pictureOnPage(picture, clientArea, painter.viewport(), printer->resolution()), picture,
        QRectF(picture.rect()));
    if (!painter.end()) {
        whyNot = "The picture could not be sent to the printer \"" + printerName + "\".";
        return false;
    }
    return true;
}

std::unique_ptr<QPrinter> QtWindowPrinter::openPrinter(std::string& whyNot) const {
    std::unique_ptr<QPrinter> printer;
    if (m_pdfPath.isEmpty()) {
        const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
        if (defaultPrinter.isNull()) {
            whyNot = kNoPrinter;
            return nullptr;
        }
        printer = std::make_unique<QPrinter>(defaultPrinter, QPrinter::HighResolution);
        if (!printer->isValid() || printer->outputFormat() != QPrinter::NativeFormat) {
            whyNot = kNoPrinter;
            return nullptr;
        }
    } else {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(m_pdfPath);
    }
    printer->setDocName(kJobName);
    return printer;
}

}  // namespace zm
