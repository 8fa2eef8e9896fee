// SPDX-License-Identifier: GPL-3.0-or-later

#include "sweep/rigctld_client.h"

#include <QHostAddress>
#include <algorithm>
#include <cctype>
#include <sstream>

#include "sweep/rigctld_connection.h"

namespace zm {

namespace {

// Hamlib's answers of a radio that has no such function: RIG_ENIMPL and RIG_ENAVAIL.
constexpr int kHamlibNotImplemented = -4;
constexpr int kHamlibNotAvailable = -11;
constexpr int kHamlibInvalidParameter = -1;

using Statuses = std::initializer_list<int>;
constexpr Statuses kFunctionAbsent{kHamlibNotImplemented, kHamlibNotAvailable};
constexpr Statuses kAbsentOrRefused{kHamlibNotImplemented, kHamlibRejected, kHamlibNotAvailable};
// Answers to a question that mean the radio cannot say: the FT-817 answers "u RIT" and
// "u XIT" with -1, others with -4, -11 or a refusal.
constexpr Statuses kCannotSay{kHamlibInvalidParameter, kHamlibNotImplemented, kHamlibRejected,
                              kHamlibNotAvailable};

bool isOneOf(int status, Statuses statuses) {
    return std::find(statuses.begin(), statuses.end(), status) != statuses.end();
}

std::string mhzText(double frequencyMHz) {
    std::ostringstream text;
    text.precision(10);
    text << frequencyMHz;
    return text.str();
}

// What rigctld answers to "T 1" when it has no PTT method for the radio: the dummy rig
// without -P RIG says RPRT -1.
bool pttMissing(int status) {
    return status == kHamlibInvalidParameter || isOneOf(status, kFunctionAbsent);
}

bool isHamlibStatus(int status) {
    return status < 0 && status > kRigRefusedArgument;
}

// What to do about a rigctld that the user runs and that gave no answer: the program cannot
// start it again. One that the program runs is its business.
std::string noLongerAnswersAdvice(bool runByProgram) {
    return runByProgram ? ""
                        : "; the rigctld that you run there no longer answers: end it and start "
                          "it again (rigctld does not open a radio that was switched off and on "
                          "again)";
}

// Why create() failed, with what to do about it.
std::string rigctldAdvice(int status, quint16 port, bool runByProgram) {
    if (status == kRigTimedOut || runByProgram) {
        return noLongerAnswersAdvice(runByProgram);
    }
    return "; start rigctld for your radio on port " + std::to_string(port) + " (see README)";
}

class RigctldTransceiver : public Transceiver {
public:
    RigctldTransceiver(std::shared_ptr<RigctldConnection> connection, bool runByProgram)
        : m_connection(std::move(connection)), m_runByProgram(runByProgram) {}

    int SetPTT(int transmit) override {
        if (transmit != 0 && transmit != 1) {
            return refuse("The transmitter can be keyed (1) or unkeyed (0), not set to " +
                          std::to_string(transmit));
        }
        if (transmit == 0 && m_connection->broken() && !m_connection->reopen()) {
            m_lastError = "Could not unkey the transmitter: " + m_connection->failure();
            return kRigConnectionLost;
        }
        return run(kRigSetPtt, transmit == 1 ? "1" : "0",
                   transmit == 1 ? "key the transmitter" : "unkey the transmitter");
    }

    // XIT moves the transmit frequency: after the switch-off, whatever the radio answered
    // to it, it is asked again, and a radio that still reports XIT on stops the sweep.
    int SetOptionA(int value) override {
        if (value != 0) {
            return refuse("XIT can only be switched off (0), not set to " + std::to_string(value));
        }
        const int status = m_connection->execute(kRigSetFunction, "XIT 0");
        if (status != kRigOk && status != kHamlibRejected) {
            return judge(status, kRigSetFunction, "switch XIT off", kFunctionAbsent);
        }
        std::string answer;
        const int readStatus = run(kRigGetFunction, "XIT", "read XIT", kCannotSay, &answer);
        return confirmOff(readStatus, rigctldAnswerBareValue(answer), "XIT",
                          "switch XIT (the transmit offset) off on the radio");
    }

    // RIT moves only the receive frequency, so a refused switch-off never changes where the
    // radio transmits; only a radio that cannot be reached stops the sweep here.
    int SetOptionB(int value) override {
        if (value != 0) {
            return refuse("RIT can only be switched off (0), not set to " + std::to_string(value));
        }
        return run(kRigSetFunction, "RIT 0", "switch RIT off", kAbsentOrRefused);
    }

    // A radio left in split transmits on its other VFO, at another frequency and mode. It is
    // asked first, so that a radio not in split stays exactly as it was: some backends
    // select VFO A to switch split off. After the switch-off, whether the radio did it,
    // refused it or cannot, it is asked again.
    int SetSplit(int split) override {
        if (split != 0) {
            return refuse("Split can only be switched off (0), not set to " +
                          std::to_string(split));
        }
        std::string answer;
        const int status =
            run(kRigGetSplit, "", "read the split setting", kFunctionAbsent, &answer);
        const auto splitNow = rigctldAnswerValue(answer, "Split");
        if (status != kRigOk || !splitNow || *splitNow == "0") {
            return status;  // a failure, a radio without split, or not in split
        }
        const int switched = m_connection->execute(kRigSetSplit, "0 VFOA");
        if (switched != kRigOk && !isOneOf(switched, kAbsentOrRefused)) {
            return judge(switched, kRigSetSplit, "switch split off", {});
        }
        answer.clear();
        const int readStatus = run(kRigGetSplit, "", "read the split setting", kCannotSay, &answer);
        return confirmOff(readStatus, rigctldAnswerValue(answer, "Split"), "split",
                          "switch split off on the radio, so that it transmits on the frequency "
                          "it receives");
    }

    int SetMode(int carrierMode) override {
        if (carrierMode == 0) {
            m_lastError.clear();
            return kRigOk;
        }
        const auto name = rigctldModeName(carrierMode);
        if (!name) {
            return refuse("Carrier mode " + std::to_string(carrierMode) +
                          " is unknown; the sweep uses 2 (CW), 4 (AM) or 9 (FSK)");
        }
        return run(kRigSetMode, std::string(*name) + " 0",
                   "select " + std::string(*name) + " mode");
    }

    int SetFrequency(double frequencyMHz) override {
        const auto hz = rigFrequencyHz(frequencyMHz);
        if (!hz) {
            return refuse("The radio cannot be tuned to " + mhzText(frequencyMHz) + " MHz");
        }
        return run(kRigSetFrequency, std::to_string(*hz),
                   "tune to " + mhzText(static_cast<double>(*hz) / 1e6) + " MHz");
    }

    // Asked before the first point; a radio that took too long to say leaves a connection out
    // of step, which is opened afresh for the sweep's commands.
    std::optional<int> antennaSocket() override {
        std::string answer;
        const int status = m_connection->execute(kRigGetAntenna, "0", &answer);
        if (m_connection->broken()) {
            m_connection->reopen();
        }
        return status == kRigOk ? rigctldAntennaSocket(answer) : std::nullopt;
    }

    std::string lastError() const override { return m_lastError; }

private:
    int refuse(std::string message) {
        m_lastError = std::move(message);
        return kRigRefusedArgument;
    }

    // The read-back after a switch-off: only a radio that says "1" stops the sweep; one that
    // cannot say (its answer was tolerated, without a value) does not.
    int confirmOff(int readStatus, std::optional<std::string_view> valueNow,
                   const std::string& function, const std::string& whatToDo) {
        if (readStatus != kRigOk || !valueNow || *valueNow != "1") {
            return readStatus;
        }
        m_lastError = "The radio still reports " + function +
                      " on after rigctld switched it off: " + whatToDo;
        return kRigStillOn;
    }

    // Sends the command; statuses in `tolerated` count as success.
    int run(const RigctldCommand& command, const std::string& arguments, const std::string& action,
            Statuses tolerated = {}, std::string* answer = nullptr) {
        return judge(m_connection->execute(command, arguments, answer), command, action, tolerated);
    }

    // 0 for success or a tolerated status; otherwise the status, with lastError() saying
    // what failed.
    int judge(int status, const RigctldCommand& command, const std::string& action,
              Statuses tolerated) {
        if (status == kRigOk || isOneOf(status, tolerated)) {
            m_lastError.clear();
            return kRigOk;
        }
        if (isHamlibStatus(status)) {
            m_lastError = "The radio could not " + action + ": rigctld answered RPRT " +
                          std::to_string(status) + " (" + hamlibErrorText(status) + ")";
            if (command.letter == kRigSetPtt.letter && pttMissing(status)) {
                m_lastError += m_runByProgram ? "; choose how the radio is keyed (its CAT "
                                                "command, DTR or RTS) in Setup, Station"
                                              : "; start rigctld with the radio's PTT type (-P "
                                                "RIG, see README)";
            }
        } else {
            m_lastError = "Could not " + action + ": " + m_connection->failure();
            if (status == kRigTimedOut) {
                m_lastError += noLongerAnswersAdvice(m_runByProgram);
            }
        }
        return status;
    }

    std::shared_ptr<RigctldConnection> m_connection;
    bool m_runByProgram;
    std::string m_lastError;
};

class RigctldServer : public RigServer {
public:
    RigctldServer(std::shared_ptr<RigctldConnection> connection, bool runByProgram)
        : m_connection(std::move(connection)), m_runByProgram(runByProgram) {}

    int GetTransceiver(std::shared_ptr<Transceiver>& transceiver) override {
        if (m_connection->broken()) {
            m_lastError = "The connection to rigctld at " + m_connection->endpoint() + " is closed";
            return kRigConnectionLost;
        }
        transceiver = std::make_shared<RigctldTransceiver>(m_connection, m_runByProgram);
        m_lastError.clear();
        return kRigOk;
    }

    std::string lastError() const override { return m_lastError; }

private:
    std::shared_ptr<RigctldConnection> m_connection;
    bool m_runByProgram;
    std::string m_lastError;
};

}  // namespace

RigctldServerFactory::RigctldServerFactory(QString host, quint16 port)
    : m_host(std::move(host)), m_port(port) {}

std::unique_ptr<RigServer> RigctldServerFactory::create(std::string& whyNot) {
    QHostAddress address;
    if (m_host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0) {
        address = QHostAddress(QHostAddress::LocalHost);
    } else if (!address.setAddress(m_host) || !address.isLoopback()) {
        whyNot = "The rig-control host \"" + m_host.toStdString() +
                 "\" is not this computer; ZM-480 Plot drives a rigctld on this computer only "
                 "(127.0.0.1)";
        return nullptr;
    }
    auto connection = std::make_shared<RigctldConnection>();
    if (const int status = connection->open(address, m_port); status != kRigOk) {
        // "No rig-control server answers at 127.0.0.1:4532; start rigctld ..."
        whyNot = connection->failure() + rigctldAdvice(status, m_port, m_runByProgram);
        whyNot.front() =
            static_cast<char>(std::toupper(static_cast<unsigned char>(whyNot.front())));
        return nullptr;
    }
    return std::make_unique<RigctldServer>(std::move(connection), m_runByProgram);
}

}  // namespace zm
