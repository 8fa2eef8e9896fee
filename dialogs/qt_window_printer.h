// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>

#include <QString>

#include "dialogs/window_printer.h"

class QPrinter;

namespace zm {

// Prints the window as it shows on the default printer, no dialog, across the printable
// width (or down its height, for a window taller than the page) keeping its shape. The
// widgets draw at the printer's resolution, not the screen's: Qt hands the printer one image
// of them at its dots (9,583 x 7,737 across an A4 page at 1200 dpi, 2 MB, 3.6 s on the
// offscreen platform; half of each way at 600 dpi), so text and lines print sharp.
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
