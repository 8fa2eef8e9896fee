// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>

namespace zm {

// A name that one process of this computer holds at a time: an abstract Unix socket
// ("@zm480-plot/settings/..." in ss -xl), which the kernel lets go when its holder ends, however
// it ends, and which leaves no file behind. A process that finds the name taken learns the
// holder's process number, and its knock (the connection it made to learn it) reaches the
// holder, which may answer it: the first window comes to the front.
class ProgramLock {
public:
    // Knock: learn the holder through a connection, which the holder hears. Quietly: learn
    // it from /proc without a connection (0 when it belongs to another user), for a program
    // that must not bring a window to the front only to find out that it is there.
    enum class Look { Knock, Quietly };
    explicit ProgramLock(const std::string& name, Look look = Look::Knock);
    ~ProgramLock();
    ProgramLock(ProgramLock&& other) noexcept;
    ProgramLock& operator=(ProgramLock&&) = delete;
    ProgramLock(const ProgramLock&) = delete;
    ProgramLock& operator=(const ProgramLock&) = delete;

    bool held() const { return m_socket >= 0; }
    // The process that holds the name when this one could not take it; 0 when unknown.
    pid_t holder() const { return m_holder; }
    // While held: readable when another process knocked. takeKnock() answers one knock.
    int knocks() const { return m_socket; }
    void takeKnock();

private:
    int m_socket = -1;
    pid_t m_holder = 0;
};

// Who holds the name, looked up in /proc without taking it even for a moment: none when it
// is free, 0 when its holder is unknown (another user's process).
std::optional<pid_t> holderOf(const std::string& name);

// "zm480-plot/settings/9f86d081884c7d65": a lock name for anything of any length, such as a
// folder or a device path (an abstract socket's name holds 107 bytes at most).
std::string lockName(std::string_view kind, std::string_view what);

}  // namespace zm
