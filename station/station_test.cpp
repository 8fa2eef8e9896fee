// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/station_test.h"

#include <QHostAddress>
#include <cstdlib>

#include "station/radio_answer.h"
#include "sweep/rigctld_protocol.h"

namespace zm {

namespace {

constexpr std::chrono::milliseconds kPollInterval{100};

}  // namespace

StationTest::StationTest(RigctldRunner* runner, std::uint16_t port, std::vector<RigModel> models,
                         std::function<void(std::string)> done)
    : m_runner(runner), m_port(port), m_models(std::move(models)), m_done(std::move(done)) {
    m_poll.setInterval(kPollInterval);
    connect(&m_poll, &QTimer::timeout, this, &StationTest::waitForRigctld);
    connect(&m_socket, &QTcpSocket::readyRead, this, &StationTest::readAnswer);
    connect(&m_socket, &QTcpSocket::connected, this, [this] { ask(Step::Frequency); });
    connect(&m_socket, &QTcpSocket::errorOccurred, this, [this] {
        fail(m_step == Step::Connecting
                 ? "No rig-control server answers at 127.0.0.1:" + std::to_string(m_port) +
                       (m_runner ? ""
                                 : ": start rigctld for your radio, or let the program "
                                   "start it (Start rigctld for this radio)")
                 : "rigctld closed the connection: " + m_socket.errorString().toStdString());
    });
}

void StationTest::start() {
    m_endingsAtStart = m_runner ? m_runner->endings() : 0;
    m_elapsed.start();
    m_poll.start();
    waitForRigctld();
}

// Polls how the program's rigctld stands, and past kRadioTimeout gives up on the radio.
void StationTest::waitForRigctld() {
    if (m_step == Step::Done) {
        return;
    }
    if (m_elapsed.elapsed() >= kRadioTimeout.count()) {
        fail(std::string(kRadioSilent));
    } else if (m_step != Step::WaitForRigctld) {
        return;
    } else if (const std::string trouble = m_runner ? m_runner->trouble(m_endingsAtStart) : "";
               !trouble.empty()) {
        finish(trouble);
    } else if (m_runner && !m_runner->answering()) {
        m_waited = true;
    } else if (m_waited && !m_answeringSince.isValid()) {
        m_answeringSince.start();
    } else if (!m_waited || m_answeringSince.elapsed() >= kOpeningCacheTime.count()) {
        m_step = Step::Connecting;
        m_socket.connectToHost(QHostAddress::LocalHost, m_port);
    }
}

void StationTest::ask(Step step) {
    m_step = step;
    m_received.clear();
    const std::string_view request = step == Step::Frequency ? kTestFrequencyRequest
                                     : step == Step::Mode    ? kTestModeRequest
                                                             : kTestModelRequest;
    m_socket.write(request.data(), static_cast<qint64>(request.size()));
}

void StationTest::readAnswer() {
    if (m_step == Step::Done) {
        return;
    }
    m_received += m_socket.readAll().toStdString();
    if (m_step == Step::Model) {
        const int model = dumpStateModel(m_received);
        if (model != 0) {
            const RigModel* known = findRigModel(m_models, model);
            const std::string name =
                known ? known->name : "Radio model " + std::to_string(std::max(model, 0));
            finish(radioAnswerText(name, m_frequencyHz, m_mode));
        }
        return;
    }
    const bool askingFrequency = m_step == Step::Frequency;
    const RigctldAnswer answer =
        parseRigctldAnswer(m_received, askingFrequency ? "get_freq" : "get_mode");
    if (answer.state == RigctldAnswer::State::Incomplete) {
        return;
    }
    if (answer.state == RigctldAnswer::State::Malformed || answer.status != kRigOk) {
        fail(std::string(kRadioSilent) + " (rigctld answered " +
             (answer.state == RigctldAnswer::State::Malformed
                  ? std::string("in a form of its own")
                  : "RPRT " + std::to_string(answer.status) + ", " +
                        hamlibErrorText(answer.status)) +
             ")");
        return;
    }
    if (askingFrequency) {
        const auto value = rigctldAnswerValue(m_received, "Frequency").value_or("0");
        m_frequencyHz = static_cast<std::int64_t>(std::strtod(std::string(value).c_str(), nullptr));
        ask(Step::Mode);
    } else {
        m_mode = std::string(rigctldAnswerValue(m_received, "Mode").value_or("?"));
        ask(Step::Model);
    }
}

void StationTest::finish(std::string text) {
    if (m_step == Step::Done) {
        return;
    }
    m_step = Step::Done;
    m_poll.stop();
    m_socket.abort();
    m_done(std::move(text));
}

void StationTest::fail(std::string reason) {
    if (m_step == Step::Done) {
        return;
    }
    finish(withLastWords(std::move(reason),
                         m_runner ? m_runner->lastWords() : std::vector<std::string>{}));
}

}  // namespace zm
