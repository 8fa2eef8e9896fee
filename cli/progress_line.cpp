// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/progress_line.h"

#include <unistd.h>

#include <iostream>

#include "numbers/number_text.h"

namespace zm {

namespace {

// Back to the line's start, and everything after the cursor cleared: a shorter line leaves
// nothing of the one before.
constexpr std::string_view kOverwrite = "\r";
constexpr std::string_view kClearToEnd = "\x1b[K";

}  // namespace

std::string progressText(const SweepProgress& progress) {
    std::string text;
    if (!progress.bandName.empty()) {
        text = progress.bandName;
        if (progress.bands > 1) {
            text += " (band " + std::to_string(progress.band) + " of " +
                    std::to_string(progress.bands) + ")";
        }
        text += "  ";
    }
    text += "point " + std::to_string(progress.point) + " of " + std::to_string(progress.points) +
            "  " + megahertzText(static_cast<double>(progress.frequencyHz)) + " MHz  ";
    if (progress.skipped) {
        return text + "not keyed: " + std::string(skipReasonField(*progress.skipped));
    }
    return text + (progress.swr ? "SWR " + fixedNumber(*progress.swr, 2) : "no reading");
}

ProgressWriter ProgressWriter::onStandardError() {
    return ProgressWriter(std::cerr, ::isatty(STDERR_FILENO) == 1);
}

void ProgressWriter::show(const SweepProgress& progress) {
    if (m_terminal) {
        m_out << kOverwrite << progressText(progress) << kClearToEnd << std::flush;
        m_lineOpen = true;
    } else {
        m_out << progressText(progress) << '\n' << std::flush;
    }
}

void ProgressWriter::say(std::string_view line) {
    finish();
    m_out << line << '\n' << std::flush;
}

void ProgressWriter::finish() {
    if (m_lineOpen) {
        m_out << '\n' << std::flush;
        m_lineOpen = false;
    }
}

}  // namespace zm
