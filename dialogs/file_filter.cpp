// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/file_filter.h"

#include <algorithm>
#include <unordered_set>

namespace zm {
namespace {

// Between the globs of one pattern list: "*.htm;*.html", "*.htm *.html".
constexpr std::string_view kGlobSeparators = "; \t";

bool hasNoGlob(std::string_view pattern) {
    return pattern.find_first_not_of(kGlobSeparators) == std::string_view::npos;
}

// Cuts the text at every separator; n separators give n + 1 parts, empty ones included.
std::vector<std::string_view> splitAt(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        if (end == std::string_view::npos) {
            parts.push_back(text.substr(start));
            return parts;
        }
        parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

}  // namespace

std::string fileFilter(FileMenuEntry entry) {
    std::string filter(kFilterFirstPiece);
    filter += entry == FileMenuEntry::Open ? kOpenFilterSecondPiece : kSaveAsFilterSecondPiece;
    return filter;
}

std::vector<FileType> parseFilter(std::string_view filter) {
    std::vector<FileType> types;
    if (filter.empty()) {
        return types;
    }
    const std::vector<std::string_view> parts = splitAt(filter, '|');
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        const std::string_view description = parts[i];
        const std::string_view pattern = parts[i + 1];
        if (hasNoGlob(pattern)) {
            continue;
        }
        const bool blankDescription =
            description.find_first_not_of(" \t") == std::string_view::npos;
        types.push_back(
            {std::string(blankDescription ? pattern : description), std::string(pattern)});
    }
    return types;
}

std::vector<std::string> patternGlobs(std::string_view pattern) {
    std::vector<std::string> globs;
    std::unordered_set<std::string> listed;
    std::size_t start = pattern.find_first_not_of(kGlobSeparators);
    while (start != std::string_view::npos) {
        const std::size_t end =
            std::min(pattern.find_first_of(kGlobSeparators, start), pattern.size());
        const std::string_view glob = pattern.substr(start, end - start);
        std::string added(glob == "*.*" ? "*" : glob);
        if (listed.insert(added).second) {
            globs.push_back(std::move(added));
        }
        start = pattern.find_first_not_of(kGlobSeparators, end);
    }
    return globs;
}

}  // namespace zm
