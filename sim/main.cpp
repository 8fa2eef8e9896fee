// zm480-sim: a ZM-480 on a pseudo-terminal, for running and testing the program
// without the meter. See simHelpText() for the options.

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <iostream>
#include <list>
#include <memory>

#include "meter/meter_record.h"
#include "sim/antenna_model.h"
#include "sim/fault_picker.h"
#include "sim/meter_answer.h"
#include "sim/pseudo_terminal.h"
#include "sim/rig_follower.h"
#include "sim/sim_options.h"
#include "sim/simulator_main.h"
#include "sim/stop_signal.h"

namespace zm::sim {
namespace {

using Clock = std::chrono::steady_clock;

// Without RF the meter has nothing to measure: all its fields read 0.
constexpr MeterValues kNoRf{};

// Answers queued for the pty, oldest first; never more than this, so a flood into a
// port nobody reads cannot grow without end.
constexpr std::size_t kMaxQueuedBytes = 4 * 1024 * 1024;
constexpr std::chrono::milliseconds kIdlePoll{200};

struct QueuedBytes {
    Clock::time_point due;
    std::string bytes;
};

class MeterSimulator {
public:
    explicit MeterSimulator(SimOptions options) : m_options(std::move(options)) {
        if (m_options.randomFaults) {
            m_faults = FaultPicker::random(m_options.faultShare,
                                           m_options.seed.value_or(std::random_device{}()));
        } else {
            m_faults = FaultPicker(m_options.fault);
        }
        if (!m_options.rigHost.empty()) {
            m_rig = std::make_unique<RigFollower>(m_options.rigHost, m_options.rigPort);
        }
    }

    MeterValues currentValues() {
        double frequencyMHz = m_options.frequencyMHz;
        if (m_rig) {
            const std::optional<RigState> rig = m_rig->query();
            if (!rig || !rig->keyed) {
                return kNoRf;
            }
            frequencyMHz = rig->frequencyMHz;
        }
        const Impedance load = m_options.antenna
                                   ? dipoleImpedance(frequencyMHz)
                                   : impedanceFromPolar(m_options.zOhms, m_options.phaseDegrees);
        const LoadReading reading = readingOf(load);
        return {m_options.powerWatts, reading.zOhms, reading.phaseDegrees, reading.swr};
    }

    // Takes bytes from the program; queues an answer for every ";P?" among them,
    // also one cut across two reads.
    void receive(std::string_view bytes) {
        m_received += bytes;
        for (std::size_t at = m_received.find(kMeterQuery); at != std::string::npos;
             at = m_received.find(kMeterQuery)) {
            m_received.erase(0, at + kMeterQuery.size());
            queueAnswer();
        }
        const std::size_t keep = kMeterQuery.size() - 1;
        if (m_received.size() > keep) {
            m_received.erase(0, m_received.size() - keep);
        }
    }

    // Writes what is due; returns how long until the next queued answer is.
    std::optional<Clock::duration> writeDue(int fd) {
        while (!m_queue.empty()) {
            QueuedBytes& front = m_queue.front();
            const auto now = Clock::now();
            if (front.due > now) {
                return front.due - now;
            }
            const ssize_t written = ::write(fd, front.bytes.data(), front.bytes.size());
            if (written < 0) {
                return errno == EAGAIN ? std::optional<Clock::duration>(Clock::duration::zero())
                                       : std::nullopt;
            }
            m_queuedBytes -= static_cast<std::size_t>(written);
            front.bytes.erase(0, static_cast<std::size_t>(written));
            if (!front.bytes.empty()) {
                return Clock::duration::zero();  // the pty is full: wait for POLLOUT
            }
            m_queue.pop_front();
        }
        return std::nullopt;
    }

private:
    void queueAnswer() {
        const auto now = Clock::now();
        for (TimedBytes& part : answerFor(m_faults.next(), currentValues())) {
            if (m_queuedBytes + part.bytes.size() > kMaxQueuedBytes) {
                return;
            }
            m_queuedBytes += part.bytes.size();
            QueuedBytes queued{now + part.delay, std::move(part.bytes)};
            auto later = m_queue.begin();
            while (later != m_queue.end() && later->due <= queued.due) {
                ++later;
            }
            m_queue.insert(later, std::move(queued));
        }
    }

    SimOptions m_options;
    FaultPicker m_faults;
    std::unique_ptr<RigFollower> m_rig;
    std::string m_received;
    std::list<QueuedBytes> m_queue;
    std::size_t m_queuedBytes = 0;
};

int run(const SimOptions& options) {
    // Before the banner: whoever reads it may stop us at once.
    installStopHandlers();
    PseudoTerminal pty;
    const PtyLink link(options.linkPath, pty.slavePath());
    std::cout << "zm480-sim: meter on " << link.description() << std::endl;

    MeterSimulator meter(options);
    char buffer[4096];
    while (!stopRequested()) {
        const auto untilDue = meter.writeDue(pty.masterFd());
        const bool waitingToWrite = untilDue && *untilDue == Clock::duration::zero();
        const auto wait = untilDue && !waitingToWrite
                              ? std::chrono::ceil<std::chrono::milliseconds>(*untilDue)
                              : kIdlePoll;
        pollfd entry{pty.masterFd(), static_cast<short>(POLLIN | (waitingToWrite ? POLLOUT : 0)),
                     0};
        if (::poll(&entry, 1, static_cast<int>(std::min(wait, kIdlePoll).count())) <= 0) {
            continue;
        }
        if ((entry.revents & POLLIN) != 0) {
            const ssize_t count = ::read(pty.masterFd(), buffer, sizeof buffer);
            if (count > 0) {
                meter.receive(std::string_view(buffer, static_cast<std::size_t>(count)));
            }
        }
    }
    return 0;
}

}  // namespace
}  // namespace zm::sim

int main(int argc, char** argv) {
    return zm::sim::simulatorMain("zm480-sim", argc, argv, zm::sim::parseSimOptions,
                                  zm::sim::simHelpText(), zm::sim::run);
}
