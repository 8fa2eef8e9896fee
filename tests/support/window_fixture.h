// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The window on fake devices, with config.ini in a fresh temporary folder.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <memory>
#include <vector>

#include "app/frm_main.h"
#include "tests/support/fake_devices.h"

namespace zm::test {

class WindowTest : public ::testing::Test {
protected:
    CallLog log;
    QTemporaryDir configDir;
    FakeSerialComm* comm = nullptr;
    RecordingSleeper* sleeper = nullptr;
    RecordingSleeper* sweepSleeper = nullptr;
    RecordingPttGuard* guard = nullptr;
    RecordingMessageBoxes* messages = nullptr;
    RecordingChart* chart = nullptr;
    ScriptedFileDialog* fileDialog = nullptr;
    RecordingPrinter* printer = nullptr;
    ScriptedSweepFileDialog* sweepFileDialog = nullptr;
    ScriptedSweepSettingsDialog* sweepSettingsDialog = nullptr;
    ScriptedBandsDialog* bandsDialog = nullptr;
    MemoryTextFiles* textFiles = nullptr;
    RecordingClipboard* clipboard = nullptr;
    ScriptedStationDialogs* stationDialogs = nullptr;
    std::unique_ptr<frmMain> window;

    QString configPath(const char* name = "config.ini") const {
        return QDir(configDir.path()).filePath(name);
    }

    // config.ini, or another file beside it (station.ini).
    void writeConfig(const QByteArray& text, const char* name = "config.ini") {
        QFile file(configPath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    QByteArray readConfig(const char* name = "config.ini") const {
        QFile file(configPath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Devices with the fakes above; a test may replace any before createWindow().
    Devices fakeDevices() {
        Devices devices;
        auto fakeComm = std::make_unique<FakeSerialComm>(log);
        comm = fakeComm.get();
        devices.comm = std::move(fakeComm);
        auto fakeSleeper = std::make_unique<RecordingSleeper>(log);
        sleeper = fakeSleeper.get();
        devices.sleeper = std::move(fakeSleeper);
        auto fakeSweepSleeper = std::make_unique<RecordingSleeper>(log);
        sweepSleeper = fakeSweepSleeper.get();
        devices.sweepSleeper = std::move(fakeSweepSleeper);
        auto fakeGuard = std::make_unique<RecordingPttGuard>();
        guard = fakeGuard.get();
        devices.pttGuard = std::move(fakeGuard);
        auto fakeMessages = std::make_unique<RecordingMessageBoxes>();
        messages = fakeMessages.get();
        devices.messages = std::move(fakeMessages);
        auto fakeChart = std::make_unique<RecordingChart>();
        chart = fakeChart.get();
        devices.chart = std::move(fakeChart);
        auto dialog = std::make_unique<ScriptedFileDialog>();
        fileDialog = dialog.get();
        devices.fileDialog = std::move(dialog);
        auto fakePrinter = std::make_unique<RecordingPrinter>();
        printer = fakePrinter.get();
        devices.printer = std::move(fakePrinter);
        auto fakeSweepFileDialog = std::make_unique<ScriptedSweepFileDialog>();
        sweepFileDialog = fakeSweepFileDialog.get();
        devices.sweepFileDialog = std::move(fakeSweepFileDialog);
        auto fakeSweepSettings = std::make_unique<ScriptedSweepSettingsDialog>();
        sweepSettingsDialog = fakeSweepSettings.get();
        devices.sweepSettingsDialog = std::move(fakeSweepSettings);
        auto fakeBandsDialog = std::make_unique<ScriptedBandsDialog>();
        bandsDialog = fakeBandsDialog.get();
        devices.bandsDialog = std::move(fakeBandsDialog);
        auto fakeTextFiles = std::make_unique<MemoryTextFiles>();
        textFiles = fakeTextFiles.get();
        devices.textFiles = std::move(fakeTextFiles);
        auto fakeClipboard = std::make_unique<RecordingClipboard>();
        clipboard = fakeClipboard.get();
        devices.clipboard = std::move(fakeClipboard);
        auto fakeStationDialogs = std::make_unique<ScriptedStationDialogs>();
        stationDialogs = fakeStationDialogs.get();
        devices.stationDialogs = std::move(fakeStationDialogs);
        devices.config = ConfigStore(configDir.path());
        devices.bandPlanFile = qEnvironmentVariable("ZM_BUILD_DIR") + "/band-plans.ini";
        return devices;
    }

    void createWindow(Devices devices) { window = std::make_unique<frmMain>(std::move(devices)); }
    void createWindow() { createWindow(fakeDevices()); }

    // The green lamp: lit while the meter answers.
    bool lampOn() const {
        return window->controls().Picture5->isVisibleTo(window->controls().client);
    }
    // The chart's notice as the sweep left it, without the history's line that follows it
    // once a sweep is kept ("Antenna 1, 20m: the reference sweep; ...").
    std::string sweepNotice() const {
        const std::string& notice = chart->notice;
        const std::size_t history =
            notice.starts_with("Antenna 1, ") ? 0 : notice.find("\nAntenna 1, ");
        return history == std::string::npos ? notice : notice.substr(0, history);
    }

    // Pwr, Z, Ph, R, X and SWR as the boxes show them.
    std::vector<QString> readout() const {
        const FormControls& f = window->controls();
        return {f.Text4->text(),  f.Text5->text(),  f.Text6->text(),
                f.Text15->text(), f.Text16->text(), f.Text1->text()};
    }

    // Shows the window and lets start-up run, as the first activation does.
    void start() {
        if (!window) {
            createWindow();
        }
        window->show();
        QApplication::processEvents();
    }
};

// Chooses a plot mode as the user does: Run sweeps only with one chosen.
inline void choosePlotMode(frmMain& window, int mode) {
    window.controls().Combo2->setCurrentIndex(mode);
    window.Combo2_Click();
}

// A well-formed file as the program writes it.
inline QByteArray configText(const char* left, const char* top, const char* port,
                             const char* height, const char* normal, const char* diag,
                             const char* plotMode, const char* carrier) {
    return QByteArray("Position-Left=") + left + "\r\nPosition-Top=" + top + "\r\nComPort=" + port +
           "\r\nHeight=" + height + "\r\nmnuNormal=" + normal + "\r\nmnuDiag=" + diag +
           "\r\nListIndex=" + plotMode + "\r\nListIndex=" + carrier + "\r\n";
}

}  // namespace zm::test
