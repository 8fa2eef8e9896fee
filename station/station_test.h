// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTcpSocket>
#include <QTimer>
#include <functional>
#include <string>

#include "station/rig_model_list.h"
#include "station/rigctld_runner.h"

namespace zm {

// The Test of Setup, Station: waits for the station's rigctld to answer (when the program
// runs it), then asks the radio its frequency and mode without keying, and hands over one
// sentence: "IC-7300 answers: 14.074000 MHz, USB", or what failed and what to do, with
// rigctld's last words. Everything happens in the event loop; the window never waits.
class StationTest : public QObject {
    Q_OBJECT

public:
    // The whole Test, from the press to the answer: after this the radio is taken for silent.
    static constexpr std::chrono::milliseconds kRadioTimeout{10000};
    // How long a rigctld that has just begun to answer is left before the questions: for
    // 500 ms Hamlib answers from what it read as it opened the radio, and the FT-817 backend
    // read VFO B last (a radio on 14.0 MHz CW, VFO B on USB, is said to be on 14.0 MHz USB).
    static constexpr std::chrono::milliseconds kOpeningCacheTime{600};

    // runner: the program's rigctld, or null for one that the user starts; models: to name
    // the model that rigctld fronts.
    StationTest(RigctldRunner* runner, std::uint16_t port, std::vector<RigModel> models,
                std::function<void(std::string)> done);

    void start();

private:
    enum class Step { WaitForRigctld, Connecting, Frequency, Mode, Model, Done };

    void waitForRigctld();
    void ask(Step step);
    void readAnswer();
    void finish(std::string text);
    void fail(std::string reason);

    RigctldRunner* m_runner;
    std::uint16_t m_port;
    std::vector<RigModel> m_models;
    std::function<void(std::string)> m_done;
    Step m_step = Step::WaitForRigctld;
    QTimer m_poll;
    QElapsedTimer m_elapsed;
    QElapsedTimer m_answeringSince;  // runs once a rigctld that was waited for answers
    bool m_waited = false;           // the program's rigctld did not answer at first
    QTcpSocket m_socket;
    std::string m_received;
    int m_endingsAtStart = 0;
    std::int64_t m_frequencyHz = 0;
    std::string m_mode;
};

}  // namespace zm
