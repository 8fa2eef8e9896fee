// SPDX-License-Identifier: GPL-3.0-or-later
// The window polling a meter on a real pseudo-terminal through the real serial layer and
// the real blocking wait.

#include <QElapsedTimer>

#include "meter/blocking_sleeper.h"
#include "tests/support/process_events_until.h"
#include "tests/support/pty_window_fixture.h"

namespace zm::test {
namespace {

using ::testing::ElementsAre;

const std::string kRecord = ";  100.0, 50.0,-30.0 R  43.3 X  25.0 SW1.50";

class PtyPollTest : public PtyWindowTest {
protected:
    void SetUp() override { startOnPty(std::make_unique<BlockingSleeper>()); }

    // Lets the event loop run for a while, as between two polls.
    static void idle(int milliseconds) {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < milliseconds) {
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        }
    }
};

TEST_F(PtyPollTest, PollSendsTheThreeBytesAndTakesTheWholeRecord) {
    meter.answerWith(kRecord);
    window->ReadMeter();
    EXPECT_EQ(meter.waitForSent(3), ";P?");
    EXPECT_EQ(window->readout().rawResponse(), kRecord);
    EXPECT_TRUE(lampOn());
    EXPECT_EQ(window->controls().Label31->text().toStdString(), kRecord);
    EXPECT_THAT(readout(), ElementsAre("100.0", "50.0", "-30.0", "43.3", "25.0", "1.50"));
    EXPECT_EQ(window->readout().reading().Z, 50.0);
    EXPECT_TRUE(window->timer1Enabled());
}

TEST_F(PtyPollTest, LongAnswerIsRejectedAndTheLastGoodOneStays) {
    meter.answerWith(kRecord);
    window->ReadMeter();
    meter.answerWith(kRecord + "\r");
    window->ReadMeter();
    EXPECT_FALSE(lampOn());
    EXPECT_EQ(window->readout().rawResponse(), kRecord + "\r");
    EXPECT_EQ(window->controls().Label31->text().toStdString(), kRecord);
    EXPECT_THAT(readout(), ElementsAre("100.0", "50.0", "-30.0", "43.3", "25.0", "1.50"));
}

TEST_F(PtyPollTest, LateTailOfAnEarlierAnswerIsThrownAway) {
    meter.send(kRecord.substr(20));  // the end of an answer that came too late
    ASSERT_TRUE(meter.waitUntilPortHolds(kRecord.size() - 20));
    meter.answerWith(kRecord);
    window->ReadMeter();
    EXPECT_EQ(window->readout().rawResponse(), kRecord);
    EXPECT_TRUE(lampOn());
}

// A port closed under the window with its device still there (a read error rather than a
// pulled adapter): the poll sends nothing and the lamp turns red, and the next tick opens the
// port again.
TEST_F(PtyPollTest, PortClosedUnderTheWindowIsOpenedAgain) {
    meter.answerWith(kRecord);
    window->ReadMeter();
    EXPECT_EQ(meter.waitForSent(3), ";P?");
    port->close();
    window->ReadMeter();
    EXPECT_FALSE(lampOn());
    EXPECT_TRUE(window->timer1Enabled());
    EXPECT_TRUE(processEventsUntil([&] { return port->isOpen() && lampOn(); }));
    EXPECT_TRUE(messages->shown.empty());
}

TEST_F(PtyPollTest, UnpluggedMeterEndsThePollQuietlyAndPollingGoesOn) {
    meter.answerWith(kRecord);
    window->ReadMeter();
    meter.unplug();
    window->ReadMeter();
    EXPECT_FALSE(lampOn());
    EXPECT_THAT(readout(), ElementsAre("100.0", "50.0", "-30.0", "43.3", "25.0", "1.50"));
    idle(600);  // the timer polls on; the gone device must not storm or crash
    EXPECT_FALSE(port->isOpen());
    EXPECT_TRUE(window->timer1Enabled());
    EXPECT_TRUE(messages->shown.empty());
}

}  // namespace
}  // namespace zm::test
