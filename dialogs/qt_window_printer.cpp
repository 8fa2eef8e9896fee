// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/qt_window_printer.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>
#include <algorithm>

namespace zm {
namespace {

constexpr const char* kNoPrinter =
    "No printer is set up. Install and set a default printer (CUPS), then try again.";
// The name of the job in the print queue.
const QString kJobName = QStringLiteral("ZM-480_Plot");

// How much larger than on screen the window is drawn: as wide as the printable area,
// or as high where the window is the taller for the page.
qreal scaleToPage(QSizeF windowSize, const QRect& printable) {
    return std::min(printable.width() / windowSize.width(),
                    printable.height() / windowSize.height());
}

}  // namespace

bool QtWindowPrinter::printWindow(QWidget& clientArea, std::string& whyNot) {
    if (clientArea.width() <= 0 || clientArea.height() <= 0) {
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
    const QRect printable = painter.viewport();
    const qreal scale = scaleToPage(QSizeF(clientArea.size()), printable);
    painter.translate(printable.topLeft());
    painter.scale(scale, scale);
    clientArea.render(&painter);
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
