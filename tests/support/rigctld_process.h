// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <sys/types.h>

#include <QProcess>
#include <QTcpSocket>
#include <string>
#include <vector>

namespace zm::test {

// A real rigctld on a free loopback port, for one test, with Hamlib's dummy rig:
//   rigctld -m 1 -P RIG -T 127.0.0.1 -t <port> [-o]
// or a real backend on an emulated radio (build/zm480-cat-sim, tests/support/cat_sim_process.h):
//   rigctld -m 1020 -r /dev/pts/5 -s 38400 -P RIG -T 127.0.0.1 -t <port>
// The dummy answers like a radio (state shared by every client) without hardware. The
// process dies with the test: in the destructor, on kill(), or with the test process itself.
class RigctldProcess {
public:
    struct Options {
        bool vfoMode = false;  // -o: every command names its VFO
        bool rigPtt = true;    // -P RIG; without it the dummy refuses "T 1"
        quint16 port = 0;      // 0: a free one; else this one, e.g. to restart on it
        int model = 1;         // -m: 1 the dummy rig, 1020 the FT-817
        std::string device{};  // -r: the radio's CAT port; empty for the dummy
        int baud = 0;          // -s; 0: the backend's own
    };

    // The rigctld on the PATH, or empty when Hamlib's utilities are not installed.
    static std::string executable();

    RigctldProcess() = default;
    RigctldProcess(const RigctldProcess&) = delete;
    RigctldProcess& operator=(const RigctldProcess&) = delete;
    ~RigctldProcess();

    // Starts rigctld and waits, bounded, until it accepts connections. False with the reason.
    bool start(const Options& options, std::string& whyNot);

    quint16 port() const { return m_port; }

    // Kills rigctld at once, as a crash would; its clients see the connection close.
    void kill();

private:
    bool startOnce(const Options& options, std::string& whyNot);
    bool waitUntilListening(std::string& whyNot);

    QProcess m_process;
    quint16 m_port = 0;
    // The connection that found rigctld listening stays open while it runs: rigctld 4.5
    // closes a departing client's socket three times, and a test's own connection, handed
    // the same descriptor in that instant, would be shut by the later closes.
    QTcpSocket m_probe;
};

// The rigctld processes listening at this port by their command line (-t PORT), whoever
// their parent is now.
std::vector<pid_t> rigctldsOnPort(quint16 port);

// A TCP port on 127.0.0.1 that nothing listens on now; 0 when none could be found.
quint16 freeLoopbackPort();

// One extended request over a connection of its own, as another program would send it:
// exchange(port, vfo, "f", "") -> "get_freq:\nFrequency: 14050000\nRPRT 0\n".
std::string exchange(quint16 port, bool vfoMode, const std::string& command,
                     const std::string& arguments);

// One value of the dummy rig as another program sees it, over a connection of its own:
// readBack(port, vfoMode, "f", "Frequency") -> "14050000", readBack(port, vfoMode, "u XIT", "")
// -> "0"; "<what came>" when it is missing.
std::string readBack(quint16 port, bool vfoMode, const std::string& command,
                     const std::string& key);

}  // namespace zm::test
