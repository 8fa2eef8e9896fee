// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "settings/text_files.h"

namespace zm {

// TextFiles on QSaveFile and QFile. A sweep of the largest plan is about 2 MB as CSV; a
// file over kLargestFileBytes is refused rather than read in part.
class QtTextFiles : public TextFiles {
public:
    static constexpr long long kLargestFileBytes = 64LL << 20;

    bool write(const std::string& path, std::string_view text, std::string& whyNot) override;
    std::optional<std::string> read(const std::string& path, std::string& whyNot) override;
};

}  // namespace zm
