// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/sweep_delivery.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <iostream>

#include "cli/sweep_summary.h"
#include "feedline/reading_plane.h"
#include "results/memory_file.h"
#include "results/sweep_files.h"
#include "settings/whole_file.h"

namespace zm {

SweepDelivery::SweepDelivery(const SweepCommandLine& line, const QString& settingsFolder,
                             std::optional<Feedline> feedline, Plane plane, std::size_t sweeps)
    : m_line(line),
      m_output(line.output.value_or(SweepOutput{})),
      m_feedline(std::move(feedline)),
      m_plane(plane),
      m_sweeps(sweeps) {
    if (line.keep) {
        m_shelf.emplace(QDir(settingsFolder).filePath("memories"));
        m_shelf->load();  // the window names the files it cannot read at its start
    }
}

SweepOutput SweepDelivery::outputOf(const std::string& bandName) const {
    return outputForBand(m_output, bandName, m_sweeps);
}

std::string SweepDelivery::outputProblem(const std::string& bandName) const {
    const SweepOutput output = outputOf(bandName);
    if (output.toStandardOutput()) {
        return {};
    }
    const QFileInfo file(QString::fromStdString(output.path));
    const QFileInfo folder(file.absolutePath());
    if (!folder.isDir() || !folder.isWritable()) {
        return output.path + ": the folder " + folder.filePath().toStdString() +
               (folder.isDir() ? " may not be written in" : " is not there") +
               ": name a file in a folder of yours";
    }
    if (file.exists() && !file.isFile()) {
        return output.path + " is no file that a sweep can be written to: name another";
    }
    return {};
}

bool SweepDelivery::deliver(const std::string& bandName, const SweepRecord& record,
                            int plannedPoints, std::chrono::duration<double> keyed,
                            std::string& whyNot) {
    const SweepRecord shown = recordAtPlane(record, m_plane, m_feedline ? &*m_feedline : nullptr);
    const SweepOutput output = outputOf(bandName);
    std::string notWritten;
    std::string notKept;
    const bool written = writeFile(output, shown, notWritten);
    const bool kept = !m_shelf || !shown.hasReadings() || keep(bandName, shown, notKept);
    const FinishedSweep finished{bandName, shown, plannedPoints, keyed};
    std::ostream& summary = summaryStream();
    summary << (m_line.summary == SummaryFormat::Json ? summaryJson(finished)
                                                      : summaryText(finished))
            << std::flush;
    // A script reads the summary as data: one lost to a closed pipe or a full disk is a
    // failure, not a sweep that went well.
    const bool summarised = static_cast<bool>(summary);
    const std::string notSummarised = summarised ? "" : "the summary could not be written";
    whyNot.clear();
    for (const std::string& why : {notWritten, notKept, notSummarised}) {
        if (!why.empty()) {
            whyNot += (whyNot.empty() ? "" : "; ") + why;
        }
    }
    return written && kept && summarised;
}

bool SweepDelivery::writeFile(const SweepOutput& output, const SweepRecord& shown,
                              std::string& whyNot) {
    const std::string text = sweepFileText(shown, output.kind);
    if (output.toStandardOutput()) {
        std::cout << text << std::flush;
        if (!std::cout) {
            whyNot = "the sweep could not be written to standard output";
            return false;
        }
        return true;
    }
    if (const auto failure = replaceFileWhole(QString::fromStdString(output.path), text)) {
        whyNot = output.path + " could not be written: " + failure->toStdString();
        return false;
    }
    return true;
}

bool SweepDelivery::keep(const std::string& bandName, const SweepRecord& shown,
                         std::string& whyNot) {
    const std::string today = QDate::currentDate().toString("yyyy-MM-dd").toStdString();
    const std::string name =
        bandName.empty() ? defaultMemoryName(shown, today) : bandMemoryName(bandName, shown);
    if (!m_shelf->add({name, true, 0, shown}, whyNot)) {
        whyNot = "the memory \"" + name + "\" was not kept: " + whyNot;
        return false;
    }
    return true;
}

// Beside the data on standard output it would be mixed in.
std::ostream& SweepDelivery::summaryStream() const {
    return m_output.toStandardOutput() ? std::cerr : std::cout;
}

}  // namespace zm
