// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>

#include <QString>

#include "dialogs/window_printer.h"

class QPrinter;

namespace zm {

// Prints the window's picture on the default printer, no dialog. The picture is taken at
// screen resolution (QWidget::grab) and laid on the page at the size it has on screen,
// shrunk to fit the printable area if larger. Rendering the widget straight onto a
// 1200 dpi printer instead rasterises a 12,778 x 9,583 image and takes 2.2 s.
//
// Without a print service there is no default printer; Qt would then hand out a PDF
// printer with no file name, whose QPainter::begin fails. That case is told apart first
// and reported as "No printer is set up. ..." (the lookup takes a few milliseconds when
// no CUPS daemon runs).
class QtWindowPrinter : public WindowPrinter {
public:
    QtWindowPrinter() = default;

    // The same printing into a PDF file, for tests.
    static QtWindowPrinter toPdfFile(const QString& path) { return QtWindowPrinter(path); }

    bool printWindow(QWidget& clientArea, std::string& whyNot) override;

private:
    explicit QtWindowPrinter(const QString& pdfPath) : m_pdfPath(pdfPath) {}
    std::unique_ptr<QPrinter> openPrinter(std::string& whyNot) const;

    QString m_pdfPath;  // empty: the default printer
};

}  // namespace zm
