// SPDX-License-Identifier: GPL-3.0-or-later
// SIGINT, SIGTERM and SIGHUP end the program through the window's close path.

#include <QDialog>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QTimer>
#include <csignal>
#include <functional>

#include "app/dialogs_on_stop.h"
#include "dialogs/qt_common_dialog.h"
#include "dialogs/qt_message_boxes.h"
#include "process/stop_signals.h"
#include "sweep/event_loop_sleeper.h"
#include "tests/support/recording_transceiver.h"
#include "tests/support/window_fixture.h"

namespace zm::test {
namespace {

class StopSignalTest : public WindowTest, public ::testing::WithParamInterface<int> {
protected:
    StopSignalTest() { endModalDialogsOnStop(stopSignals); }

    StopSignals stopSignals;

    void createConnectedWindow(Devices devices) {
        devices.stopRequested = stopSignals.flag();
        createWindow(std::move(devices));
        QObject::connect(&stopSignals, &StopSignals::stopRequested, window.get(), &QWidget::close);
        start();
    }

    // Runs the event loop until the window has closed; bounded, so a fault cannot hang.
    bool waitForClose() {
        QElapsedTimer clock;
        clock.start();
        while (window->isVisible() && clock.elapsed() < 10000) {
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        }
        return !window->isVisible();
    }
};

TEST_P(StopSignalTest, IdleWindowClosesAndSavesItsSettings) {
    createConnectedWindow(fakeDevices());
    QFile::remove(configPath());
    std::raise(GetParam());
    ASSERT_TRUE(waitForClose());
    EXPECT_EQ(readConfig().count("\r\n"), 8);
}

TEST_P(StopSignalTest, SweepUnkeysStopsAndTheWindowCloses) {
    Devices devices = fakeDevices();
    auto rig = std::make_unique<RecordingRigServerFactory>(log);
    devices.rigServers = std::move(rig);
    devices.sweepSleeper = std::make_unique<EventLoopSleeper>();
    createConnectedWindow(std::move(devices));
    comm->answers = {";  100.0, 50.0,-30.0 R  43.3 X  25.0 SW1.50"};
    choosePlotMode(*window, 2);
    log.clear();

    // The signal comes in the sweep's first waits; the sweep's event loop serves it.
    QTimer::singleShot(300, [signal = GetParam()] { std::raise(signal); });
    window->cmdRun_Click();

    const auto keyed = std::count(log.begin(), log.end(), "SetPTT 1");
    const auto unkeyed = std::count(log.begin(), log.end(), "SetPTT 0");
    EXPECT_GE(unkeyed, keyed);
    EXPECT_LT(std::count(log.begin(), log.end(), "SetFrequency 14.35"), 1);  // it did not run on
    EXPECT_TRUE(messages->shown.empty());
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(QFileInfo::exists(configPath()));
}

// The desktop holds a window's close behind its modal dialog; the signal ends the dialog
// first, so logging out with a box up still saves the settings.
TEST_P(StopSignalTest, ModalDialogUpEndsAndTheSettingsAreSaved) {
    const std::vector<std::pair<const char*, std::function<void(frmMain&)>>> dialogs = {
        {"About box", [](frmMain& w) { w.mnuAbout_Click(); }},
        {"Open dialog", [](frmMain& w) { w.mnuOpen_Click(); }},
        {"port missing at start-up", [](frmMain& w) { w.Combo3_Click(); }},
    };
    for (const auto& [dialog, open] : dialogs) {
        Devices devices = fakeDevices();
        devices.messages = std::make_unique<QtMessageBoxes>();
        devices.fileDialog = std::make_unique<QtCommonDialog>();
        createConnectedWindow(std::move(devices));
        comm->openSucceeds = false;
        QFile::remove(configPath());

        QTimer signalWhenUp;
        QObject::connect(&signalWhenUp, &QTimer::timeout, [&signalWhenUp, signal = GetParam()] {
            if (QApplication::activeModalWidget() != nullptr) {
                signalWhenUp.stop();
                std::raise(signal);
            }
        });
        signalWhenUp.start(5);
        bool endedByTheTest = false;  // so that a fault fails the test instead of hanging it
        QTimer::singleShot(10000, [&endedByTheTest] {
            if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                endedByTheTest = true;
                modal->reject();
            }
        });
        open(*window);  // returns once the signal has ended the dialog
        EXPECT_FALSE(signalWhenUp.isActive()) << dialog << " never came up";
        EXPECT_FALSE(endedByTheTest) << dialog << " stayed up";
        ASSERT_TRUE(waitForClose()) << dialog;
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << dialog;
        EXPECT_EQ(readConfig().count("\r\n"), 8) << dialog;
        window.reset();
    }
}

INSTANTIATE_TEST_SUITE_P(Signals, StopSignalTest, ::testing::Values(SIGINT, SIGTERM, SIGHUP),
                         [](const auto& info) {
                             return std::string(info.param == SIGINT    ? "SIGINT"
                                                : info.param == SIGTERM ? "SIGTERM"
                                                                        : "SIGHUP");
                         });

}  // namespace
}  // namespace zm::test
