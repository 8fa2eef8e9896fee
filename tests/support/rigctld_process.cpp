// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/support/rigctld_process.h"

#include <sys/prctl.h>

#include <QDeadlineTimer>
#include <QHostAddress>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace zm::test {

namespace {

// rigctld -m 1 listens within some 10 ms, -m 1020 on the emulated FT-817 within some
// 150 ms (it reads the radio first); a loaded CI machine gets far more room.
constexpr std::chrono::milliseconds kStartTimeout{10000};
constexpr std::chrono::milliseconds kProbeTimeout{200};
constexpr std::chrono::milliseconds kProbeInterval{20};
constexpr std::chrono::milliseconds kExitTimeout{5000};
// Another program may take the free port between our asking and rigctld binding it.
constexpr int kPortAttempts = 3;

}  // namespace

quint16 freeLoopbackPort() {
    QTcpServer server;
    if (!server.listen(QHostAddress::LocalHost, 0)) {
        return 0;
    }
    return server.serverPort();
}

std::string RigctldProcess::executable() {
    return QStandardPaths::findExecutable(QStringLiteral("rigctld")).toStdString();
}

RigctldProcess::~RigctldProcess() {
    kill();
}

bool RigctldProcess::start(const Options& options, std::string& whyNot) {
    for (int attempt = 1; attempt <= kPortAttempts; ++attempt) {
        if (startOnce(options, whyNot)) {
            return true;
        }
        kill();
    }
    return false;
}

bool RigctldProcess::startOnce(const Options& options, std::string& whyNot) {
    const std::string program = executable();
    if (program.empty()) {
        whyNot = "rigctld is not on the PATH (Debian package libhamlib-utils)";
        return false;
    }
    m_port = options.port != 0 ? options.port : freeLoopbackPort();
    if (m_port == 0) {
        whyNot = "no free loopback port";
        return false;
    }
    QStringList arguments{"-m", QString::number(options.model), "-T", "127.0.0.1",
                          "-t", QString::number(m_port)};
    if (!options.device.empty()) {
        arguments << "-r" << QString::fromStdString(options.device);
    }
    if (options.baud != 0) {
        arguments << "-s" << QString::number(options.baud);
    }
    if (options.rigPtt) {
        arguments << "-P"
                  << "RIG";
    }
    if (options.vfoMode) {
        arguments << "-o";
    }
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.setStandardErrorFile(QProcess::nullDevice());
    // A test that crashes must not leave a rigctld behind.
    m_process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    m_process.start(QString::fromStdString(program), arguments);
    if (!m_process.waitForStarted(static_cast<int>(kStartTimeout.count()))) {
        whyNot = "rigctld did not start: " + m_process.errorString().toStdString();
        return false;
    }
    return waitUntilListening(whyNot);
}

bool RigctldProcess::waitUntilListening(std::string& whyNot) {
    const QDeadlineTimer deadline(kStartTimeout);
    while (!deadline.hasExpired()) {
        m_probe.abort();
        m_probe.connectToHost(QHostAddress::LocalHost, m_port);
        if (m_probe.waitForConnected(static_cast<int>(kProbeTimeout.count()))) {
            return true;
        }
        // Doubles as the pause between probes; true only when rigctld has already exited.
        if (m_process.waitForFinished(static_cast<int>(kProbeInterval.count())) ||
            m_process.state() == QProcess::NotRunning) {
            whyNot = "rigctld exited with code " + std::to_string(m_process.exitCode()) +
                     " before listening on port " + std::to_string(m_port);
            return false;
        }
    }
    whyNot = "rigctld did not listen on port " + std::to_string(m_port) + " within " +
             std::to_string(kStartTimeout.count()) + " ms";
    return false;
}

void RigctldProcess::kill() {
    m_probe.abort();
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(static_cast<int>(kExitTimeout.count()));
    }
}

// One extended request over a connection of its own, as another program would send it:
// exchange(port, vfo, "f", "") -> "get_freq:\nFrequency: 14050000\nRPRT 0\n".
static std::string exchangeOnce(quint16 port, bool vfoMode, const std::string& command,
                                const std::string& arguments) {
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!socket.waitForConnected(2000)) {
        return "<no connection>";
    }
    const std::string request = "+" + command + (vfoMode ? " currVFO" : "") +
                                (arguments.empty() ? "" : " " + arguments) + "\n";
    socket.write(request.c_str());
    std::string received;
    while (received.find("RPRT") == std::string::npos && socket.waitForReadyRead(2000)) {
        received += socket.readAll().toStdString();
    }
    return received;
}

// rigctld now and then drops a connection opened right after another closed; the client
// tries again for the same reason.
std::string exchange(quint16 port, bool vfoMode, const std::string& command,
                     const std::string& arguments) {
    std::string received;
    for (int attempt = 0; attempt < 3 && received.empty(); ++attempt) {
        received = exchangeOnce(port, vfoMode, command, arguments);
    }
    return received;
}

// One value of the dummy rig, e.g. readBack(port, vfo, "f", "Frequency") -> "14050000".
// A question with an argument is one text ("u XIT"); an empty key takes the bare value line
// that get_func answers ("get_func: XIT\n1\nRPRT 0\n" -> "1").
std::string readBack(quint16 port, bool vfoMode, const std::string& question,
                     const std::string& key) {
    const auto space = question.find(' ');
    const std::string received =
        exchange(port, vfoMode, question.substr(0, space),
                 space == std::string::npos ? std::string() : question.substr(space + 1));
    const auto status = received.rfind("\nRPRT");
    if (key.empty() && status != std::string::npos) {
        const auto start = received.rfind('\n', status - 1) + 1;
        return received.substr(start, status - start);
    }
    const auto at = received.find(key + ": ");
    if (at == std::string::npos) {
        return "<" + received + ">";
    }
    const auto start = at + key.size() + 2;
    return received.substr(start, received.find('\n', start) - start);
}

// A process may end while it is read: the stream operator takes that read error as an empty
// file, where a streambuf iterator would throw.
std::vector<pid_t> rigctldsOnPort(quint16 port) {
    std::vector<pid_t> found;
    const std::string wanted = std::string("-t") + '\0' + std::to_string(port) + '\0';
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        std::ifstream file(entry.path() / "cmdline");
        std::ostringstream read;
        read << file.rdbuf();
        const std::string commandLine = read.str();
        std::ifstream stat(entry.path() / "stat");
        std::string pid, name, state;
        stat >> pid >> name >> state;
        if (name == "(rigctld)" && state != "Z" && commandLine.find(wanted) != std::string::npos) {
            found.push_back(std::atoi(pid.c_str()));
        }
    }
    return found;
}

}  // namespace zm::test
