// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zm {

inline constexpr std::string_view kAppTitle = "ZM-480_Plot";

// The window's message box: OK only, no icon, "ZM-480_Plot" as caption, and the text
// always shown as plain text, never as markup; and its question for a name.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Modal: returns when the user has closed it.
    virtual void show(std::string_view text) = 0;
    // Modal: a line of text asked for with `typed` offered; none when the user cancels.
    virtual std::optional<std::string> askLine(std::string_view question,
                                               std::string_view typed) = 0;
    // Modal: Yes or No, No the default.
    virtual bool confirm(std::string_view question) = 0;
};

}  // namespace zm
