// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <deque>
#include <optional>

#include "process/guard_program.h"
#include "station/rigctld_runner.h"

namespace zm {

// rigctld run by zm480-ptt-guard --run (guard/rigctld_supervisor.h), which outlives a window
// that dies only long enough to unkey the radio and stop rigctld. The window reads the guard's
// words as they come, from the event loop.
class ProcessRigctldRunner : public QObject, public RigctldRunner {
    Q_OBJECT

public:
    // How many of rigctld's lines are kept for messages.
    static constexpr std::size_t kLastWords = 6;
    // At the program's end: rigctld's 2 s between SIGINT and SIGKILL, and room to spare.
    static constexpr std::chrono::milliseconds kExitWait{3000};

    // guardProgram: the path of zm480-ptt-guard; rigctld: the program it runs, e.g. "rigctld".
    ProcessRigctldRunner(std::string guardProgram, std::string rigctld);
    ~ProcessRigctldRunner() override;

    void start(const std::vector<std::string>& arguments, std::uint16_t port) override;
    void stop() override;
    bool running() const override { return m_child.has_value() || m_pending.has_value(); }
    State state() const override { return m_state; }
    void onStateChange(std::function<void()> changed) override { m_changed = std::move(changed); }
    void recheck() override;
    bool confirmed() const override { return m_confirmed; }
    void setSweeping(bool sweeping) override;
    std::string problem() const override { return m_problem; }
    std::vector<std::string> lastWords() const override;
    int endings() override;
    std::string lastEnd() const override { return m_lastEnd; }

private:
    struct Start {
        std::vector<std::string> arguments;
        std::uint16_t port = 0;
    };

    void launch(const Start& start);
    void readGuard();
    void hear(const std::string& line);
    void reapEnding();
    void closeGuard();
    void enter(State state);
    void say(std::string_view word);  // a word to the guard

    std::string m_guardProgram;
    std::string m_rigctld;
    std::optional<GuardChild> m_child;
    QSocketNotifier* m_notifier = nullptr;  // a child of this runner
    std::string m_received;
    std::optional<Start> m_pending;  // waits for the guard before it to end
    std::vector<pid_t> m_ending;
    QTimer m_reapTimer;
    State m_state = State::Stopped;
    std::function<void()> m_changed;
    bool m_confirmed = false;
    bool m_sweeping = false;
    std::string m_problem;
    std::deque<std::string> m_lastWords;
    int m_endings = 0;
    std::string m_lastEnd;
};

}  // namespace zm
