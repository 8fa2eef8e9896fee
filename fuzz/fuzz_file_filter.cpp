// SPDX-License-Identifier: GPL-3.0-or-later
// Any text as a file dialog's filter, "description|pattern|description|pattern", and each
// pattern list as globs. Every pair whose pattern holds a glob must be offered, in order,
// and nothing else; the globs must be the pattern's own words, each once, "*.*" as "*".

#include <algorithm>
#include <string>
#include <vector>

#include "dialogs/file_filter.h"
#include "fuzz/fuzz_check.h"

namespace {

using zm::fuzz::require;
using zm::fuzz::splitAtBars;

constexpr std::string_view kSeparators = "; \t";

void checkGlobs(std::string_view pattern, std::string_view input) {
    const std::vector<std::string> globs = zm::patternGlobs(pattern);
    std::vector<std::string> expected;
    std::size_t start = 0;
    while ((start = pattern.find_first_not_of(kSeparators, start)) != std::string_view::npos) {
        const std::size_t end = std::min(pattern.find_first_of(kSeparators, start), pattern.size());
        std::string glob(pattern.substr(start, end - start));
        if (glob == "*.*") {
            glob = "*";
        }
        if (std::find(expected.begin(), expected.end(), glob) == expected.end()) {
            expected.push_back(glob);
        }
        start = end;
    }
    require(globs == expected,
            "the globs are the pattern's words, each once, in order, \"*.*\" as \"*\"", input,
            pattern);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view filter = zm::fuzz::asText(data, size);
    const std::vector<zm::FileType> types = zm::parseFilter(filter);
    const std::vector<std::string_view> parts = splitAtBars(filter);

    // Pairs in order; one whose pattern holds no glob is passed over, a final description
    // without a pattern is dropped.
    std::size_t next = 0;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        const std::string_view description = parts[i];
        const std::string_view pattern = parts[i + 1];
        if (pattern.find_first_not_of(kSeparators) == std::string_view::npos) {
            continue;
        }
        require(next < types.size(), "every pair with a glob is offered", filter, pattern);
        const zm::FileType& type = types[next++];
        require(type.pattern == pattern, "a file type's pattern is its pair's", filter,
                type.pattern);
        const bool blank = description.find_first_not_of(" \t") == std::string_view::npos;
        require(type.description == (blank ? pattern : description),
                "a file type's description is its pair's, or its pattern when that is blank",
                filter, type.description);
        require(type.description.find_first_not_of(" \t") != std::string::npos,
                "a file type has a description to show", filter, type.description);
        checkGlobs(type.pattern, filter);
    }
    require(next == types.size(), "only the text's pairs are offered", filter);
    checkGlobs(filter, filter);
    return 0;
}
