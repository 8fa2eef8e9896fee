// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>

namespace zm {

// What a sweep file dialog asks for.
struct SweepFileRequest {
    std::string title;          // "Save sweep as CSV"
    std::string fileTypes;      // Qt's name filters, ";;" between them: "CSV files (*.csv)"
    std::string defaultSuffix;  // added to a typed name without one: "csv"; empty to open
    std::string suggestedName;  // "sweep.csv"; empty to open
};

// The file chosen to save a report to, and the comment typed for it (empty by default).
struct ReportChoice {
    std::string path;
    std::string comment;
};

// The dialog that picks where a sweep, a picture, a report or a memory is saved and which
// file is loaded as a memory.
class SweepFileDialog {
public:
    virtual ~SweepFileDialog() = default;
    // A new or existing file to write, an existing one only once the user has agreed to
    // replace it; none on Cancel.
    virtual std::optional<std::string> chooseSaveName(const SweepFileRequest& request) = 0;
    // The same with a line for a comment under the file name.
    virtual std::optional<ReportChoice> chooseReportName(const SweepFileRequest& request) = 0;
    // An existing file to read; none on Cancel.
    virtual std::optional<std::string> chooseOpenName(const SweepFileRequest& request) = 0;
};

}  // namespace zm
