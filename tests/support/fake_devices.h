// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Recording fakes of the window's own devices: each remembers what it was asked, in order,
// and answers from a script the test sets up. The station's are in fake_station.h.

#include <QPainter>
#include <QPointer>
#include <QWidget>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "chart/chart_control.h"
#include "chart/chart_menu.h"
#include "dialogs/bands_dialog.h"
#include "dialogs/clipboard.h"
#include "dialogs/common_dialog.h"
#include "dialogs/message_box.h"
#include "dialogs/sweep_file_dialog.h"
#include "dialogs/sweep_settings_dialog.h"
#include "dialogs/window_printer.h"
#include "results/sweep_record.h"
#include "settings/text_files.h"
#include "station/station_dialogs.h"
#include "sweep/plot_grid.h"
#include "tests/support/fake_station.h"

namespace zm::test {

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
    // What the user types at each question, in turn; none: Cancel.
    std::vector<std::optional<std::string>> answers;
    std::vector<std::string> asked;
    std::optional<std::string> askLine(std::string_view question, std::string_view) override {
        asked.emplace_back(question);
        if (answers.empty()) {
            return std::nullopt;
        }
        const std::optional<std::string> answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }
    bool confirms = true;  // Yes to every question
    bool confirm(std::string_view question) override {
        asked.emplace_back(question);
        return confirms;
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
