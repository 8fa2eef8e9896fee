// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <chrono>
#include <optional>
#include <ostream>
#include <set>
#include <string>

#include "cli/output_name.h"
#include "cli/output_watch.h"
#include "cli/streamed_csv.h"
#include "cli/sweep_command_line.h"
#include "cli/sweep_summary.h"
#include "feedline/transmission_line.h"
#include "results/sweep_record.h"
#include "settings/memory_shelf.h"

namespace zm {

// What became of one sweep's results once it ended.
struct Delivered {
    bool whole = true;   // its file, memory and summary all written
    std::string whyNot;  // what was not, for the user
    // The memory it was kept as, "the memory "20m 14:03" (/home/op/.config/zm480-plot/
    // memories/memory-004.csv)"; empty when none was kept.
    std::string memory;
};

// Where each sweep of a run goes, however it ended: its file (or standard output, row by
// row as the points come), its memory with --keep, and its summary, all at the plane asked
// for. A standard stream that is gone gets nothing more; a sweep that may not have reached
// its reader is kept as a memory all the same.
class SweepDelivery {
public:
    SweepDelivery(const SweepCommandLine& line, const QString& settingsFolder,
                  std::optional<Feedline> feedline, Plane plane, std::size_t sweeps,
                  OutputWatch& watch, bool utf8);
    // The files it created for the run and never wrote (a refusal, a band that keyed
    // nothing) are removed: no empty file stays behind.
    ~SweepDelivery();
    SweepDelivery(const SweepDelivery&) = delete;
    SweepDelivery& operator=(const SweepDelivery&) = delete;

    // Before anything is keyed: the band's file opened for writing, or created, where -o
    // names it. Why it cannot be, with the path and the cause; empty when it can.
    std::string openOutput(const std::string& bandName);

    // The record at the plane the files, the memories and the summary read it.
    SweepRecord atPlane(const SweepRecord& record) const;

    // As a sweep goes: its record begun (`inOrder`: every point in turn), each point taken.
    void begun(const SweepRecord& record, bool inOrder);
    void taken(const SweepPoint& point);

    // The sweep as far as it went, its record at the plane; `lost`: its results may not have
    // reached their reader, so that they are kept as a memory, with or without --keep.
    Delivered deliver(const FinishedSweep& sweep, bool lost);
    // A band passed over, in the summary of a script (JSON), with why.
    void passOver(const FinishedSweep& band);

private:
    SweepOutput outputOf(const std::string& bandName) const;
    bool writeFile(const SweepOutput& output, const SweepRecord& shown, std::string& whyNot);
    bool keep(const std::string& bandName, const SweepRecord& shown, std::string& memory,
              std::string& whyNot);
    bool writeSummary(const FinishedSweep& sweep);
    int summaryFd() const;

    const SweepCommandLine& m_line;
    QString m_settingsFolder;
    SweepOutput m_output;
    std::optional<Feedline> m_feedline;
    Plane m_plane;
    std::size_t m_sweeps;
    OutputWatch& m_watch;
    bool m_utf8;
    std::optional<MemoryShelf> m_shelf;     // once a memory is kept
    std::optional<StreamedCsv> m_streamed;  // for CSV on standard output
    std::set<std::string> m_created;        // files made by openOutput, not written yet
};

}  // namespace zm
