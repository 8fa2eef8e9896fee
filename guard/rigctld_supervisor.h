// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <signal.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "guard/guard_command_line.h"
#include "guard/rigctld_child.h"
#include "guard/rigctld_probe.h"
#include "guard/rigctld_unkeyer.h"
#include "guard/station_facts.h"

namespace zm {

// The guard's second mode: it runs the station's rigctld for the window, from the window's
// opening to its end (the words are those of station/rigctld_supervisor_words.h).
//
// Before each start it checks the radio's device and rigctld's port. It restarts a rigctld
// that ended after 1, 2, 4 ... 30 s, passes on every line rigctld writes to stderr, and says
// when rigctld answers. When the window says "end", rigctld gets SIGINT and, after 2 s,
// SIGKILL. When the window's end closes without "end" (it died, perhaps with the transmitter
// keyed) or on SIGTERM, the guard first unkeys through rigctld (rigctld ending does not unkey
// the radio) and leaves the sweep's own guard a second to do the same. The guard then exits;
// rigctld never outlives it.
//
// rig: where rigctld listens; command: rigctld and its arguments (-m MODEL ... -t PORT).
// Returns the guard's exit status.
int superviseRigctld(const RigEndpoint& rig, const std::vector<std::string>& command,
                     const sigset_t& waitMask, volatile const sig_atomic_t& terminated);

// The loop of superviseRigctld: one rigctld at a time, the window's words, the radio's device.
class RigctldSupervisor {
public:
    RigctldSupervisor(const RigEndpoint& rig, const std::vector<std::string>& command);

    int run(const sigset_t& waitMask, volatile const sig_atomic_t& terminated);

private:
    static constexpr auto kFirstRestartDelay = std::chrono::seconds{1};
    static constexpr auto kLongestRestartDelay = std::chrono::seconds{30};
    // A rigctld that ran this long without trouble starts the back-off afresh.
    static constexpr auto kSteadyRun = std::chrono::seconds{60};
    // How often a starting rigctld is asked whether it answers.
    static constexpr auto kListenProbeInterval = std::chrono::milliseconds{25};
    // How often a rigctld that someone else runs for the same radio is looked for.
    static constexpr auto kSharedRecheck = std::chrono::seconds{10};
    static constexpr auto kStopGrace = std::chrono::seconds{2};
    // A rigctld that hangs, or whose device went, closes nothing when asked: it is not waited
    // for as long.
    static constexpr auto kStuckStopGrace = std::chrono::milliseconds{500};
    // After its own unkey, how long rigctld is kept for the sweep's guard, which sees the window
    // die at the same moment and unkeys through this rigctld too (within some 50 ms).
    static constexpr auto kUnkeyLinger = std::chrono::seconds{1};
    // How often the radio's device is looked at: a stat(), nothing that touches the radio.
    static constexpr auto kDeviceWatchInterval = std::chrono::milliseconds{200};
    // A rigctld whose device went away is asked to unkey no longer than this before it is stopped:
    // what it sends cannot reach the radio, and Hamlib 4.5.4 hangs on it.
    static constexpr auto kUnkeyWithoutDevice = std::chrono::seconds{1};
    // How often a listening rigctld is asked whether it still answers. Hamlib answers from
    // what it last read for 500 ms, so a question a second apart reaches the radio.
    static constexpr auto kAnswerProbeInterval = std::chrono::seconds{1};
    // The watch's own deadline for the radio's answer: once a question has waited this long
    // (and rigctld still runs) the radio is said to be silent. A backend tries a silent radio
    // for long before rigctld answers (Hamlib 4.5.4's FT-817 backend six times 3 s, 25 s when
    // it opens the radio again first), and meanwhile rigctld answers no client at all, not
    // even \chk_vfo: the backend is not waited for.
    static constexpr auto kRadioSilentAfter = std::chrono::milliseconds{1500};
    // A question unanswered this long, and every kLongestSilence after it, has rigctld looked
    // at: one that takes no connection is stuck (stopped, or hung outside its backend) and is
    // started again; one that takes it waits for its radio, and is left to it.
    static constexpr auto kLongestSilence = std::chrono::seconds{5};
    // Longer than any backend tries a silent radio: rigctld is taken for stuck all the same.
    static constexpr auto kLongestRadioSilence = std::chrono::seconds{90};
    // How long rigctld is given to take a connection: one that runs takes it within
    // milliseconds, also while its backend waits for the radio.
    static constexpr auto kTakeTime = std::chrono::milliseconds{500};
    // rigctld opens the radio again after a question it could not answer, and Hamlib 4.5.4
    // then answers the next one from what it held before, for its 500 ms, also while the
    // radio is still switched off (measured on the emulated FT-817): only an answer that
    // follows an answer counts, and the second is asked once that time has passed.
    static constexpr auto kHamlibCacheTime = std::chrono::milliseconds{600};
    // A question whose connection broke is asked again after this.
    static constexpr auto kProbeRetry = std::chrono::milliseconds{100};

    enum class Phase { Waiting, Absent, Starting, Listening, Shared };
    using Clock = GuardClock;

    void tell(std::string_view word, const std::string& text = {});
    void readWindow();
    void startOrCheck();
    void waitForDevice();
    void scheduleRestart();
    void probeListening();
    void probeAnswering();
    void awaitAnswer();
    void lookAtSilence();
    void heardAnswer(RigctldProbe::Answer answer);
    void sayListening();
    void radioSilent();
    void checkDevice();
    void stopChild(const std::string& how);
    void childEnded(const std::string& how);
    void onTimer();
    int finish(bool unkeyFirst);
    Clock::time_point nextTimer() const;

    const RigEndpoint& m_rig;
    const std::vector<std::string>& m_command;
    std::string m_device;  // the radio's serial device, when rigctld's -r names one
    std::optional<DeviceNode> m_deviceNode;  // the node the running rigctld opened
    RigctldChild m_child;
    RigctldUnkeyer m_unkeyer;
    RigctldProbe m_probe;
    Phase m_phase = Phase::Waiting;
    Clock::time_point m_due = Clock::now();  // the next start, probe, recheck or device look
    Clock::time_point m_deviceDue = Clock::time_point::max();
    Clock::time_point m_listeningSince;
    std::chrono::seconds m_restartDelay = kFirstRestartDelay;
    bool m_restarted = false;            // an earlier rigctld ended: the radio may be left keyed
    bool m_checkAsked = false;           // the window waits to hear that rigctld answers
    bool m_sweeping = false;             // the window sweeps: the radio is asked nothing more
    bool m_listeningTold = false;        // said once the radio has answered, or is silent
    bool m_radioSilent = false;          // said to the window
    bool m_radioAnsweredBefore = false;  // the last question to the radio was answered
    RigctldProbe::Question m_nextQuestion = RigctldProbe::Question::Radio;  // after that
    bool m_windowGone = false;
    bool m_endAsked = false;
    std::string m_windowLine;
};

}  // namespace zm
