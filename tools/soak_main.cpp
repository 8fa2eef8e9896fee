// SPDX-License-Identifier: GPL-3.0-or-later
// zm480-soak: the program's window with its real devices, polling for a long time and
// sweeping every few minutes, then a report of what it did and what it cost:
//
//   zm480-soak --config DIR [--minutes 30] [--sweep-minutes 2] [--rig-port 4532]
//
//   polls: 4391
//   rejected polls: 862
//   sweeps: 15 (stopped with a message: 1, for no usable answer in three tries: 1)
//   points: 120 (read again after a rejected poll: 31, unsettled: 0)
//   messages: 0
//   resident memory KiB: 61236 after warm-up, 61412 at the end
//   open file descriptors: 17 after warm-up, 17 at the end
//
// DIR holds ports/com1 (the simulated meter) and config.ini. Message boxes are counted and
// written to stderr instead of waiting for a user. SIGINT or SIGTERM ends the run early,
// with the report.

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

#include "app/frm_main.h"
#include "meter/meter_record.h"
#include "process/stop_signals.h"
#include "sweep/rigctld_client.h"
#include "sweep/settle_rule.h"

namespace zm {
namespace {

// Counts what passes through the real serial layer: a query sent is a poll, and an
// answer the window will not accept is a rejected poll.
class CountingSerialComm : public SerialComm {
public:
    explicit CountingSerialComm(std::unique_ptr<SerialComm> port) : m_port(std::move(port)) {}

    long polls = 0;
    long rejected = 0;

    void setCommPort(int n) override { m_port->setCommPort(n); }
    int commPort() const override { return m_port->commPort(); }
    PortRoute routeOf(int n) const override { return m_port->routeOf(n); }
    bool setSettings(std::string_view s) override { return m_port->setSettings(s); }
    void setInputLen(int length) override { m_port->setInputLen(length); }
    bool open() override { return m_port->open(); }
    void close() override { m_port->close(); }
    bool isOpen() const override { return m_port->isOpen(); }
    void clearOutBuffer() override { m_port->clearOutBuffer(); }
    void clearInBuffer() override { m_port->clearInBuffer(); }
    bool output(std::string_view bytes) override {
        const bool sent = m_port->output(bytes);
        if (bytes == kMeterQuery) {
            ++polls;
            rejected += sent ? 0 : 1;
        }
        return sent;
    }
    std::string input() override {
        std::string answer = m_port->input();
        rejected += isAcceptedResponse(answer) ? 0 : 1;
        return answer;
    }

private:
    std::unique_ptr<SerialComm> m_port;
};

class CountedMessageBoxes : public MessageBoxes {
public:
    long shown = 0;
    std::string last;
    void show(std::string_view text) override {
        ++shown;
        last = text;
        std::fprintf(stderr, "zm480-soak: message: %.*s\n", int(text.size()), text.data());
    }
    std::optional<std::string> askLine(std::string_view, std::string_view) override {
        return std::nullopt;  // the soak names nothing
    }
    bool confirm(std::string_view) override { return false; }
};

// How the points of the sweeps were taken.
struct PointCounts {
    long taken = 0;
    long reread = 0;     // a rejected poll was read again
    long unsettled = 0;  // settling by readings ran to the fixed wait's time

    // A sweep that stopped at its first point leaves the record of the one before, which
    // is not counted again.
    void count(const SweepRecord& record) {
        if (std::exchange(m_lastTakenAt, record.notes.takenAt) == record.notes.takenAt) {
            return;
        }
        for (const SweepPoint& point : record.points) {
            ++taken;
            const PointTaking::How how = point.taken->how;
            const int polls = how == PointTaking::How::FixedWait ? 1 : kPollsInTheFixedTime;
            reread += how != PointTaking::How::Settled && point.taken->readings > polls ? 1 : 0;
            unsettled += how == PointTaking::How::Unsettled ? 1 : 0;
        }
    }

private:
    std::string m_lastTakenAt;
};

long residentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith("VmRSS:")) {  // "VmRSS:\t   61236 kB"
            return line.mid(6).trimmed().split(' ').front().toLong();
        }
    }
    return -1;
}

long openFileDescriptors() {
    return long(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System).size());
}

struct Options {
    QString configDir;
    double minutes = 30;
    double sweepMinutes = 2;
    quint16 rigPort = RigctldServerFactory::kDefaultPort;
};

bool parse(int argc, char** argv, Options& options) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const char* value = argv[i + 1];
        if (!std::strcmp(argv[i], "--config")) {
            options.configDir = QString::fromLocal8Bit(value);
        } else if (!std::strcmp(argv[i], "--minutes")) {
            options.minutes = std::atof(value);
        } else if (!std::strcmp(argv[i], "--sweep-minutes")) {
            options.sweepMinutes = std::atof(value);
        } else if (!std::strcmp(argv[i], "--rig-port")) {
            options.rigPort = quint16(std::atoi(value));
        } else {
            return false;
        }
    }
    return argc % 2 == 1 && !options.configDir.isEmpty() && options.minutes > 0 &&
           options.sweepMinutes > 0 && options.rigPort != 0;
}

int milliseconds(double minutes) {
    return int(minutes * 60'000);
}

}  // namespace
}  // namespace zm

int main(int argc, char** argv) {
    using namespace zm;
    QApplication app(argc, argv);
    Options options;
    if (!parse(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: zm480-soak --config DIR [--minutes N] [--sweep-minutes M] "
                     "[--rig-port PORT]\n");
        return 2;
    }

    StopSignals stopSignals;
    Devices devices =
        programDevices(ConfigStore(options.configDir), stopSignals.flag(), options.rigPort);
    auto counting = std::make_unique<CountingSerialComm>(std::move(devices.comm));
    CountingSerialComm& port = *counting;
    devices.comm = std::move(counting);
    auto counted = std::make_unique<CountedMessageBoxes>();
    CountedMessageBoxes& messages = *counted;
    devices.messages = std::move(counted);

    frmMain window(std::move(devices));
    window.show();

    // The first sweep falls inside the warm-up, so that what the chart allocates once is
    // not counted as growth; each later sweep shows another plot mode.
    long sweeps = 0;
    long stoppedSweeps = 0;
    long stoppedForTheLink = 0;  // three garbled answers in a row, which random faults bring
    PointCounts points;
    const auto sweep = [&] {
        window.controls().Combo2->setCurrentIndex(int(sweeps % 5));
        window.Combo2_Click();
        const long before = messages.shown;
        window.cmdRun_Click();
        ++sweeps;
        if (messages.shown > before) {
            ++stoppedSweeps;
            stoppedForTheLink +=
                messages.last.find("no usable answer in three tries") != std::string::npos;
        }
        points.count(window.sweepModel().record());
    };
    const int warmUpMs = std::min(milliseconds(1), milliseconds(options.minutes) / 3);
    QTimer sweepTimer;
    sweepTimer.setInterval(milliseconds(options.sweepMinutes));
    QObject::connect(&sweepTimer, &QTimer::timeout, &window, sweep);
    QTimer::singleShot(warmUpMs / 3, &window, [&] {
        sweep();
        sweepTimer.start();
    });

    long startKiB = -1;
    long startFds = -1;
    QTimer::singleShot(warmUpMs, &window, [&] {
        startKiB = residentKiB();
        startFds = openFileDescriptors();
    });

    bool finished = false;
    const auto finish = [&] {
        if (std::exchange(finished, true)) {
            return;
        }
        sweepTimer.stop();
        std::printf("polls: %ld\nrejected polls: %ld\n", port.polls, port.rejected);
        std::printf(
            "sweeps: %ld (stopped with a message: %ld, for no usable answer in three "
            "tries: %ld)\n",
            sweeps, stoppedSweeps, stoppedForTheLink);
        std::printf("points: %ld (read again after a rejected poll: %ld, unsettled: %ld)\n",
                    points.taken, points.reread, points.unsettled);
        std::printf("messages: %ld\n", messages.shown);
        std::printf("resident memory KiB: %ld after warm-up, %ld at the end\n", startKiB,
                    residentKiB());
        std::printf("open file descriptors: %ld after warm-up, %ld at the end\n", startFds,
                    openFileDescriptors());
        std::fflush(stdout);
        window.close();
        app.quit();
    };
    QTimer::singleShot(milliseconds(options.minutes), &window, finish);
    QObject::connect(&stopSignals, &StopSignals::stopRequested, &window, finish);
    return app.exec();
}
