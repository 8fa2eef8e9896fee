// SPDX-License-Identifier: GPL-3.0-or-later
// A misbehaving meter on a real pseudo-terminal, polled by the window through the real
// serial layer. The meter's bytes are the simulator's faults; they are put into the line
// while the poll waits (or after its read), and the test waits until the port holds them,
// so no outcome depends on how fast either side happens to be.

#include <functional>
#include <utility>

#include "meter/meter_record.h"
#include "sim/meter_answer.h"
#include "tests/support/pty_window_fixture.h"

namespace zm::test {
namespace {

using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

// Stands in for the poll's 200 ms wait: whatever the meter does in that time happens here.
class MeterTurnSleeper : public Sleeper {
public:
    std::function<void()> duringPause;
    void sleep(std::chrono::milliseconds) override {
        if (duringPause) {
            std::exchange(duringPause, nullptr)();
        }
    }
};

const sim::MeterValues kBefore{100.0, 50.0, -30.0, 1.5};
const sim::MeterValues kAfter{12.5, 75.0, 20.0, 1.6};
const std::vector<QString> kBeforeShown{"100.0", "50.0", "-30.0", "43.3", "25.0", "1.50"};
const std::vector<QString> kAfterShown{"12.5", "75.0", "20.0", "70.5", "25.6", "1.60"};

// What the simulated meter says at once to one query ("" when it is silent).
std::string recordWith(sim::Fault fault, const sim::MeterValues& values) {
    std::string bytes;
    for (const sim::TimedBytes& part : sim::answerFor(fault, values)) {
        if (part.delay.count() == 0) {
            bytes += part.bytes;
        }
    }
    return bytes;
}

QString latin1(const std::string& bytes) {
    return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
}

class MeterFaultTest : public PtyWindowTest {
public:
    using PtyWindowTest::meter;  // the table's rows act on the meter
    MeterTurnSleeper* turn = nullptr;

    // The meter answers while the poll waits; the poll reads once the port holds it all.
    void putDuringPause(std::string bytes) {
        turn->duringPause = [this, bytes = std::move(bytes)] {
            meter.send(bytes);
            ASSERT_TRUE(meter.waitUntilPortHolds(bytes.size()));
        };
    }
    // Bytes that come after the poll's read, and are in the line when the next poll starts.
    void putAfterRead(const std::string& bytes) {
        meter.send(bytes);
        ASSERT_TRUE(meter.waitUntilPortHolds(bytes.size()));
    }
    // The meter starts talking without pause while the poll waits; the poll reads once the
    // line holds more than a record.
    void floodDuringPause() {
        turn->duringPause = [this] {
            meter.startFlood(recordWith(sim::Fault::Flood, kBefore));
            ASSERT_TRUE(meter.waitUntilPortHolds(kMeterRecordLength + 1));
        };
    }
    void pollAnswering(const std::string& bytes) {
        putDuringPause(bytes);
        window->ReadMeter();
    }

protected:
    void SetUp() override {
        auto sleeper = std::make_unique<MeterTurnSleeper>();
        turn = sleeper.get();
        startOnPty(std::move(sleeper));
    }

    QString rawLine() const { return window->controls().Label31->text(); }
};

// One fault between two good answers: what it does to the window, and that the next good
// answer is read again when the port is still there.
struct FaultCase {
    const char* name;
    std::function<void(MeterFaultTest&)> misbehave;  // the meter's part in the faulty poll
    std::function<void(MeterFaultTest&)> afterRead;  // and what it does after the read
    bool accepted;
    std::vector<QString> shown;  // the readout after the faulty poll, when accepted
    bool portSurvives = true;
};

void PrintTo(const FaultCase& row, std::ostream* out) {
    *out << row.name;
}

class MeterFaultTable : public MeterFaultTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(MeterFaultTable, WindowCopesAndReadsTheNextGoodAnswer) {
    const FaultCase& row = GetParam();
    const std::string good = recordWith(sim::Fault::None, kBefore);
    pollAnswering(good);
    ASSERT_TRUE(lampOn());
    ASSERT_THAT(readout(), ElementsAreArray(kBeforeShown));

    row.misbehave(*this);
    window->ReadMeter();
    if (row.afterRead) {
        row.afterRead(*this);
    }

    EXPECT_TRUE(window->timer1Enabled());
    EXPECT_THAT(messages->shown, IsEmpty());
    EXPECT_EQ(lampOn(), row.accepted);
    if (row.accepted) {
        EXPECT_THAT(readout(), ElementsAreArray(row.shown));
        EXPECT_EQ(rawLine(), latin1(window->readout().rawResponse()));
        EXPECT_EQ(rawLine().size(), qsizetype(kMeterRecordLength));
    } else {
        EXPECT_THAT(readout(), ElementsAreArray(kBeforeShown));
        // A device that went is said on the line, in whole on hover; any other fault leaves
        // the last answer there.
        EXPECT_EQ(rawLine().toStdString(),
                  row.portSurvives ? good : "Meter unplugged; polling resumes when it is back");
        EXPECT_EQ(window->controls().Label31->toolTip().toStdString(),
                  row.portSurvives ? ""
                                   : "Meter unplugged: " + meter.devicePath() +
                                         " is gone; polling resumes when it is back");
        EXPECT_EQ(window->readout().lastResponse(), good);
        EXPECT_DOUBLE_EQ(window->readout().reading().Z.value_or(0), 50.0);
    }
    ASSERT_EQ(port->isOpen(), row.portSurvives);

    if (row.portSurvives) {
        pollAnswering(recordWith(sim::Fault::None, kAfter));
        EXPECT_TRUE(lampOn());
        EXPECT_THAT(readout(), ElementsAreArray(kAfterShown));
        EXPECT_EQ(window->readout().rawResponse(), recordWith(sim::Fault::None, kAfter));
    } else {
        // Later polls, and the event loop between them, find the port closed and the device
        // still gone: nothing changes, and the dead device raises no storm of errors.
        for (int tick = 0; tick < 10; ++tick) {
            window->Timer1_Timer();
            QApplication::processEvents();
        }
        EXPECT_FALSE(lampOn());
        EXPECT_THAT(readout(), ElementsAreArray(kBeforeShown));
    }
    EXPECT_TRUE(window->timer1Enabled());
    EXPECT_THAT(messages->shown, IsEmpty());
}

FaultCase answered(const char* name, sim::Fault fault, bool accepted = false,
                   std::vector<QString> shown = {}) {
    return {name, [fault](MeterFaultTest& t) { t.putDuringPause(recordWith(fault, kBefore)); },
            nullptr, accepted, std::move(shown)};
}

const std::string kHighBytesInZ = [] {
    std::string record = recordWith(sim::Fault::None, kBefore);
    record.replace(9, 5, std::string("\x80\xff\0\x9c\xc3", 5));
    return record;
}();

INSTANTIATE_TEST_SUITE_P(
    Pty, MeterFaultTable,
    ::testing::Values(
        answered("MeterSilent", sim::Fault::Silent),
        answered("FortyTwoCharacters", sim::Fault::Short),
        answered("FortyFourCharacters", sim::Fault::Long),
        answered("WrongFirstCharacter", sim::Fault::BadStart),
        answered("LineNoiseOfNulAndHighBytes", sim::Fault::Noise),
        // The tail is still in the line when the next poll starts, and must not spoil
        // that poll's answer.
        FaultCase{"AnswerSplitAcrossTheWait",
                  [](MeterFaultTest& t) {
                      t.putDuringPause(sim::answerFor(sim::Fault::Split, kBefore).at(0).bytes);
                  },
                  [](MeterFaultTest& t) {
                      const auto tail = sim::answerFor(sim::Fault::Split, kBefore).at(1);
                      ASSERT_GT(tail.delay, std::chrono::milliseconds(200));
                      t.putAfterRead(tail.bytes);
                  },
                  false,
                  {}},
        FaultCase{"FloodOfOneMebibyteWithoutPause",
                  [](MeterFaultTest& t) { t.floodDuringPause(); },
                  [](MeterFaultTest& t) { t.meter.endFlood(); },
                  false,
                  {}},
        FaultCase{"DeviceVanishesMidPoll",
                  [](MeterFaultTest& t) { t.turn->duringPause = [&t] { t.meter.unplug(); }; },
                  nullptr,
                  false,
                  {},
                  false},
        answered("GarbageInUnreadPositionsIsAccepted", sim::Fault::Garbage, true, kBeforeShown),
        answered("OverRangeZShowsAsReceived", sim::Fault::NonNumeric, true,
                 {"100.0", "-----", "-30.0", ".0", ".0", "1.50"}),
        FaultCase{"NulAndHighBytesInZShowLiterally",
                  [](MeterFaultTest& t) { t.putDuringPause(kHighBytesInZ); },
                  nullptr,
                  true,
                  {"100.0", latin1(kHighBytesInZ.substr(9, 5)), "-30.0", ".0", ".0", "1.50"}}),
    [](const auto& info) { return std::string(info.param.name); });

// A flood is drained, not kept whole: the poll keeps a bounded part, enough to reject it.
TEST_F(MeterFaultTest, FloodKeepsOnlyABoundedPart) {
    floodDuringPause();
    window->ReadMeter();
    meter.endFlood();
    EXPECT_GT(window->readout().rawResponse().size(), kMeterRecordLength);
    EXPECT_LE(window->readout().rawResponse().size(), 64u * 1024u);
}

}  // namespace
}  // namespace zm::test
