// SPDX-License-Identifier: GPL-3.0-or-later
// zm480-sweep as a user runs it over SSH, without a display, on zm480-sim's meter and
// Hamlib's dummy rig: each exit status, what was keyed (through a proxy in front of
// rigctld), the window's folder kept apart from the command's, a hang-up mid-sweep, and the
// radio unkeyed whatever ended the command.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <fcntl.h>
#include <QDir>
#include <QFile>

#include <csignal>

#include "settings/settings_folder_lock.h"
#include "tests/support/pty_meter.h"
#include "tests/support/sweep_command_process.h"

namespace zm::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

struct CommandCase {
    const char* name;
    QStringList arguments;  // after --settings
    int exitStatus;
    std::string said;          // on standard error
    std::size_t keyDowns = 0;  // with hangUp: those the file holds, and one more at most
    int comPort = 1;           // 2: config.ini's port has no meter
    bool windowOpen = false;   // the window holds the settings folder
    bool hangUp = false;       // SIGHUP once the second point is taken
    bool ownRigctld = false;   // station.ini has the program run rigctld for the dummy rig
    int carrierIndex = 0;      // config.ini's carrier mode: 0 CW, 1 AM
    bool silentMeter = false;  // ports/com1 is a pseudo-terminal that answers nothing
    // This standard stream of the command's (1 or 2) is a pipe of the test's, whose read end
    // it closes once two points are keyed, as a reader that exits or a dropped SSH link.
    int readerGone = 0;
    bool standardOutputClosed = false;  // started with no standard output
    std::string out = {};               // in what it wrote on standard output
    QString notWritten = {};            // a file of -o that a band keying nothing leaves out
};
void PrintTo(const CommandCase& row, std::ostream* out) {
    *out << row.name;
}

// The window's words, which the command's messages never hold: its buttons and menus.
const std::vector<std::string> kWindowWords{"press Run", "Press Run",   "Setup,",        " menu",
                                            "(shaded)",  "see README)", "window's words"};

std::string fileText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

// A pipe for one of the command's standard streams: the test reads what comes, so that the
// command never waits on a full pipe, until it closes the read end.
class ReaderPipe {
public:
    ReaderPipe() {
        if (::pipe2(m_fds, O_CLOEXEC) == 0) {
            ::fcntl(m_fds[0], F_SETFL, O_NONBLOCK);  // the command's end stays blocking
        }
    }
    ~ReaderPipe() {
        close();
        ::close(m_fds[1]);
    }
    int writeEnd() const { return m_fds[1]; }
    void drain() {
        char bytes[4096];
        while (m_fds[0] >= 0 && ::read(m_fds[0], bytes, sizeof bytes) > 0) {
        }
    }
    void close() {
        if (m_fds[0] >= 0) {
            ::close(m_fds[0]);
            m_fds[0] = -1;
        }
    }

private:
    int m_fds[2] = {-1, -1};
};

// Data lines of a CSV: the frequency's digits first.
std::size_t csvPoints(const std::string& text) {
    std::size_t points = 0;
    for (std::size_t at = 0; at < text.size(); at = text.find('\n', at) + 1) {
        points += std::isdigit(static_cast<unsigned char>(text[at])) ? 1 : 0;
        if (text.find('\n', at) == std::string::npos) {
            break;
        }
    }
    return points;
}

class SweepCommandTest : public ::testing::TestWithParam<CommandCase> {};

TEST_P(SweepCommandTest, EndsWithItsStatusAndTheRadioUnkeyed) {
    if (RigctldProcess::executable().empty()) {
        GTEST_SKIP() << "rigctld is not installed";
    }
    const CommandCase& c = GetParam();
    CommandStation station;
    std::string whyNot;
    ASSERT_TRUE(station.start(whyNot)) << whyNot;
    const RecordingRigProxy& proxy = *station.proxy;
    std::optional<PtyMeter> silent;
    if (c.silentMeter) {
        silent.emplace();
        silent->answerWith({});
    }
    const QString folder = silent ? QString::fromStdString(silent->configDir()) : station.folder();
    const quint16 ownPort = c.ownRigctld ? freeLoopbackPort() : 0;
    // The program's own rigctld reaches the dummy rig as a radio, through Hamlib's NET rigctl.
    const std::string proxied = std::to_string(proxy.port());
    writeCommandSettings(folder,
                         c.ownRigctld ? "[rig]\nserver=own\nmodel=2\ndevice=127.0.0.1:" + proxied +
                                            "\nptt=RIG\nport=" + std::to_string(ownPort) + "\n"
                                      : station.rigAtProxy(),
                         c.comPort, c.carrierIndex);
    std::optional<SettingsFolderLock> window;
    bool windowKnocked = false;
    if (c.windowOpen) {
        window.emplace(folder);
        QObject::connect(&*window, &SettingsFolderLock::anotherStart,
                         [&windowKnocked] { windowKnocked = true; });
    }
    const QString output = QDir(folder).filePath("sweep.csv");
    std::string windowStarted;  // what a window started mid-sweep says
    std::size_t keyedAtTheLoss = 0;
    ReaderPipe reader;
    const SweepCommandResult ran = runSweepCommand(
        QStringList{"--settings", folder, "-o", output} + c.arguments,
        [&](QProcess& command, const std::string& err) {
            if (c.readerGone) {
                reader.drain();
                if (proxy.keyedHz().size() < 2) {
                    return false;
                }
                keyedAtTheLoss = proxy.keyedHz().size();
                reader.close();
                return true;
            }
            if (!c.hangUp || err.find("point 2 of") == std::string::npos) {
                return false;
            }
            windowStarted = SettingsFolderLock(folder).alreadyRunningMessage();
            windowStarted += " / " + std::to_string(command.processId());
            ::kill(static_cast<pid_t>(command.processId()), SIGHUP);
            return true;
        },
        [&c, write = reader.writeEnd()] {
            if (c.standardOutputClosed) {
                ::close(STDOUT_FILENO);
            } else if (c.readerGone) {
                ::dup2(write, c.readerGone);
            }
        });

    EXPECT_EQ(ran.exitCode, c.exitStatus) << ran.err;
    if (c.readerGone != STDERR_FILENO) {
        EXPECT_THAT(ran.err, HasSubstr(c.said));
    }
    EXPECT_THAT(ran.out, HasSubstr(c.out));
    if (!c.notWritten.isEmpty()) {
        EXPECT_FALSE(QFile::exists(QDir(folder).filePath(c.notWritten)));
        EXPECT_TRUE(QFile::exists(QDir(folder).filePath("sweep-20m.csv")));
    }
    if (!c.hangUp && !c.readerGone) {
        EXPECT_EQ(proxy.keyedHz().size(), c.keyDowns) << ran.err;
    }
    for (const std::string& word : kWindowWords) {
        EXPECT_THAT(ran.err, Not(HasSubstr(word)));
    }
    if (c.exitStatus >= 2) {
        EXPECT_THAT(ran.err, Not(HasSubstr("The sweep stopped")));
    }
    if (c.exitStatus == 3) {
        EXPECT_THAT(ran.err, ::testing::ContainsRegex("[Nn]othing was keyed"));
    }
    EXPECT_EQ(readBack(station.rigctld.port(), false, "t", "PTT"), "0");
    if (c.ownRigctld) {
        EXPECT_THAT(rigctldsOnPort(ownPort), ::testing::IsEmpty());
    }
    if (c.exitStatus >= 2 || c.arguments.contains("--dry-run")) {
        EXPECT_FALSE(proxy.reached()) << "the radio was reached";
        EXPECT_FALSE(QFile::exists(output));
    }
    if (c.windowOpen) {
        EXPECT_THAT(ran.err, HasSubstr("(process " + std::to_string(::getpid()) + ")"));
        EXPECT_FALSE(windowKnocked) << "the window was brought to the front";
    }
    if (c.readerGone) {
        // Kept where the window finds it, and told in the log beside it: the points taken
        // until the loss, and at most the one keyed as it came, unkeyed without a reading.
        const std::string kept = fileText(QDir(folder).filePath("memories/memory-001.csv"));
        const std::size_t points = csvPoints(kept);
        EXPECT_GE(points + 1, keyedAtTheLoss) << kept;
        EXPECT_THAT(proxy.keyedHz().size(),
                    ::testing::AllOf(::testing::Le(points + 1), ::testing::Le(keyedAtTheLoss + 1)));
        EXPECT_THAT(fileText(QDir(folder).filePath("zm480-sweep.log")),
                    ::testing::AllOf(HasSubstr(c.said), HasSubstr("the transmitter is unkeyed"),
                                     HasSubstr("memory-001.csv")));
    }
    if (c.hangUp) {
        // A window started meanwhile kept off; the file holds the points taken until then.
        EXPECT_THAT(windowStarted, HasSubstr("zm480-sweep is sweeping with the settings"));
        const std::string pid = windowStarted.substr(windowStarted.rfind(' ') + 1);
        EXPECT_THAT(windowStarted, HasSubstr("(process " + pid + ")"));
        QFile written(output);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        // The signal may come while the next point is keyed: it is unkeyed without a reading.
        const std::size_t points = csvPoints(written.readAll().toStdString());
        EXPECT_GE(points, c.keyDowns);
        EXPECT_THAT(proxy.keyedHz().size(),
                    ::testing::AllOf(::testing::Ge(points), ::testing::Le(points + 1)));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Command, SweepCommandTest,
    ::testing::Values(
        CommandCase{"SweepsEveryPoint",
                    {"--start", "14.0", "--stop", "14.1", "--step", "50k"},
                    0,
                    "point 3 of 3  14.100 MHz",
                    3},
        CommandCase{"PlansTypedFrequenciesAsTheWindowsBoxes",
                    {"--start", "14.004", "--stop", "14100k", "--step", "0.05"},
                    0,
                    "--start 14.004 is planned as the window plans its boxes, to two decimals: "
                    "14.00 to 14.10 MHz",
                    3},
        // AM's sidebands keep the carrier off the band's upper edge.
        CommandCase{"KeysInTheWindowsCarrierMode",
                    {"--plan", "iaru1", "--start", "7.1", "--stop", "7.2", "--step", "50k"},
                    0,
                    "point 3 of 3  7.200 MHz  not keyed: outside band plan",
                    2,
                    1,
                    false,
                    false,
                    false,
                    1},
        CommandCase{"UsageOpensNothing",
                    {"--band", "40m", "--start", "14"},
                    2,
                    "--band and --start/--stop/--step each say what to sweep"},
        CommandCase{"NothingToSweepKeysNothing",
                    {"--plan", "iaru1", "--start", "7.25", "--stop", "7.3", "--step", "50k"},
                    4,
                    "Nothing to sweep: 7.250 to 7.300 MHz lies outside the 40m band"},
        CommandCase{"NoMeterKeysNothing",
                    {"--band", "20m", "--points", "3"},
                    3,
                    "COM port not available",
                    0,
                    2},
        CommandCase{"WindowOpenKeysNothing",
                    {"--band", "20m", "--points", "3"},
                    3,
                    "ZM-480 Plot is open with the settings in",
                    0,
                    1,
                    true},
        CommandCase{"DryRunOpensNothing",
                    {"--dry-run", "--plan", "iaru1", "--band", "40m", "--points", "3"},
                    0,
                    "",  // the listing goes to standard output
                    0,
                    2},
        CommandCase{"HangUpUnkeysAndWritesWhatWasMeasured",
                    {"--start", "14.0", "--stop", "14.35", "--step", "50k"},
                    1,
                    "stopped by a signal; the transmitter is unkeyed",
                    2,
                    1,
                    false,
                    true},
        // A port that opens with nothing behind it: asked once, unkeyed, and nothing keyed.
        CommandCase{.name = "SilentMeterKeysNothing",
                    .arguments = {"--band", "20m", "--points", "3"},
                    .exitStatus = 3,
                    .said = "The meter does not answer on Com01, so nothing was keyed",
                    .silentMeter = true},
        CommandCase{.name = "UnwritableOutputKeysNothing",
                    .arguments = {"--band", "20m", "--points", "3", "-o", "/proc/self/s.csv"},
                    .exitStatus = 2,
                    .said = "-o /proc/self/s.csv: "},
        CommandCase{.name = "StandardOutputClosedKeysNothing",
                    .arguments = {"--band", "20m", "--points", "3"},
                    .exitStatus = 2,
                    .said = "standard output is not open, so nothing was opened or keyed",
                    .standardOutputClosed = true},
        // AM's sidebands fit no 60 m channel of the plan: a script reads why in the JSON.
        CommandCase{.name = "BandPassedOverIsNamedInTheJson",
                    .arguments = {"--plan", "us-general", "--mode", "AM", "--band", "60m,20m",
                                  "--points", "5", "--summary", "json"},
                    .exitStatus = 0,
                    .said = "Passed over, with no point the band plan lets be keyed: 60m",
                    .keyDowns = 2,
                    .out = "{\"band\":\"60m\",\"start_mhz\":5.332,\"stop_mhz\":5.405,"
                           "\"taken\":null,\"lowest_swr\":null,\"lowest_swr_mhz\":null,"
                           "\"above_ceiling\":false,\"swr2_band\":null,\"swr2_low_mhz\":null,"
                           "\"swr2_high_mhz\":null,\"swr2_width_khz\":null,\"q\":null,"
                           "\"resonances\":[],\"keyed_points\":0,\"points\":147,\"keyed_s\":0.0,"
                           "\"passed_over\":\"Nothing to sweep: 5.332 to 5.405 MHz",
                    .notWritten = "sweep-60m.csv"},
        // CSV on standard output, row by row, to a reader that goes away.
        CommandCase{.name = "ReaderGoneUnkeysAndKeepsWhatWasMeasured",
                    .arguments = {"--start", "14.0", "--stop", "14.35", "--step", "50k", "-o", "-"},
                    .exitStatus = 1,
                    .said = "standard output's reader went away",
                    .readerGone = STDOUT_FILENO},
        CommandCase{.name = "ProgressReaderGoneUnkeysAndKeeps",
                    .arguments = {"--start", "14.0", "--stop", "14.35", "--step", "50k"},
                    .exitStatus = 1,
                    .said = "standard error's reader went away",
                    .readerGone = STDERR_FILENO},
        CommandCase{"RunsItsOwnRigctldAndLeavesNone",
                    {"--start", "14.0", "--stop", "14.05", "--step", "50k"},
                    0,
                    "point 2 of 2",
                    2,
                    1,
                    false,
                    false,
                    true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zm::test
