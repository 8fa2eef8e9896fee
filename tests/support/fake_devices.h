// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Recording fakes of the window's devices: each remembers what it was asked, in order, and
// answers from a script the test sets up.

#include <QPainter>
#include <QPointer>
#include <QWidget>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/text_files.h"
#include "chart/chart_control.h"
#include "chart/chart_menu.h"
#include "dialogs/bands_dialog.h"
#include "dialogs/clipboard.h"
#include "dialogs/common_dialog.h"
#include "dialogs/message_box.h"
#include "dialogs/sweep_file_dialog.h"
#include "dialogs/sweep_settings_dialog.h"
#include "dialogs/window_printer.h"
#include "meter/pause.h"
#include "meter/serial_comm.h"
#include "results/sweep_record.h"
#include "station/station_dialogs.h"
#include "sweep/plot_grid.h"
#include "sweep/ptt_guard.h"

namespace zm::test {

// One shared log, so that calls to different devices can be checked in one order.
using CallLog = std::vector<std::string>;

class FakeSerialComm : public SerialComm {
public:
    explicit FakeSerialComm(CallLog& log) : m_log(log) {}

    // What the meter answers to each query, in turn; when the script runs out, the last
    // answer repeats ("" = silent).
    std::deque<std::string> answers;
    std::string lastAnswer;
    bool openSucceeds = true;
    int port = 1;
    bool opened = false;

    void setCommPort(int portNumber) override { port = portNumber; }
    int commPort() const override { return port; }
    // Port N is /dev/ttyS<N-1>, or /dev/ttyUSB<N-1> through a link in a folder whose name
    // a shell would split.
    bool linked = false;
    PortRoute routeOf(int portNumber) const override {
        const std::string n = std::to_string(portNumber - 1);
        return {(linked ? "/dev/ttyUSB" : "/dev/ttyS") + n,
                "/home/op/O'Brien shack/ports/com" + std::to_string(portNumber), linked};
    }
    bool setSettings(std::string_view s) override {
        m_log.push_back("Settings " + std::string(s));
        return true;
    }
    void setInputLen(int) override {}
    bool open() override {
        m_log.push_back("Open " + std::to_string(port));
        opened = openSucceeds;
        return opened;
    }
    void close() override {
        m_log.push_back("Close");
        opened = false;
    }
    bool isOpen() const override { return opened; }
    void clearOutBuffer() override {}
    void clearInBuffer() override {}
    bool output(std::string_view bytes) override {
        m_log.push_back("Output " + std::string(bytes));
        return true;
    }
    std::string input() override {
        if (!answers.empty()) {
            lastAnswer = answers.front();
            answers.pop_front();
        }
        return lastAnswer;
    }

private:
    CallLog& m_log;
};

class RecordingSleeper : public Sleeper {
public:
    explicit RecordingSleeper(CallLog& log) : m_log(log) {}
    // Runs inside each wait, as the user or the desktop would act while it lasts.
    std::function<void(std::chrono::milliseconds)> during;

    void sleep(std::chrono::milliseconds duration) override {
        m_log.push_back("Pause " + std::to_string(duration.count()));
        if (during) {
            during(duration);
        }
    }

private:
    CallLog& m_log;
};

// A guard that only records what the window told it, into its own log unless a test
// points it at the shared one.
class RecordingPttGuard : public PttGuard {
public:
    CallLog ownLog;
    CallLog* log = &ownLog;
    bool startSucceeds = true;
    bool alive = true;

    bool start(std::string& whyNot) override {
        log->push_back("Guard start");
        if (!startSucceeds) {
            whyNot = "The PTT guard could not reach rigctld";
        }
        return startSucceeds;
    }
    bool keying(std::string& whyNot) override {
        log->push_back("Guard keying");
        if (!alive) {
            whyNot = "The PTT guard has ended";
        }
        return alive;
    }
    void unkeyed() override { log->push_back("Guard unkeyed"); }
    void finish() override { log->push_back("Guard finish"); }
};

class RecordingMessageBoxes : public MessageBoxes {
public:
    std::vector<std::string> shown;
    std::function<void()> whileShown;  // runs as if the box were up
    void show(std::string_view text) override {
        shown.emplace_back(text);
        if (whileShown) {
            whileShown();
        }
    }
};

// A chart that draws nothing: it keeps the plot properties, the last grid, record,
// memories, band plan stretches and notice handed over; its menu entries are real actions, and the
// point the menu opened at is whatever the test sets.
class RecordingChart : public ChartControl {
public:
    CallLog plotCalls;
    PlotGrid lastData;
    int dataHandOvers = 0;
    SweepRecord lastRecord;
    int recordHandOvers = 0;
    std::vector<Memory> memories;
    std::optional<TracePoint> pointAtMenu;
    std::vector<BandSegment> insideHz;
    std::string notice;

    void setSweepRecord(const SweepRecord& record) override {
        lastRecord = record;
        ++recordHandOvers;
    }
    void setMemories(const std::vector<Memory>& shown) override { memories = shown; }
    void setInsideStretches(const std::vector<BandSegment>& inside) override { insideHz = inside; }
    void setNotice(std::string_view text) override { notice = text; }
    std::string shownNotice() const override { return notice; }
    Zoom zoom;
    void setZoom(Zoom drawnAt) override { zoom = drawnAt; }
    std::optional<TracePoint> menuPoint() const override { return pointAtMenu; }
    std::vector<TraceFeatures> traceFeatures() const override {
        std::vector<TraceFeatures> traces;
        if (lastRecord.hasReadings()) {
            traces.push_back({"Sweep", Qt::black, findFeatures(lastRecord)});
        }
        for (const Memory& memory : memories) {
            if (memory.shown) {
                traces.push_back({memory.name, Qt::blue, findFeatures(memory.record)});
            }
        }
        return traces;
    }
    // A grey field where the chart would be drawn.
    int picturesPainted = 0;
    void paintPicture(QPainter& painter, const QRectF& area) override {
        painter.fillRect(area, QColor(200, 200, 200));
        ++picturesPainted;
    }
    QList<LegendEntry> legend() const override { return {{"Sweep", Qt::black}}; }
    const ChartMenuActions& menuActions() const override { return m_menu; }

    RecordingChart() = default;
    RecordingChart(const RecordingChart&) = delete;
    RecordingChart& operator=(const RecordingChart&) = delete;
    // A chart a test replaced before the window was made was never placed in one.
    ~RecordingChart() override {
        if (m_widget && m_widget->parent() == nullptr) {
            delete m_widget;
        }
    }

    QWidget* widget() override { return m_widget; }
    void setChartData(const PlotGrid& grid) override {
        lastData = grid;
        ++dataHandOvers;
    }

    void setAxisTitle(AxisId axis, std::string_view title) override {
        plotCalls.push_back(name(axis) + " title " + std::string(title));
    }
    void setAutoScale(AxisId axis, bool automatic) override {
        plotCalls.push_back(name(axis) + " auto " + (automatic ? "on" : "off"));
    }
    void setMinimum(AxisId axis, double v) override {
        plotCalls.push_back(name(axis) + " min " + num(v));
    }
    void setMaximum(AxisId axis, double v) override {
        plotCalls.push_back(name(axis) + " max " + num(v));
    }
    void setMajorDivision(AxisId axis, std::int16_t n) override {
        plotCalls.push_back(name(axis) + " major " + std::to_string(n));
    }
    void setMinorDivision(AxisId axis, std::int16_t n) override {
        plotCalls.push_back(name(axis) + " minor " + std::to_string(n));
    }
    void setShowLine(int series, bool show) override {
        plotCalls.push_back("series " + std::to_string(series) + (show ? " shown" : " hidden"));
    }

private:
    static std::string name(AxisId axis) { return axis == AxisId::Y ? "Y" : "Y2"; }
    static std::string num(double v) {
        std::string s = std::to_string(v);
        s.erase(s.find_last_not_of('0') + 1);
        if (s.back() == '.') {
            s.pop_back();
        }
        return s;
    }
    QPointer<QWidget> m_widget = new QWidget;  // the window takes ownership
    ChartMenuActions m_menu = makeChartMenuActions(m_widget);
};

// Answers every dialog with the same pick (none: Cancel) and keeps what was asked.
class ScriptedSweepFileDialog : public SweepFileDialog {
public:
    std::vector<SweepFileRequest> requests;
    std::optional<std::string> pick;
    std::string comment;               // typed into a report's dialog
    std::function<void()> whileShown;  // runs as if the dialog were up

    std::optional<std::string> chooseSaveName(const SweepFileRequest& request) override {
        return answer(request);
    }
    std::optional<ReportChoice> chooseReportName(const SweepFileRequest& request) override {
        const auto path = answer(request);
        return path ? std::optional(ReportChoice{*path, comment}) : std::nullopt;
    }
    std::optional<std::string> chooseOpenName(const SweepFileRequest& request) override {
        return answer(request);
    }

private:
    std::optional<std::string> answer(const SweepFileRequest& request) {
        requests.push_back(request);
        if (whileShown) {
            whileShown();
        }
        return pick;
    }
};

// Answers with `choice` (none: Cancel) and keeps what it was shown.
class ScriptedSweepSettingsDialog : public SweepSettingsDialog {
public:
    std::optional<SweepSettings> choice;
    std::vector<SweepSettings> shown;

    std::optional<SweepSettings> edit(const SweepSettings& current) override {
        shown.push_back(current);
        return choice;
    }
};

// Sweep my bands: answers with `choice` (none: Cancel) and keeps the plans it was shown.
class ScriptedBandsDialog : public BandsDialog {
public:
    std::optional<BandsSettings> choice;
    std::vector<BandPlan> shown;
    std::vector<BandsSettings> offered;  // what was ticked as it opened

    std::optional<BandsSettings> ask(const BandPlan& plan, const BandsSettings& current) override {
        shown.push_back(plan);
        offered.push_back(current);
        return choice;
    }
};

class RecordingClipboard : public Clipboard {
public:
    std::vector<std::string> copied;
    std::vector<QImage> images;
    void setText(std::string_view text) override { copied.emplace_back(text); }
    void setImage(const QImage& image) override { images.push_back(image); }
};

// Files in memory; a write fails with `failWrites` as its reason when that is set.
class MemoryTextFiles : public TextFiles {
public:
    std::map<std::string, std::string> files;
    std::string failWrites;

    bool write(const std::string& path, std::string_view text, std::string& whyNot) override {
        if (!failWrites.empty()) {
            whyNot = failWrites;
            return false;
        }
        files[path] = text;
        return true;
    }
    std::optional<std::string> read(const std::string& path, std::string& whyNot) override {
        const auto found = files.find(path);
        if (found == files.end()) {
            whyNot = "there is no such file";
            return std::nullopt;
        }
        return found->second;
    }
};

class ScriptedFileDialog : public CommonDialog {
public:
    std::function<bool(ScriptedFileDialog&)> onShow = [](ScriptedFileDialog&) { return false; };
    int shows = 0;
    bool ShowOpen() override {
        ++shows;
        return onShow(*this);
    }
};

// Setup, Station: records what it was shown and answers with `choice` (empty: Cancel).
class ScriptedStationDialogs : public StationDialogs {
public:
    std::optional<StationChoice> choice;
    std::vector<StationDialogInput> shown;
    std::optional<StationChoice> ask(const StationDialogInput& input) override {
        shown.push_back(input);
        return choice;
    }
};

class RecordingPrinter : public WindowPrinter {
public:
    int prints = 0;
    bool succeeds = true;
    bool printWindow(QWidget&, std::string& whyNot) override {
        ++prints;
        if (!succeeds) {
            whyNot = "No printer is set up.";
        }
        return succeeds;
    }
};

}  // namespace zm::test
