// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/bands_run.h"

#include <QAction>
#include <QDir>
#include <QWidget>

namespace zm {

namespace {

// "60m, 4m"
std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) {
        text += (text.empty() ? "" : ", ") + name;
    }
    return text;
}

// What the user is told at the end of a run; nothing when it ran through, or Escape
// stopped it.
struct BandsRunReport {
    std::string stopped;                  // why a sweep stopped the run
    std::vector<std::string> notSwept;    // the bands after it
    std::vector<std::string> passedOver;  // with no point the plan lets be keyed
    std::string whyPassedOver;            // for the first of them
    std::string notKept;                  // the first memory the disk refused

    std::string text() const {
        std::string text = stopped;
        const auto add = [&text](const std::string& part) {
            text += (text.empty() || part.empty() ? "" : "\n\n") + part;
        };
        if (!stopped.empty() && !notSwept.empty()) {
            text += " Not swept: " + joined(notSwept) + ".";
        }
        if (!passedOver.empty()) {
            add("Passed over, with no point to key: " + joined(passedOver) + ". " + whyPassedOver);
        }
        add(notKept);
        return text;
    }
};

}  // namespace

BandsRun::BandsRun(QWidget& window, Devices& devices, QAction& mnuBands, SweepRun& run,
                   WindowParts parts, std::function<void()> planSweep,
                   std::function<void()> showGrid)
    : m_window(window),
      m_devices(devices),
      m_mnuBands(mnuBands),
      m_run(run),
      m_parts(parts),
      m_planSweep(std::move(planSweep)),
      m_showGrid(std::move(showGrid)) {
    m_mnuBands.setEnabled(false);  // until a Sweep my bands has swept a band
}

void BandsRun::sweepMyBands() {
    m_run.run([this] { return sweepChosen(m_parts.station.settings().bands, true); });
}

// Not kept as the bands ticked: the Band menu offers it alone.
void BandsRun::sweepBandAlone(const std::string& bandName) {
    m_run.run([&] {
        return sweepChosen({{bandName}, m_parts.station.settings().bands.points}, false);
    });
}

std::string BandsRun::sweepChosen(const BandsSettings& offered, bool keepChoice) {
    const BandPlan& plan = m_parts.bandPlans.plan();
    const auto chosen = m_devices.bandsDialog->ask(plan, offered);
    if (!chosen) {
        return {};
    }
    if (keepChoice && *chosen != m_parts.station.settings().bands) {
        m_parts.station.change([&](StationSettings& settings) { settings.bands = *chosen; });
    }
    return sweepBands(bandSweeps(plan, chosen->sweep, chosen->points));
}

// Each band goes through the same sweep as Run, with all its safeties and the band plan's
// check; a band where the plan lets no point be keyed (a channel band in AM) is passed over
// and named. Any other stop ends the whole run, and what was measured until then is kept.
// The chart then shows what it showed before, the boxes' plan with its sweep.
std::string BandsRun::sweepBands(const std::vector<BandSweep>& bands) {
    PlanBoxes::Kept planned = m_parts.planBoxes.keep();
    SweepRecord record = m_parts.model.record();
    const std::string notice = m_devices.chart->shownNotice();
    const QString title = m_window.windowTitle();
    m_bandResults.clear();
    m_run.clearStop();
    BandsRunReport report;
    std::vector<SweepProgress::Band> progressBands;
    for (const BandSweep& band : bands) {
        progressBands.push_back(
            {band.bandName, pointCountFor(band.startMHz, band.stopMHz, band.stepMHz).value_or(0)});
    }
    SweepProgress progress(std::move(progressBands));
    SweepHistory history = m_run.history(true);
    for (std::size_t i = 0; i < bands.size(); ++i) {
        const BandSweep& band = bands[i];
        if (!report.stopped.empty() || m_run.stopAsked()) {
            report.notSwept.push_back(band.bandName);
            continue;
        }
        // "ZM-480 Plot – 40m, band 3 of 10": which band the chart shows.
        m_window.setWindowTitle(QStringLiteral("%1 – %2, band %3 of %4")
                                    .arg(title, QString::fromStdString(band.bandName))
                                    .arg(i + 1)
                                    .arg(bands.size()));
        m_parts.planBoxes.setSpan(band.startMHz, band.stopMHz, band.stepMHz);
        m_planSweep();
        const SweepOutcome outcome = m_run.sweep(progress, history);
        if (report.notKept.empty()) {
            report.notKept = m_run.kept().said;
        }
        if (outcome.end == SweepEnd::NothingToSweep) {
            report.passedOver.push_back(band.bandName);
            if (report.whyPassedOver.empty()) {
                report.whyPassedOver = outcome.message;
            }
            continue;
        }
        report.stopped = outcome.message;
        keepBandSweep(band.bandName, report.notKept);
    }
    m_parts.stationWatch.showState();  // the title without the band, and as rigctld stands now
    m_parts.planBoxes.putBack(std::move(planned));
    m_parts.results.setRecord(std::move(record));
    m_showGrid();
    m_devices.chart->setNotice(notice);
    m_parts.results.showMemories();
    m_mnuBands.setEnabled(!m_bandResults.empty());
    if (!m_bandResults.empty()) {
        showBands();
    }
    return report.text();
}

// The band's sweep as far as it went, at the plane the window shows (as Keep memory keeps
// it), for the Bands window and as a memory.
void BandsRun::keepBandSweep(const std::string& bandName, std::string& notKept) {
    const SweepRecord& record = m_parts.model.record();
    if (!record.hasReadings()) {
        return;
    }
    m_bandResults.push_back({bandName, m_parts.model.shown()});
    std::string whyNot;
    if (!m_parts.memories.add({bandMemoryName(bandName, record), true, 0, m_parts.model.shown()},
                              whyNot) &&
        notKept.empty()) {
        notKept = whyNot;
    }
}

void BandsRun::showBands() {
    if (!m_bandsWindow) {
        m_bandsWindow =
            new BandsWindow(QDir(m_devices.config.directory()).filePath("bands-window.ini"),
                            *m_devices.clipboard, &m_window);
        // "Sweep my bands · Yaesu FT-817": the window's heading says when, and the scale.
        ResultPictures& pictures = m_parts.pictures;
        pictures.offer(m_bandsWindow->pictureActions(), *m_bandsWindow, "bands", [&pictures] {
            const std::string radio = pictures.radioName();
            return QString::fromStdString("Sweep my bands" + (radio.empty() ? "" : " · " + radio));
        });
    }
    m_bandsWindow->setBands(m_bandResults);
    m_bandsWindow->show();
    m_bandsWindow->raise();
    m_bandsWindow->activateWindow();  // Ctrl+C copies its table at once
}

void BandsRun::setZoom(Zoom zoom) {
    if (m_bandsWindow) {
        m_bandsWindow->setZoom(zoom);
    }
}

}  // namespace zm
