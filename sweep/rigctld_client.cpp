#include "sweep/rigctld_client.h"

#include <QHostAddress>
#include <sstream>

#include "sweep/rigctld_connection.h"

namespace zm {

namespace {

// Hamlib's answers of a radio that has no such function: RIG_ENIMPL and RIG_ENAVAIL.
constexpr int kHamlibNotImplemented = -4;
constexpr int kHamlibNotAvailable = -11;

std::string mhzText(double frequencyMHz) {
    std::ostringstream text;
    text.precision(10);
    text << frequencyMHz;
    return text.str();
}

// What rigctld answers to "T 1" when it has no PTT method for the radio: the dummy rig
// without -P RIG says RPRT -1.
bool pttMissing(int status) {
    return status == -1 || status == kHamlibNotImplemented || status == kHamlibNotAvailable;
}

bool isHamlibStatus(int status) {
    return status < 0 && status > kRigRefusedArgument;
}

class RigctldTransceiver : public Transceiver {
public:
    explicit RigctldTransceiver(std::shared_ptr<RigctldConnection> connection)
        : m_connection(std::move(connection)) {}

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

    int SetOptionA(int value) override { return switchOff(value, "XIT"); }
    int SetOptionB(int value) override { return switchOff(value, "RIT"); }

    // A radio left in split transmits on its other VFO, at another frequency and mode. It is
    // asked first, so that a radio not in split stays exactly as it was: some backends
    // select VFO A to switch split off.
    int SetSplit(int split) override {
        if (split != 0) {
            return refuse("Split can only be switched off (0), not set to " +
                          std::to_string(split));
        }
        std::string answer;
        const int status = run(kRigGetSplit, "", "read the split setting", true, &answer);
        const auto splitNow = rigctldAnswerValue(answer, "Split");
        if (status != kRigOk || !splitNow || *splitNow == "0") {
            return status;  // a failure, a radio without split, or not in split
        }
        return run(kRigSetSplit, "0 VFOA", "switch split off", true);
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

    std::string lastError() const override { return m_lastError; }

private:
    int switchOff(int value, const std::string& function) {
        if (value != 0) {
            return refuse(function + " can only be switched off (0), not set to " +
                          std::to_string(value));
        }
        return run(kRigSetFunction, function + " 0", "switch " + function + " off", true);
    }

    int refuse(std::string message) {
        m_lastError = std::move(message);
        return kRigRefusedArgument;
    }

    int run(const RigctldCommand& command, const std::string& arguments, const std::string& action,
            bool absentFunctionIsOk = false, std::string* answer = nullptr) {
        const int status = m_connection->execute(command, arguments, answer);
        if (status == kRigOk || (absentFunctionIsOk && (status == kHamlibNotImplemented ||
                                                        status == kHamlibNotAvailable))) {
            m_lastError.clear();
            return kRigOk;
        }
        if (isHamlibStatus(status)) {
            m_lastError = "The radio could not " + action + ": rigctld answered RPRT " +
                          std::to_string(status) + " (" + hamlibErrorText(status) + ")";
            if (command.letter == kRigSetPtt.letter && pttMissing(status)) {
                m_lastError += "; start rigctld with the radio's PTT type (-P RIG, see README)";
            }
        } else {
            m_lastError = "Could not " + action + ": " + m_connection->failure();
        }
        return status;
    }

    std::shared_ptr<RigctldConnection> m_connection;
    std::string m_lastError;
};

class RigctldServer : public RigServer {
public:
    explicit RigctldServer(std::shared_ptr<RigctldConnection> connection)
        : m_connection(std::move(connection)) {}

    int GetTransceiver(std::shared_ptr<Transceiver>& transceiver) override {
        if (m_connection->broken()) {
            m_lastError = "The connection to rigctld at " + m_connection->endpoint() + " is closed";
            return kRigConnectionLost;
        }
        transceiver = std::make_shared<RigctldTransceiver>(m_connection);
        m_lastError.clear();
        return kRigOk;
    }

    std::string lastError() const override { return m_lastError; }

private:
    std::shared_ptr<RigctldConnection> m_connection;
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
    if (!connection->open(address, m_port, whyNot)) {
        return nullptr;
    }
    return std::make_unique<RigctldServer>(std::move(connection));
}

}  // namespace zm
