// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/sweep_delivery.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <iostream>

#include "cli/terminal_words.h"
#include "feedline/reading_plane.h"
#include "results/memory_file.h"
#include "results/sweep_files.h"
#include "settings/whole_file.h"

namespace zm {

namespace {

std::ostream& streamOf(int fd) {
    return fd == STDOUT_FILENO ? std::cout : std::cerr;
}

bool isLost(const OutputWatch& watch, int fd) {
    const auto loss = watch.loss();
    return loss && loss->fd == fd;
}

}  // namespace

SweepDelivery::SweepDelivery(const SweepCommandLine& line, const QString& settingsFolder,
                             std::optional<Feedline> feedline, Plane plane, std::size_t sweeps,
                             OutputWatch& watch, bool utf8)
    : m_line(line),
      m_settingsFolder(settingsFolder),
      m_output(line.output.value_or(SweepOutput{})),
      m_feedline(std::move(feedline)),
      m_plane(plane),
      m_sweeps(sweeps),
      m_watch(watch),
      m_utf8(utf8) {
    if (m_output.toStandardOutput()) {
        m_streamed.emplace(std::cout, m_plane, m_feedline);
    }
}

SweepDelivery::~SweepDelivery() {
    for (const std::string& path : m_created) {
        QFile::remove(QString::fromStdString(path));
    }
}

SweepRecord SweepDelivery::atPlane(const SweepRecord& record) const {
    return recordAtPlane(record, m_plane, m_feedline ? &*m_feedline : nullptr);
}

SweepOutput SweepDelivery::outputOf(const std::string& bandName) const {
    return outputForBand(m_output, bandName, m_sweeps);
}

// The file is opened as it is, not emptied: a refusal further on leaves an earlier sweep in
// it. It is replaced whole once the sweep has ended, through a temporary file in its folder.
std::string SweepDelivery::openOutput(const std::string& bandName) {
    const SweepOutput output = outputOf(bandName);
    if (output.toStandardOutput()) {
        return {};
    }
    const QFileInfo file(QString::fromStdString(output.path));
    const QFileInfo folder(file.absolutePath());
    const std::string named = "-o " + output.path;
    if (file.exists() && !file.isFile()) {
        return named +
               ": that is no file that a sweep can be written to, so nothing was keyed: "
               "name another";
    }
    if (!folder.isDir() || !folder.isWritable()) {
        return named + ": the folder " + folder.filePath().toStdString() +
               (folder.isDir() ? " may not be written in" : " is not there") +
               ", so nothing was keyed: name a file in a folder of yours";
    }
    const bool existed = file.exists();
    const int fd = ::open(output.path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd < 0) {
        return named + ": the file cannot be " + (existed ? "written" : "created") + " (" +
               std::strerror(errno) + "), so nothing was keyed: name another";
    }
    ::close(fd);
    if (!existed) {
        m_created.insert(output.path);
    }
    return {};
}

void SweepDelivery::begun(const SweepRecord& record, bool inOrder) {
    if (m_streamed && !isLost(m_watch, STDOUT_FILENO)) {
        m_streamed->begin(record, inOrder);
    }
}

void SweepDelivery::taken(const SweepPoint& point) {
    if (m_streamed && !isLost(m_watch, STDOUT_FILENO)) {
        m_streamed->taken(point);
        if (!m_streamed->good()) {
            m_watch.writeFailed(STDOUT_FILENO, std::strerror(errno));
        }
    }
}

Delivered SweepDelivery::deliver(const FinishedSweep& sweep, bool lost) {
    Delivered delivered;
    std::string notWritten, notKept;
    const SweepRecord& shown = sweep.record;
    const bool written = writeFile(outputOf(sweep.bandName), shown, notWritten);
    const bool kept = !(m_line.keep || lost) || !shown.hasMeasurements() ||
                      keep(sweep.bandName, shown, delivered.memory, notKept);
    // A script reads the summary as data: one lost to a full disk is a failure, not a
    // sweep that went well. One whose stream is gone is the loss, told on its own.
    const bool summarised = writeSummary(sweep);
    const std::string notSummarised = summarised ? "" : "the summary could not be written";
    for (const std::string& why : {notWritten, notKept, notSummarised}) {
        if (!why.empty()) {
            delivered.whyNot += (delivered.whyNot.empty() ? "" : "; ") + why;
        }
    }
    delivered.whole = written && kept && summarised;
    return delivered;
}

void SweepDelivery::passOver(const FinishedSweep& band) {
    writeSummary(band);
}

// A band that keyed nothing writes no file: one made for it goes again, one there before
// keeps its sweep.
bool SweepDelivery::writeFile(const SweepOutput& output, const SweepRecord& shown,
                              std::string& whyNot) {
    if (output.toStandardOutput()) {
        if (isLost(m_watch, STDOUT_FILENO)) {
            return true;  // the loss is the message
        }
        m_streamed->end(shown);
        if (!m_streamed->good()) {
            m_watch.writeFailed(STDOUT_FILENO, std::strerror(errno));
        }
        return true;
    }
    if (shown.keyedPoints() == 0) {
        whyNot = output.path + " was not written, as nothing was keyed";
        return true;
    }
    const std::string text = sweepFileText(shown, output.kind);
    if (const auto failure = replaceFileWhole(QString::fromStdString(output.path), text)) {
        whyNot = output.path + " could not be written: " + failure->toStdString();
        return false;
    }
    m_created.erase(output.path);
    return true;
}

bool SweepDelivery::keep(const std::string& bandName, const SweepRecord& shown, std::string& memory,
                         std::string& whyNot) {
    if (!m_shelf) {
        m_shelf.emplace(QDir(m_settingsFolder).filePath("memories"));
        m_shelf->load();  // the window names the files it cannot read at its start
    }
    const std::string today = QDate::currentDate().toString("yyyy-MM-dd").toStdString();
    const std::string name =
        bandName.empty() ? defaultMemoryName(shown, today) : bandMemoryName(bandName, shown);
    const bool added = m_shelf->add({name, true, 0, shown}, whyNot);
    if (!added) {
        whyNot = "the memory \"" + name + "\" was not kept: " + whyNot;
        return false;
    }
    memory = "the memory \"" + name + "\" (" +
             m_shelf->filePath(m_shelf->memories().size() - 1).toStdString() + ")";
    return true;
}

// False when the summary's stream failed; nothing is written to one that is gone.
bool SweepDelivery::writeSummary(const FinishedSweep& sweep) {
    const int fd = summaryFd();
    if (isLost(m_watch, fd)) {
        return true;
    }
    std::ostream& out = streamOf(fd);
    const std::string text =
        m_line.summary == SummaryFormat::Json ? summaryJson(sweep) : summaryText(sweep);
    out << terminalText(text, m_utf8) << std::flush;
    if (!out) {
        m_watch.writeFailed(fd, std::strerror(errno));
        return false;
    }
    return true;
}

// Beside the data on standard output it would be mixed in.
int SweepDelivery::summaryFd() const {
    return m_output.toStandardOutput() ? STDERR_FILENO : STDOUT_FILENO;
}

}  // namespace zm
