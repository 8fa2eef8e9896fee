// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zm {

// Why a result file could not be read: the first bad line (counted from 1) and what is
// wrong with it; line 0 when the fault is the file as a whole ("holds no points").
struct FileError {
    int line = 0;
    std::string what;

    // "line 7: the frequency "14.1e6x" is not a number", or just the fault for line 0.
    std::string describe() const;
};

// The lines of a text file, ended by LF or CRLF, with a UTF-8 byte order mark dropped:
// spreadsheets save one.
std::vector<std::string_view> textLines(std::string_view text);

// The parts of a line between the separators; a part is never trimmed.
std::vector<std::string_view> splitAt(std::string_view line, char separator);

// The parts of a line between runs of blanks and tabs, with none empty.
std::vector<std::string_view> words(std::string_view line);

}  // namespace zm
