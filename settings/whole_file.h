// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <functional>
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

// A small settings file that users also write by hand (station.ini, bands.ini), read and
// checked. A damaged one (unreadable, larger than maxBytes, or as damageOf says) is renamed
// <path>.bad, so that it is reported once and nothing in it is lost.
struct CheckedFile {
    bool exists = false;
    std::string text;    // of a sound file
    std::string damage;  // empty for a sound or missing file; else the fault, for the user
    // For the report of a damaged file: "The file is kept as /home/op/.../station.ini.bad; "
    // or, when it could not be renamed, "The file stays as it is; ".
    std::string keptText;
};
CheckedFile readCheckedFile(const QString& path, qint64 maxBytes,
                            const std::function<std::string(std::string_view)>& damageOf);

}  // namespace zm
