// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

class QWidget;

namespace zm {

// Prints an image of a window's client area, as it shows at that moment, on the default
// printer, without a printer dialog.
class WindowPrinter {
public:
    virtual ~WindowPrinter() = default;
    // False with a reason for the user when there is no printer or printing failed.
    virtual bool printWindow(QWidget& clientArea, std::string& whyNot) = 0;
};

}  // namespace zm
