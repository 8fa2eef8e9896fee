// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <string_view>

namespace zm {

// The desktop's clipboard, for text and pictures.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void setText(std::string_view text) = 0;
    virtual void setImage(const QImage& image) = 0;
};

}  // namespace zm
