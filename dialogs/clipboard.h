// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string_view>

namespace zm {

// The desktop's clipboard, for text.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void setText(std::string_view text) = 0;
};

}  // namespace zm
