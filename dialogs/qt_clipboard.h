// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "dialogs/clipboard.h"

namespace zm {

// The application's clipboard; on X11 the text stays there while the program runs.
class QtClipboard : public Clipboard {
public:
    void setText(std::string_view text) override;
    void setImage(const QImage& image) override;  // offered as PNG among others
};

}  // namespace zm
