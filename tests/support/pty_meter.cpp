// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/support/pty_meter.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <stdexcept>

#include "meter/meter_record.h"

namespace zm::test {
namespace {

constexpr std::chrono::seconds kPatience{10};
constexpr int kPollSliceMs = 10;

std::filesystem::path makeTempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zm-pty-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    return pattern;
}

// Writes all of `bytes` to the non-blocking master, waiting while the line is full,
// until `stop` is raised, adding what went in to `total` when one is given.
void writeAll(int fd, std::string_view bytes, const std::atomic<bool>& stop,
              std::atomic<std::size_t>* total = nullptr) {
    while (!bytes.empty() && !stop.load()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(written));
            if (total != nullptr) {
                *total += static_cast<std::size_t>(written);
            }
        } else if (written < 0 && errno != EAGAIN) {
            return;
        } else {
            pollfd entry{fd, POLLOUT, 0};
            ::poll(&entry, 1, kPollSliceMs);
        }
    }
}

}  // namespace

PtyMeter::PtyMeter(int portNumber)
    : m_configDir(makeTempDir()),
      m_link(m_configDir / "ports" / ("com" + std::to_string(portNumber))) {
    sim::replaceSymlink(m_link, m_pty.slavePath());
}

PtyMeter::~PtyMeter() {
    endFlood();
    stopAnswering();
    std::error_code ignored;
    std::filesystem::remove_all(m_configDir, ignored);
}

void PtyMeter::answerWith(std::string reply) {
    {
        const std::lock_guard lock(m_mutex);
        m_reply = std::move(reply);
    }
    if (!m_thread.joinable()) {
        m_thread = std::thread([this] { answerLoop(); });
    }
}

void PtyMeter::send(std::string_view bytes) {
    writeAll(m_pty.masterFd(), bytes, m_stop);
}

std::string PtyMeter::waitForSent(std::size_t count) {
    if (!m_thread.joinable()) {
        answerWith({});
    }
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (std::chrono::steady_clock::now() < deadline) {
        {
            const std::lock_guard lock(m_mutex);
            if (m_sent.size() >= count) {
                return m_sent;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollSliceMs));
    }
    const std::lock_guard lock(m_mutex);
    return m_sent;
}

bool PtyMeter::waitUntilPortHolds(std::size_t count) const {
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (static_cast<std::size_t>(m_pty.pendingOnSlave()) < count) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

termios PtyMeter::lineSettings() const {
    termios settings{};
    ::tcgetattr(m_pty.slaveFd(), &settings);
    return settings;
}

void PtyMeter::startFlood(std::string bytes) {
    endFlood();
    m_floodStop = false;
    m_floodWritten = 0;
    m_floodThread = std::thread([this, flood = std::move(bytes)] {
        writeAll(m_pty.masterFd(), flood, m_floodStop, &m_floodWritten);
    });
}

std::size_t PtyMeter::endFlood() {
    m_floodStop = true;
    if (m_floodThread.joinable()) {
        m_floodThread.join();
    }
    return m_floodWritten.load();
}

// Its name goes with it, as a USB adapter's by-id name does: the pty's number may be taken by
// another terminal at once.
void PtyMeter::unplug() {
    endFlood();
    stopAnswering();
    m_pty.closeMaster();
    std::error_code ignored;
    std::filesystem::remove(m_link, ignored);
}

void PtyMeter::answerLoop() {
    std::string pending;
    char buffer[4096];
    while (!m_stop.load()) {
        pollfd entry{m_pty.masterFd(), POLLIN, 0};
        if (::poll(&entry, 1, kPollSliceMs) <= 0 || (entry.revents & POLLIN) == 0) {
            continue;
        }
        const ssize_t count = ::read(m_pty.masterFd(), buffer, sizeof buffer);
        if (count <= 0) {
            continue;
        }
        const std::string_view received(buffer, static_cast<std::size_t>(count));
        std::string reply;
        {
            const std::lock_guard lock(m_mutex);
            m_sent += received;
            reply = m_reply;
        }
        pending += received;
        for (std::size_t at = pending.find(kMeterQuery); at != std::string::npos;
             at = pending.find(kMeterQuery)) {
            pending.erase(0, at + kMeterQuery.size());
            writeAll(m_pty.masterFd(), reply, m_stop);
        }
        if (pending.size() >= kMeterQuery.size()) {
            pending.erase(0, pending.size() - (kMeterQuery.size() - 1));
        }
    }
}

void PtyMeter::stopAnswering() {
    m_stop = true;
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

}  // namespace zm::test
