// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zm {

// The two File menu entries that show the file dialog. Both show an open-file dialog;
// they differ only in the file-type list.
enum class FileMenuEntry { Open, SaveAs };

// Each entry's file-type list is stored in two pieces joined with nothing between them.
// The join is why the second type reads "Text Files(*.txt)", without a blank.
inline constexpr std::string_view kFilterFirstPiece = "All Files (*.*)|*.*|Text Files";
inline constexpr std::string_view kOpenFilterSecondPiece =
    "(*.txt)|*.txt|Batch Files (*.bat)|*.bat";
inline constexpr std::string_view kSaveAsFilterSecondPiece =
    "(*.txt)|*.txt|ZM480 Files (*.zm4)|*.zm4";

// "All Files (*.*)|*.*|Text Files(*.txt)|*.txt|Batch Files (*.bat)|*.bat" for Open.
std::string fileFilter(FileMenuEntry entry);

// One entry of the dialog's file-type box: the text the user sees and the pattern list
// that filters the files ("*.txt", or several joined by ";": "*.htm;*.html").
struct FileType {
    std::string description;
    std::string pattern;
    bool operator==(const FileType&) const = default;
};

// Splits "description|pattern|description|pattern" into its file types, pairing the
// parts in order as the filter's author wrote them:
//  - a final description without a pattern ("All|*|Text") is dropped: with nothing to
//    filter by, the entry would show every file under a misleading name;
//  - a pair whose pattern holds no glob ("", " ", ";") is dropped for the same reason;
//  - a pair with a blank description shows its pattern as its description;
//  - an empty text gives no types.
// A stray "|" shifts the pairing of everything after it; the result is still a list of
// well-formed types, never an out-of-range read. Linear in the text's length.
std::vector<FileType> parseFilter(std::string_view filter);

// The globs of one pattern list, as a file dialog outside Windows understands them:
// split at ";" and blanks, and "*.*", which on Windows matches every file, becomes "*"
// (as a glob, "*.*" would hide names without a dot such as "Makefile").
std::vector<std::string> patternGlobs(std::string_view pattern);

}  // namespace zm
