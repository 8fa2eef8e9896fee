// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zm {

// How long a radio is given to answer through the program's rigctld: an IC-7300 answers
// rigctld's first questions within a second.
inline constexpr std::chrono::milliseconds kRadioAnswerTime{10000};

// The station's rigctld, run by the program for the radio of Setup, Station. Nothing here
// waits on rigctld: start and stop return at once, and the window asks how things stand.
class RigctldRunner {
public:
    virtual ~RigctldRunner() = default;

    // Runs rigctld with these arguments (its own, after its name) on 127.0.0.1:port, in place
    // of any that runs now; the old one has ended before the new one starts.
    virtual void start(const std::vector<std::string>& arguments, std::uint16_t port) = 0;
    // Stops it (SIGINT, SIGKILL after 2 s), without waiting.
    virtual void stop() = 0;

    // Started, and not stopped since.
    virtual bool running() const = 0;

    // How it stands, as the window shows it before Run is pressed.
    enum class State {
        Stopped,           // not started, or stopped
        WaitingForDevice,  // the radio's device is not there (switched off, cable out)
        Starting,          // started, or to be started again, and not answering yet
        Answering,         // rigctld answers on its port: the one started, or one that
                           // someone else runs there for the same radio
        RadioSilent,       // the rigctld started answers, the radio behind it does not
                           // (switched off, its CAT cable still plugged in)
        HeldUp,            // something stands in the way: problem() says what
    };
    virtual State state() const = 0;
    bool answering() const { return state() == State::Answering; }
    // Called whenever state() changes.
    virtual void onStateChange(std::function<void()> changed) = 0;
    // Asks whether rigctld answers now, rather than a second ago: confirmed() turns true once
    // it has answered since.
    virtual void recheck() = 0;
    virtual bool confirmed() const = 0;
    // While the window sweeps, rigctld is not asked the radio's frequency as it is between
    // sweeps: the sweep's own questions show whether the radio answers.
    virtual void setSweeping(bool sweeping) = 0;
    // Why the last start did not come about, for the user: the radio's device is missing or
    // held, the port is taken, rigctld is not installed. Empty when nothing stood in the way.
    virtual std::string problem() const = 0;
    // rigctld's last lines on stderr, oldest first, e.g.
    // "serial_open: Unable to open /dev/ttyUSB9 - No such file or directory".
    virtual std::vector<std::string> lastWords() const = 0;
    // Counts each end of a rigctld that was not asked to stop, with what it has heard up to
    // now: a sweep that sees it change stops, since the radio's server went away under it.
    virtual int endings() = 0;
    // How the last of them ended: "it was killed by signal 9 (Killed)".
    virtual std::string lastEnd() const = 0;

    // Why rigctld does not answer, for the user, since a start at which endings() was
    // endingsAtStart: what stood in its way, or that it ended (with its last words); empty
    // while nothing is known to be wrong.
    std::string trouble(int endingsAtStart);
};

}  // namespace zm
