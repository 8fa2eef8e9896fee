// SPDX-License-Identifier: GPL-3.0-or-later
// zm480-sim: a ZM-480 on a pseudo-terminal, for running and testing the program
// without the meter. See simHelpText() for the options.

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <list>
#include <memory>
#include <optional>

#include "meter/meter_record.h"
#include "sim/antenna_choice.h"
#include "sim/antenna_model.h"
#include "sim/fault_picker.h"
#include "sim/meter_answer.h"
#include "sim/pseudo_terminal.h"
#include "sim/rig_follower.h"
#include "sim/settling_model.h"
#include "sim/sim_feedline.h"
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
// How often the rig is asked whether it is keyed, so that the settling runs from key-down
// (give or take this), also when the first query comes a second after it. "+t" costs
// Hamlib's dummy rig about 0.1 ms.
constexpr std::chrono::milliseconds kKeyWatch{20};

struct QueuedBytes {
    Clock::time_point due;
    std::string bytes;
};

class MeterSimulator {
public:
    MeterSimulator(SimOptions options, LoadModel load, std::uint32_t seed)
        : m_options(std::move(options)),
          m_load(std::move(load)),
          m_noise(m_options.settling.noise, seed ^ kNoiseSeedMix) {
        if (m_options.randomFaults) {
            m_faults = FaultPicker::random(m_options.faultShare, seed);
        } else {
            m_faults = FaultPicker(m_options.fault);
        }
        if (!m_options.rigHost.empty()) {
            m_rig = std::make_unique<RigFollower>(m_options.rigHost, m_options.rigPort);
        }
        if (!m_options.feedline.empty()) {
            m_feedline = simFeedline(m_options.feedline,
                                     std::filesystem::read_symlink("/proc/self/exe").parent_path());
        }
    }

    // What the meter shows for a query that came in at `queried`.
    MeterValues currentValues(Clock::time_point queried) {
        double frequencyMHz = m_options.frequencyMHz;
        double settled = 1.0;  // without a rig the carrier has always been on
        if (m_rig) {
            const std::optional<RigState> rig = m_rig->query();
            noteKeyed(rig && rig->keyed, queried);
            if (!rig || !rig->keyed) {
                return kNoRf;
            }
            frequencyMHz = rig->frequencyMHz;
            settled = settledPart(queried - *m_keyedSince, m_options.settling);
        }
        const double power = m_options.powerAt(frequencyMHz);
        if (power <= 0.0) {
            return kNoRf;
        }
        Impedance load = m_load(m_options.antennaMHz(frequencyMHz, queried - m_started));
        if (m_feedline) {
            load = throughFeedline(load, *m_feedline, frequencyMHz);
        }
        const LoadReading reading = readingOf(load);
        return m_noise.addedTo(
            partOf({power, reading.zOhms, reading.phaseDegrees, reading.swr}, settled));
    }

    // Asks the rig whether it is keyed, when that is due; returns how long until the next.
    std::optional<Clock::duration> watchKeying() {
        if (!m_rig || m_options.settling.instant()) {
            return std::nullopt;
        }
        const auto now = Clock::now();
        if (now >= m_nextWatch) {
            noteKeyed(m_rig->queryKeyed().value_or(false), now);
            m_nextWatch = now + kKeyWatch;
        }
        return m_nextWatch - now;
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
    static constexpr std::uint32_t kNoiseSeedMix = 0x9e3779b9;  // not the faults' sequence

    void noteKeyed(bool keyed, Clock::time_point at) {
        if (!keyed) {
            m_keyedSince.reset();
        } else if (!m_keyedSince) {
            m_keyedSince = at;
        }
    }

    void queueAnswer() {
        const auto now = Clock::now();
        for (TimedBytes& part : answerFor(m_faults.next(), currentValues(now))) {
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
    LoadModel m_load;
    FaultPicker m_faults;
    MeterNoise m_noise;
    std::unique_ptr<RigFollower> m_rig;
    std::optional<Clock::time_point> m_keyedSince;
    Clock::time_point m_nextWatch;
    std::optional<Feedline> m_feedline;
    std::string m_received;
    std::list<QueuedBytes> m_queue;
    std::size_t m_queuedBytes = 0;
    Clock::time_point m_started = Clock::now();  // from when --drift moves the antenna
};

// The antenna, or the fixed load.
LoadModel loadOf(const SimOptions& options) {
    if (options.antenna) {
        return antennaFor(*options.antenna);
    }
    const Impedance fixed = impedanceFromPolar(options.zOhms, options.phaseDegrees);
    return [fixed](double) { return fixed; };
}

int run(const SimOptions& options) {
    // Before the banner: whoever reads it may stop us at once.
    installStopHandlers();
    // Before the pty: a Touchstone antenna or a feedline that cannot be had ends the run
    // without one.
    MeterSimulator meter(options, loadOf(options), options.seed.value_or(std::random_device{}()));
    PseudoTerminal pty;
    const PtyLink link(options.linkPath, pty.slavePath());
    std::cout << "zm480-sim: meter on " << link.description() << std::endl;

    char buffer[4096];
    while (!stopRequested()) {
        const auto untilWatch = meter.watchKeying();
        const auto untilDue = meter.writeDue(pty.masterFd());
        const bool waitingToWrite = untilDue && *untilDue == Clock::duration::zero();
        auto wait = untilDue && !waitingToWrite
                        ? std::chrono::ceil<std::chrono::milliseconds>(*untilDue)
                        : kIdlePoll;
        if (untilWatch) {
            wait = std::min(wait, std::chrono::ceil<std::chrono::milliseconds>(*untilWatch));
        }
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
