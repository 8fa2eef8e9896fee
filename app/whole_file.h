// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace zm {

// Replaces a file whole, through a temporary file renamed over it once every byte is on
// the disk, so a failed write leaves the old file as it was. Only a regular file, or none
// yet, is replaced. None on success, else the reason ("No space left on device").
std::optional<QString> replaceFileWhole(const QString& path, std::string_view text);

// The first maxBytes of a regular file. None when it is missing, not a regular file (a
// FIFO would block until some other program wrote to it) or unreadable, with the reason.
std::optional<std::string> readRegularFile(const QString& path, qint64 maxBytes, QString& whyNot);

}  // namespace zm
