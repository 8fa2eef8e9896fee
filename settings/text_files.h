// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zm {

// Sweep files on the disk, whole: written so that a failed write leaves any old file as it
// was, read up to a size no sweep file comes near.
class TextFiles {
public:
    virtual ~TextFiles() = default;
    // False with the reason ("Permission denied") when the file was not written.
    virtual bool write(const std::string& path, std::string_view text, std::string& whyNot) = 0;
    // None with the reason when the file could not be read.
    virtual std::optional<std::string> read(const std::string& path, std::string& whyNot) = 0;
};

}  // namespace zm
