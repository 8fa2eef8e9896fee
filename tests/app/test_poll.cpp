// SPDX-License-Identifier: GPL-3.0-or-later
// The poll and the live readout on a scripted port; the real serial link has its own
// tests over a pseudo-terminal.

#include <QLabel>
#include <QLineEdit>

#include "tests/support/window_fixture.h"

namespace zm::test {
namespace {

using ::testing::ElementsAre;

constexpr const char* kGood = ";  100.0, 50.0,-30.0 R  43.3 X  25.0 SW1.50";
constexpr const char* kOther = ";1234.56, 75.0,  0.0...................12.3";

class PollTest : public WindowTest {
protected:
    void SetUp() override {
        start();
        log.clear();
    }
    QString box(QLineEdit* edit) const { return edit->text(); }
};

TEST_F(PollTest, LampIsRedUntilTheMeterFirstAnswers) {
    EXPECT_FALSE(lampOn());  // the port is open, but nothing has answered yet
    comm->answers = {kGood};
    window->ReadMeter();
    EXPECT_TRUE(lampOn());
}

TEST_F(PollTest, AcceptedAnswerLightsTheLampAndFillsTheReadout) {
    comm->answers = {kGood};
    window->ReadMeter();
    EXPECT_THAT(log, ElementsAre("Output ;P?", "Pause 200"));
    EXPECT_TRUE(lampOn());
    EXPECT_EQ(window->controls().Label31->text(), kGood);
    EXPECT_THAT(readout(), ElementsAre("100.0", "50.0", "-30.0", "43.3", "25.0", "1.50"));
    EXPECT_EQ(window->readout().reading().SWR.tenThousandths(), 15000);
    EXPECT_TRUE(window->timer1Enabled());
}

TEST_F(PollTest, RejectedAnswersTurnTheLampRedAndKeepEverything) {
    comm->answers = {kGood};
    window->ReadMeter();
    const std::string good(kGood);
    for (const std::string& bad :
         {std::string(), good.substr(0, 42), good + "x", "!" + good.substr(1)}) {
        comm->answers = {bad};
        window->ReadMeter();
        EXPECT_FALSE(lampOn()) << bad;
        EXPECT_EQ(window->controls().Label31->text(), kGood);
        EXPECT_THAT(readout(), ElementsAre("100.0", "50.0", "-30.0", "43.3", "25.0", "1.50"));
        EXPECT_EQ(window->readout().rawResponse(), bad);
        EXPECT_EQ(window->readout().lastResponse(), good);
        EXPECT_TRUE(window->timer1Enabled());
    }
    comm->answers = {kOther};
    window->ReadMeter();
    EXPECT_TRUE(lampOn());
    EXPECT_THAT(readout(), ElementsAre("1234.6", "75.0", ".0", "75.0", ".0", "12.30"));
}

TEST_F(PollTest, NonNumericFieldsShowAsReceivedAndReadAsZero) {
    comm->answers = {";  100.0,<b>xy,  abc...................1.00"};
    window->ReadMeter();
    EXPECT_THAT(readout(), ElementsAre("100.0", "<b>xy", "  abc", ".0", ".0", "1.00"));
    EXPECT_EQ(window->readout().reading().Z, 0.0);
}

// A port closed under the window (its adapter pulled out) sends nothing; the lamp turns red
// and the raw-response line says what happened, without a box.
TEST_F(PollTest, PortClosedUnderThePollSendsNothingAndSaysTheMeterIsGone) {
    comm->answers = {kGood};
    window->ReadMeter();
    comm->opened = false;
    log.clear();
    window->ReadMeter();
    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(lampOn());
    // The line is as wide as a meter record; the whole text is on hover.
    EXPECT_EQ(window->controls().Label31->text(),
              "Meter unplugged; polling resumes when it is back");
    EXPECT_EQ(window->controls().Label31->toolTip(),
              "Meter unplugged: /dev/ttyS0 is gone; polling resumes when it is back");
    EXPECT_TRUE(messages->shown.empty());
    EXPECT_TRUE(window->timer1Enabled());
}

}  // namespace
}  // namespace zm::test
