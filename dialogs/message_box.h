// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string_view>

namespace zm {

inline constexpr std::string_view kAppTitle = "ZM-480_Plot";

// The window's message box: OK only, no icon, "ZM-480_Plot" as caption, and the text
// always shown as plain text, never as markup.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Modal: returns when the user has closed it.
    virtual void show(std::string_view text) = 0;
};

}  // namespace zm
