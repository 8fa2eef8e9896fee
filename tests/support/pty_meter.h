// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <termios.h>

#include <atomic>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>

#include "sim/pseudo_terminal.h"

namespace zm::test {

// A meter on a real pseudo-terminal for serial-port tests: a temporary config folder
// whose ports/comN links to the pty's slave, and a thread on the master that answers
// every ";P?" with a chosen reply and keeps what the program sent.
class PtyMeter {
public:
    explicit PtyMeter(int portNumber = 1);
    ~PtyMeter();
    PtyMeter(const PtyMeter&) = delete;
    PtyMeter& operator=(const PtyMeter&) = delete;

    // The folder that would hold config.ini; its ports/comN is the pty.
    std::string configDir() const { return m_configDir.string(); }
    const std::string& devicePath() const { return m_pty.slavePath(); }

    // What each query gets back; empty: no answer. Starts the answering thread.
    void answerWith(std::string reply);
    // Writes straight into the line, as a meter talking out of turn; blocks while the
    // line is full, until unplug().
    void send(std::string_view bytes);

    // Blocks until the program has sent `count` bytes (or 10 s pass) and returns all
    // it has sent so far.
    std::string waitForSent(std::size_t count);
    // Blocks until the slave side holds `count` unread bytes (or 10 s pass): a master
    // write reaches the slave through a kernel work queue, not at once.
    bool waitUntilPortHolds(std::size_t count) const;
    int pendingOnPort() const { return m_pty.pendingOnSlave(); }
    // The line settings the program gave the port (a pty keeps them, though it has no line).
    termios lineSettings() const;

    // A meter talking without pause: a thread of its own writes `bytes` into the line
    // while the program reads. endFlood() stops it (what is in the line stays there) and
    // returns how many bytes went in.
    void startFlood(std::string bytes);
    std::size_t endFlood();

    // The device going away: the answering thread stops, the master is closed and the link
    // removed.
    void unplug();

private:
    void answerLoop();
    void stopAnswering();

    std::filesystem::path m_configDir;
    std::filesystem::path m_link;
    sim::PseudoTerminal m_pty;
    std::mutex m_mutex;
    std::string m_reply;
    std::string m_sent;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
    std::atomic<bool> m_floodStop{false};
    std::atomic<std::size_t> m_floodWritten{0};
    std::thread m_floodThread;
};

}  // namespace zm::test
