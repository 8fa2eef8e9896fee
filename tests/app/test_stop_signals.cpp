// SIGINT, SIGTERM and SIGHUP end the program through the window's close path.

#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <csignal>
#include <thread>

#include "app/stop_signals.h"
#include "meter/blocking_sleeper.h"
#include "tests/support/recording_transceiver.h"
#include "tests/support/window_fixture.h"

namespace zm::test {
namespace {

class StopSignalTest : public WindowTest, public ::testing::WithParamInterface<int> {
protected:
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
    devices.sleeper = std::make_unique<BlockingSleeper>(*stopSignals.flag());
    createConnectedWindow(std::move(devices));
    comm->answers = {";  100.0, 50.0,-30.0 R  43.3 X  25.0 SW1.50"};
    log.clear();

    // The signal comes while the sweep holds the UI thread, keyed in its 1 s wait.
    std::thread signaller([signal = GetParam()] {
        std::this_thread::sleep_for(std::chrono::milliseconds(600));
        std::raise(signal);
    });
    window->cmdRun_Click();
    signaller.join();

    const auto keyed = std::count(log.begin(), log.end(), "SetPTT 1");
    const auto unkeyed = std::count(log.begin(), log.end(), "SetPTT 0");
    EXPECT_GE(unkeyed, keyed);
    EXPECT_LT(std::count(log.begin(), log.end(), "SetFrequency 14.35"), 1);  // it did not run on
    EXPECT_TRUE(messages->shown.empty());
    QFile::remove(configPath());
    ASSERT_TRUE(waitForClose());
    EXPECT_TRUE(QFileInfo::exists(configPath()));
}

INSTANTIATE_TEST_SUITE_P(Signals, StopSignalTest, ::testing::Values(SIGINT, SIGTERM, SIGHUP),
                         [](const auto& info) {
                             return std::string(info.param == SIGINT    ? "SIGINT"
                                                : info.param == SIGTERM ? "SIGTERM"
                                                                        : "SIGHUP");
                         });

}  // namespace
}  // namespace zm::test
