#pragma once

#include <QMainWindow>
#include <QTimer>
#include <memory>
#include <string>
#include <string_view>

#include "app/config_file.h"
#include "app/devices.h"
#include "app/form_layout.h"
#include "app/station_file.h"
#include "dialogs/file_filter.h"
#include "meter/meter_record.h"
#include "results/sweep_files.h"
#include "results/sweep_record.h"
#include "sweep/plot_grid.h"
#include "sweep/sweep_plan.h"

class QComboBox;

namespace zm {

// The program's one window. Its handlers carry the names of the controls and events that
// run them and read like the algorithms they perform; parsing, planning and formatting
// live in the core, the outside world behind the Devices.
class frmMain : public QMainWindow {
    Q_OBJECT

public:
    // Outer heights of the Setup menu's two sizes, in twips.
    static constexpr float kNormalHeightTwips = 6645;
    static constexpr float kDiagHeightTwips = 7230;
    // Title bar, menu bar and frame of the design's platform: the outer height less this is
    // the client area, so that the Normal size ends above the lower strip on any platform.
    static constexpr int kNonClientPixels = 46;

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
    void Combo2_Click();
    void Combo4_Click();
    void cmdClear_Click();

    // Sweep run
    void cmdRun_Click();
    void RunSweep();
    void KeyTransmitter();
    void UnkeyTransmitter();

    // Files and printing
    void mnuOpen_Click();
    void MnuSaveAs_Click();
    void mnuPrint_Click();

    // Sweep results: the chart's context menu
    void mnuCopySweep_Click();
    void mnuSaveSweepCsv_Click();
    void mnuSaveSweepTouchstone_Click();
    void mnuKeepReference_Click();
    void mnuLoadReference_Click();
    void mnuClearReference_Click();

    // What the window holds, for the tests and the benchmarks to look at.
    const FormControls& controls() const { return m_form; }
    const MeterReading& meterReading() const { return m_reading; }
    const std::string& rawResponse() const { return m_rawResponse; }
    const std::string& lastResponse() const { return m_lastResponse; }
    const SweepPlan& plan() const { return m_plan; }
    const PlotGrid& plotGrid() const { return m_grid; }
    const SweepRecord& sweepRecord() const { return m_record; }
    const ConfigValues& configValues() const { return m_configValues; }
    const StationSettings& stationSettings() const { return m_station; }
    bool timer1Enabled() const { return m_timer1.isActive(); }
    bool sweepRunning() const { return m_sweep.running; }
    std::chrono::milliseconds timer1Interval() const { return m_timer1.intervalAsDuration(); }
    float heightTwips() const;  // the outer height the window has now
    int clientHeightPixels() const;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void connectHandlers();
    void setTimer1Enabled(bool enabled);
    // Selecting a list entry from code: the list's handler runs only when the selection
    // changes, as if the user had chosen it; an index outside the list changes nothing.
    void setListIndex(QComboBox* list, int index, void (frmMain::*handler)());

    // Each port list entry's tooltip names the device that the port opens.
    void showPortRoutes();
    // station.ini, read once at start-up; a damaged file is reported here, once.
    void loadStation();
    void applyConfigValues();
    void applyWindowPosition(std::optional<float> leftTwips, std::optional<float> topTwips);
    void applyOuterHeight(float heightTwips);

    void showReadout();
    void setLampOn(bool on);

    // A start, stop or step that would make a plan beyond the point counter is refused
    // with a message; the current plan and grid stay as they are.
    bool acceptsPlan(double startMHz, double stopMHz, double stepMHz);
    void applyStartOrStop(QString text, double SweepPlan::*field);
    std::string sweepSafely();
    std::string unkeyAfterStop(std::string message);
    void requestSweepStop();
    void tellGuardKeying();
    // From key-down to the reading the point keeps: the fixed wait and one poll, or polls
    // until the readings settle; each reading inside the power window.
    PointTaking readKeyed(double frequencyMHz);
    PointTaking readUntilSettled(double frequencyMHz);
    void readMeterKeyed(double frequencyMHz);
    void rereadRejected(PointTaking& taken, double frequencyMHz);
    void stopIfNoPower(double frequencyMHz);
    // Ends the sweep with a message for the user; the transmitter is unkeyed first.
    [[noreturn]] void stopSweep(std::string message);
    void stopIfRequested();
    void copyReadingToRow(int row);
    void checkRigStatus(int status, std::string_view what);
    void showFileDialog(FileMenuEntry entry);

    void connectResultsMenu();
    void recordPoint(int point, double frequencyMHz, const PointTaking& taken);
    void clearSweepRecord();
    void enableResultsMenu();
    void saveSweepAs(SweepFileKind kind);

    Devices m_devices;
    FormControls m_form;
    QTimer m_timer1;

    bool m_activated = false;
    ConfigValues m_configValues;
    StationSettings m_station;
    std::optional<std::string> m_unsavedConfig;  // what the last, failed save meant to write

    MeterReading m_reading;
    std::string m_rawResponse;
    std::string m_lastResponse;
    bool m_pollAccepted = false;  // whether the last poll's answer was taken

    SweepPlan m_plan;
    PlotGrid m_grid;
    SweepRecord m_record;  // the last sweep point by point, beside the grid
    bool m_hasReference = false;

    std::unique_ptr<RigServer> FT100;
    std::shared_ptr<Transceiver> TRX;
    bool m_transmitterKeyed = false;
    // The sweep in progress. Escape, the close button and the stop signals ask it to stop;
    // a close asked for meanwhile happens once it has unkeyed.
    struct SweepRun {
        bool running = false;
        bool stopRequested = false;
        bool closeRequested = false;
    };
    SweepRun m_sweep;
};

}  // namespace zm
