// SPDX-License-Identifier: GPL-3.0-or-later
// SIGINT, SIGTERM and SIGHUP end the program through the window's close path.

#include <QDialog>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <csignal>
#include <functional>

#include "app/dialogs_on_stop.h"
#include "dialogs/qt_common_dialog.h"
#include "dialogs/qt_message_boxes.h"
#include "process/stop_signals.h"
#include "tests/support/recording_transceiver.h"
#include "tests/support/window_fixture.h"

namespace zm::test {
namespace {

// Raises the signal as soon as a modal dialog is up. A dialog still up after 10 s is ended
// by the test itself, so that a fault fails the test instead of hanging it.
class SignalWhenModalUp {
public:
    explicit SignalWhenModalUp(int signal) {
        QObject::connect(&m_poll, &QTimer::timeout, [this, signal] {
            if (QApplication::activeModalWidget() != nullptr) {
                m_poll.stop();
                std::raise(signal);
            }
        });
        m_poll.start(5);
        m_giveUp.setSingleShot(true);
        QObject::connect(&m_giveUp, &QTimer::timeout, [this] {
            if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                m_endedByTheTest = true;
                modal->reject();
            }
        });
        m_giveUp.start(10000);
    }
    bool raised() const { return !m_poll.isActive(); }
    bool endedByTheTest() const { return m_endedByTheTest; }

private:
    QTimer m_poll;
    QTimer m_giveUp;
    bool m_endedByTheTest = false;
};

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
    devices.sweepSleeper.reset();  // the window's own: its sweep waits on its stop
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

        const SignalWhenModalUp signal(GetParam());
        open(*window);  // returns once the signal has ended the dialog
        EXPECT_TRUE(signal.raised()) << dialog << " never came up";
        EXPECT_FALSE(signal.endedByTheTest()) << dialog << " stayed up";
        ASSERT_TRUE(waitForClose()) << dialog;
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << dialog;
        EXPECT_EQ(readConfig().count("\r\n"), 8) << dialog;
        window.reset();
    }
}

// A logout or shutdown while a start-up message waits for its click: the window has not
// yet, or has only just, put config.ini's values in force, and the file stays as the user
// left it, whichever message was up.
TEST_P(StopSignalTest, StopUnderAStartUpMessageLeavesConfigIniAsItWas) {
    struct StartUpMessage {
        const char* name;
        const char* file;  // beside config.ini, written before the window is made; or none
        QByteArray text;
        bool portOpens = true;
    };
    const StartUpMessage table[] = {
        {"damaged station.ini", "station.ini", "[rig]\nserver=own\nbaud=fast\n"},
        {"damaged bands.ini", "bands.ini", "[uk]\n40m=7000000-7200000\n30m=7100000-10150000\n"},
        {"damaged memory", "memories/memory-001.csv",
         "frequency_hz,power,z_ohm,phase_deg,swr\n14000000,100,50,0,x\n"},
        {"port missing", nullptr, "", false},
    };
    const QByteArray settings = configText("1200", "1500", "1", "7230", "False", "True", "2", "0");
    for (const StartUpMessage& row : table) {
        SCOPED_TRACE(row.name);
        QTemporaryDir folder;
        const QDir dir(folder.path());
        dir.mkdir("memories");
        const auto write = [&dir](const char* name, const QByteArray& text) {
            QFile file(dir.filePath(name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(text);
        };
        write("config.ini", settings);
        if (row.file != nullptr) {
            write(row.file, row.text);
        }
        if (row.file != nullptr && row.file == std::string_view("bands.ini")) {
            write("station.ini", "[licence]\nplan=own\n");
        }
        Devices devices = fakeDevices();
        devices.config = ConfigStore(folder.path());
        devices.messages = std::make_unique<QtMessageBoxes>();
        devices.stopRequested = stopSignals.flag();
        createWindow(std::move(devices));
        comm->openSucceeds = row.portOpens;
        QObject::connect(&stopSignals, &StopSignals::stopRequested, window.get(), &QWidget::close);

        const SignalWhenModalUp signal(GetParam());
        start();  // returns once the signal has ended the message and closed the window
        ASSERT_TRUE(waitForClose());
        EXPECT_TRUE(signal.raised()) << "no message came up";
        EXPECT_FALSE(signal.endedByTheTest()) << "the message stayed up";
        QFile config(dir.filePath("config.ini"));
        ASSERT_TRUE(config.open(QIODevice::ReadOnly));
        EXPECT_EQ(config.readAll().toStdString(), settings.toStdString());
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
