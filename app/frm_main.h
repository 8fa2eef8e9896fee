// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "app/antenna_menu.h"
#include "app/band_plan_menu.h"
#include "app/devices.h"
#include "app/feedline_plane.h"
#include "app/form_layout.h"
#include "app/memories_part.h"
#include "app/meter_readout.h"
#include "app/plan_boxes.h"
#include "app/result_pictures.h"
#include "app/station_ini.h"
#include "app/station_watch.h"
#include "app/sweep_results.h"
#include "app/sweep_view.h"
#include "app/window_zoom.h"
#include "bandplan/band_plan.h"
#include "dialogs/bands_window.h"
#include "dialogs/file_filter.h"
#include "dialogs/history_window.h"
#include "engine/sweep_history.h"
#include "engine/sweep_reports.h"
#include "engine/sweep_request.h"
#include "engine/sweep_stop.h"
#include "feedline/transmission_line.h"
#include "meter/meter_poll.h"
#include "meter/meter_record.h"
#include "results/band_report.h"
#include "results/sweep_files.h"
#include "results/sweep_record.h"
#include "settings/config_file.h"
#include "station/station_file.h"
#include "sweep/band_sweeps.h"
#include "sweep/plot_grid.h"
#include "sweep/sweep_plan.h"
#include "sweep/sweep_progress.h"

class QComboBox;

namespace zm {

// The window's parts, each owning its state behind its own interface; none includes this
// header (scripts/floors checks it):
//   WindowZoom    app/window_zoom.h     window.ini's zoom, View, Zoom's steps that fit the
//                                       screen, the outer height in twips, the window's place
//   MeterReadout  app/meter_readout.h   the readout boxes, the lamp, the raw-answer line, the
//                                       port list's routes, a meter unplugged and back
//   BandPlanMenu  app/band_plan_menu.h  the shipped plans and the one in force, Setup, Band
//                                       plan's items, the Band menu and the chart's shading
//   AntennaMenu   app/antenna_menu.h    the antennas by name, the one in use, New and Rename
//   FeedlinePlane app/feedline_plane.h  station.ini's feedline and cable list, the plane shown,
//                                       the record, memories and readout moved to it
//   MemoriesPart  app/memories_part.h   memories/, the memories kept and their dialog
//   StationWatch  app/station_watch.h   the rig client pointed at rigctld, the program's
//                                       rigctld watched and in the title, Station's Test
//   SweepResults  app/sweep_results.h   the sweep record and the record shown, the results
//                                       menu's files, memories kept and loaded, Smith, Match
//   ResultPictures app/result_pictures.h  the pictures, their title, the PDF report
//   PlanBoxes     app/plan_boxes.h      start, stop and step read and refused, the plan, the
//                                       grid and the cells each sweep filled
//   SweepView     app/sweep_view.h      the engine's reports as they come: grid, record,
//                                       readout, the notice and progress, the history's word
//   StationIni    app/station_ini.h     station.ini read once, and each change written at once
// The run (Run, Sweep my bands, the stop) stays with the form.
//
// The program's one window: the form, the readout, the menus and the dialogs. Its handlers
// carry the names of the controls and events that run them and read like the algorithms
// they perform; parsing, planning and formatting live in the core, the outside world behind
// the Devices. Run hands the plan to the sweep engine and shows what it reports.
class frmMain : public QMainWindow {
    Q_OBJECT

public:
    // Outer heights of the Setup menu's two sizes, in twips.
    static constexpr float kNormalHeightTwips = 6645;
    static constexpr float kDiagHeightTwips = 7230;
    static constexpr int kNonClientPixels = WindowZoom::kNonClientPixels;

    explicit frmMain(Devices devices, QWidget* parent = nullptr);
    ~frmMain() override;

    // Start-up and configuration
    void Form_Activate();
    void Form_Unload();
    void SaveConfig();
    void Combo3_Click();
    void mnuNormal_Click();
    void mnuDiag_Click();
    void mnuAbout_Click();
    void mnuExit_Click();
    void mnuSweepSettings_Click();

    // Setup, Station: the meter's device and the radio, and the rigctld the program runs
    void mnuStation_Click();

    // Meter poll and readout
    void Timer1_Timer();
    void ReadMeter();
    void Pause(float seconds);

    // Sweep plan, plot grid and plot modes
    void PlanSweep();
    void ClearPlot();
    void Text2_Change();
    void Text3_Change();
    void Combo1_Click();
    void Combo1_Validate();
    void Combo2_Click();
    void Combo4_Click();
    void cmdClear_Click();

    // Band plans: Setup, Band plan chooses one, the Band menu lists its bands
    void mnuBandPlan_Click(const std::string& planKey);
    void mnuBand_Click(const Band& band);

    // Sweep run, by the engine (engine/sweep_engine.h: RunSweep, KeyTransmitter,
    // UnkeyTransmitter)
    void cmdRun_Click();

    // Band, Sweep my bands...: the bands ticked, one sweep each, and View, Bands
    void mnuSweepMyBands_Click();
    void mnuBands_Click();
    // Antenna, History...: the antennas' sweeps, their trend and drift
    void mnuHistory_Click();
    HistoryWindow* historyWindow() const { return m_historyWindow; }

    // Files and printing
    void mnuOpen_Click();
    void MnuSaveAs_Click();
    void mnuPrint_Click();

    // Sweep results: the chart's context menu, the memories, View, Smith chart; and their
    // pictures and the one-page report.
    SweepResults& results() { return m_results; }
    ResultPictures& pictures() { return m_pictures; }
    // Setup, Feedline... and View, At the antenna / At the meter
    void mnuFeedline_Click();
    void mnuAtAntenna_Click();
    void mnuAtMeter_Click();

    // View, Zoom, and the window's size and place.
    WindowZoom& windowZoom() { return m_windowZoom; }

    // What the window and its parts hold, for the tests and the benchmarks to look at.
    const FormControls& controls() const { return m_form; }
    const MeterReadout& readout() const { return m_readout; }
    const PlanBoxes& planBoxes() const { return m_planBoxes; }
    const FeedlinePlane& feedlinePlane() const { return m_feedlinePlane; }
    const BandPlanMenu& bandPlans() const { return m_bandPlans; }
    MemoriesPart& memoriesPart() { return m_memories; }
    BandsWindow* bandsWindow() const { return m_bandsWindow; }
    const ConfigValues& configValues() const { return m_configValues; }
    const StationSettings& station() const { return m_stationIni.settings(); }
    bool timer1Enabled() const { return m_timer1.isActive(); }
    bool sweepRunning() const { return m_sweepRunning; }
    std::chrono::milliseconds timer1Interval() const { return m_timer1.intervalAsDuration(); }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Polling rests for the life of one of these: while a handler's dialog or message is up,
    // from Run to the sweep's end, while a poll waits for its answer. However the scope ends,
    // polling resumes.
    class PollingPause {
    public:
        explicit PollingPause(frmMain& window);
        ~PollingPause();
        PollingPause(const PollingPause&) = delete;
        PollingPause& operator=(const PollingPause&) = delete;

    private:
        frmMain& m_window;
    };

    void connectHandlers();
    // Runs a dialog with polling at rest.
    void runAtRest(const std::function<void()>& dialog);
    void setTimer1Enabled(bool enabled);
    // Selecting a list entry from code: the list's handler runs only when the selection
    // changes, as if the user had chosen it; an index outside the list changes nothing.
    void setListIndex(QComboBox* list, int index, void (frmMain::*handler)());

    void applyConfigValues();
    // The chart and the other windows drawn at the zoom the form is drawn at.
    void zoomOthers(Zoom zoom);

    void endIdlePoll(MeterQuery query);

    // A start or stop that would make a plan beyond the point counter is refused with a
    // message; the current plan and grid stay as they are.
    void applyStartOrStop(const QString& text, double SweepPlan::*field);
    // Run and Sweep my bands: one at a time, refused without a plot mode, polling at rest,
    // and the run's message shown; `run` gives it.
    void runSweeps(const std::function<std::string()>& run);
    // One sweep of the plan in force by the engine, which reports back to this window; the
    // run's `progress` follows it.
    SweepOutcome sweepPlan(SweepProgress& progress, SweepHistory& history);
    // Every sweep of a Run or a Sweep my bands kept in the history under the antenna in use.
    SweepHistory runHistory(bool bandPoints) const;
    SweepRequest sweepRequest() const;
    // Sweep my bands: each band as a sweep of its own, kept as a memory, and then the plan
    // in the boxes again.
    // `offered`: the bands ticked when the dialog opens; `keepChoice`: whether what the user
    // ticks there is kept in station.ini (not for a band the Band menu offers alone).
    std::string sweepMyBands(const BandsSettings& offered, bool keepChoice);
    std::string sweepBands(const std::vector<BandSweep>& bands);
    // The last sweep, when it measured anything; `notKept` gets why the disk refused the
    // memory, unless it holds a reason already.
    void keepBandSweep(const std::string& bandName, std::string& notKept);
    void requestSweepStop();
    bool stopAsked() const;  // Escape, the close button or a stop signal

    void showFileDialog(FileMenuEntry entry);

    // station.ini, read once at the first start-up; its damage is reported once.
    void loadStation();
    void chooseMeterDevice(const std::string& device);

    // The feedline of station.ini, and every reading at the plane the user reads it at.
    void keepFeedline(const FeedlineSettings& settings);
    void useFeedline();
    void showGrid();
    void showReadoutAtAntenna();

    Devices m_devices;
    FormControls m_form;
    WindowZoom m_windowZoom;
    QTimer m_timer1;

    bool m_activated = false;
    // Until start-up has put config.ini's values in force, the window shows the design's, and
    // a close (a stop signal under a start-up message) must not save those over the user's.
    bool m_configApplied = false;
    bool m_closed = false;  // start-up goes no further once the window has closed
    ConfigValues m_configValues;
    std::optional<std::string> m_unsavedConfig;  // what the last, failed save meant to write

    QTimer m_pollAnswer;                     // the idle poll's 0.2 s between query and answer
    std::optional<PollingPause> m_idlePoll;  // from an idle poll's query to its answer
    MeterReadout m_readout;
    StationIni m_stationIni;

    PlanBoxes m_planBoxes;
    FeedlinePlane m_feedlinePlane;
    BandPlanMenu m_bandPlans;  // in force: no band (Run keys nothing) until start-up reads one
    AntennaMenu m_antennas;
    MemoriesPart m_memories;
    SweepResults m_results;
    ResultPictures m_pictures;
    std::vector<BandResult> m_bandResults;  // of the last Sweep my bands
    QPointer<BandsWindow> m_bandsWindow;
    QPointer<HistoryWindow> m_historyWindow;

    // The sweep in progress. Escape, the close button and the stop signals ask it to stop;
    // a close asked for meanwhile happens once it has unkeyed.
    bool m_sweepRunning = false;
    bool m_closeRequested = false;
    SweepStop m_sweepStop;

    StationWatch m_stationWatch;
    SweepView m_sweepView;  // what the engine reports, shown as it comes
};

}  // namespace zm
