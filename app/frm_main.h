// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QMainWindow>
#include <functional>
#include <string>

#include "app/antenna_logbook.h"
#include "app/antenna_menu.h"
#include "app/band_plan_menu.h"
#include "app/config_ini.h"
#include "app/devices.h"
#include "app/feedline_plane.h"
#include "app/form_layout.h"
#include "app/meter_readout.h"
#include "app/plan_boxes.h"
#include "app/results_parts.h"
#include "app/run_parts.h"
#include "app/station_parts.h"
#include "app/sweep_model.h"
#include "app/window_zoom.h"
#include "bandplan/band_plan.h"
#include "dialogs/file_filter.h"
#include "station/station_file.h"

class QComboBox;

namespace zm {

// The window's parts, each owning its state behind its own interface; none includes this
// header (scripts/floors checks it):
//   MeterReadout   the readout boxes, the lamp, the raw line, Timer1's idle poll, a meter lost
//   SweepModel     what the parts share: the plan, the record, the plane it is shown at
//   PlanBoxes      start, stop and step read and refused into the plan, the grid, its cells
//   BandPlanMenu   the plans and the one in force, the Band menu, the chart's shading
//   RunParts       Run and Sweep my bands handed to the engine (SweepRun, BandsRun), what it
//                  reports shown as it comes (SweepView), Escape and a close during a sweep
//   StationParts   station.ini (StationIni), the rigctld watch, the title and Test
//   ResultsParts   the record drawn, its files, Smith and Match, the memories, the pictures
//   FeedlinePlane  the feedline, the cable list, the plane shown and what moves to it
//   WindowZoom     window.ini's zoom, View, Zoom, the outer height and the window's place
//   AntennaMenu    the antennas and the one in use; AntennaLogbook, the History window
//   ConfigIni      config.ini read at start-up and saved, a failed save read back
//
// The program's one window: the form, the readout, the menus and the dialogs. Its handlers
// carry the names of the controls and events that run them and read like the algorithms
// they perform; parsing, planning and formatting live in the core, the outside world behind
// the Devices. Run hands the plan to the sweep engine and shows what it reports.
class frmMain : public QMainWindow {
    Q_OBJECT

public:
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
    // Setup, Station: the meter's device and the radio, and the rigctld the program runs
    void mnuStation_Click();
    void mnuSweepSettings_Click();

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
    // UnkeyTransmitter); Band, Sweep my bands...: the bands ticked, one sweep each
    void cmdRun_Click();
    void mnuSweepMyBands_Click();

    // Files and printing
    void mnuOpen_Click();
    void MnuSaveAs_Click();
    void mnuPrint_Click();

    // What the window and its parts hold, for the tests and the benchmarks to look at.
    const FormControls& controls() const { return m_form; }
    const MeterReadout& readout() const { return m_readout; }
    const SweepModel& sweepModel() const { return m_sweep; }
    const PlanBoxes& planBoxes() const { return m_planBoxes; }
    const BandPlanMenu& bandPlans() const { return m_bandPlans; }
    SweepResults& results() { return m_results.sweep; }
    MemoriesPart& memoriesPart() { return m_results.memories; }
    WindowZoom& windowZoom() { return m_windowZoom; }
    const StationSettings& station() const { return m_station.ini.settings(); }
    bool timer1Enabled() const { return m_readout.polling(); }
    bool sweepRunning() const { return m_run.sweep.running(); }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Polling rests for the life of one of these: while a handler's dialog or message is up,
    // from Run to the sweep's end. However the scope ends, polling resumes.
    class PollingPause {
    public:
        explicit PollingPause(MeterReadout& readout) : m_readout(readout) {
            m_readout.setPolling(false);
        }
        ~PollingPause() { m_readout.setPolling(true); }
        PollingPause(const PollingPause&) = delete;
        PollingPause& operator=(const PollingPause&) = delete;

    private:
        MeterReadout& m_readout;
    };

    void connectHandlers();
    // Runs a dialog with polling at rest.
    void runAtRest(const std::function<void()>& dialog);
    // Selecting a list entry from code: the list's handler runs only when the selection
    // changes, as if the user had chosen it; an index outside the list changes nothing.
    void setListIndex(QComboBox* list, int index, void (frmMain::*handler)());

    void applyConfigValues(const ConfigValues& values);
    // The chart and the other windows drawn at the zoom the form is drawn at.
    void zoomOthers(Zoom zoom);

    // A start or stop that would make a plan beyond the point counter is refused with a
    // message; the current plan and grid stay as they are.
    void applyStartOrStop(const QString& text, double SweepPlan::*field);
    void showFileDialog(FileMenuEntry entry);

    // station.ini, read once at the first start-up; its damage is reported once.
    void loadStation();
    void chooseMeterDevice(const std::string& device);

    // The feedline of station.ini, and every reading at the plane the user reads it at.
    void editFeedline();
    void showAtAntenna(bool atAntenna);
    void keepFeedline(const FeedlineSettings& settings);
    void useFeedline();
    void showGrid();
    void showReadoutAtAntenna();

    Devices m_devices;
    FormControls m_form;
    WindowZoom m_windowZoom;
    // Start-up runs once the window is first shown, and goes no further once it has closed.
    enum class Life { Made, Shown, Closed };
    Life m_life = Life::Made;
    ConfigIni m_config;

    MeterReadout m_readout;
    StationParts m_station;
    SweepModel m_sweep;
    PlanBoxes m_planBoxes;
    FeedlinePlane m_feedlinePlane;
    BandPlanMenu m_bandPlans;  // in force: no band (Run keys nothing) until start-up reads one
    AntennaMenu m_antennas;
    ResultsParts m_results;
    AntennaLogbook m_logbook;
    RunParts m_run;
};

}  // namespace zm
