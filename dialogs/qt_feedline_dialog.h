// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "feedline/feedline_dialog.h"

namespace zm {

// FeedlineDialog as a modal dialog over the active window: the cable (none, one of the
// list, or custom), its length in metres or feet, a custom cable's velocity factor and loss
// per 100 m or 100 ft, and "Find length...", which fits the last sweep of the cable alone,
// far end open or shorted, and offers the length found. OK refuses what does not make a
// feedline and says why under the fields.
class QtFeedlineDialog : public FeedlineDialog {
public:
    std::optional<FeedlineSettings> edit(const FeedlineDialogInput& input) override;
};

}  // namespace zm
