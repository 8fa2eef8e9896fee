// SPDX-License-Identifier: GPL-3.0-or-later

#include "results/text_file.h"

namespace zm {

std::string FileError::describe() const {
    return line > 0 ? "line " + std::to_string(line) + ": " + what : what;
}

std::vector<std::string_view> textLines(std::string_view text) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.starts_with(kByteOrderMark)) {
        text.remove_prefix(kByteOrderMark.size());
    }
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
}

std::vector<std::string_view> splitAt(std::string_view line, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (auto at = line.find(separator); at != std::string_view::npos;
         at = line.find(separator, start)) {
        parts.push_back(line.substr(start, at - start));
        start = at + 1;
    }
    parts.push_back(line.substr(start));
    return parts;
}

std::vector<std::string_view> words(std::string_view line) {
    std::vector<std::string_view> found;
    std::size_t start = line.find_first_not_of(" \t");
    while (start != std::string_view::npos) {
        const auto end = line.find_first_of(" \t", start);
        found.push_back(line.substr(start, end == std::string_view::npos ? end : end - start));
        start = line.find_first_not_of(" \t", end);
    }
    return found;
}

}  // namespace zm
