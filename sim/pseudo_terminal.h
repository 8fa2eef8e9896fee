// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <filesystem>
#include <string>

namespace zm::sim {

// A pseudo-terminal whose slave side stands in for the meter's serial port: the
// program opens the slave (/dev/pts/N) as it would /dev/ttyS0, and whoever holds the
// master plays the meter. The line is raw (no echo, no line editing, bytes as they are).
//
// The object also keeps a slave descriptor of its own, so that the master does not see
// a hang-up (and a busy poll()) every time the program closes its port.
class PseudoTerminal {
public:
    // Throws std::system_error when the system has no pty to give.
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // Non-blocking; -1 after closeMaster().
    int masterFd() const { return m_masterFd; }
    const std::string& slavePath() const { return m_slavePath; }
    // The slave side that this object holds open; its termios are the line's settings.
    int slaveFd() const { return m_slaveFd; }

    // Bytes received on the slave side and not yet read by anyone.
    int pendingOnSlave() const;

    // The device going away, as a pulled USB adapter: the slave side hangs up.
    void closeMaster();

private:
    int m_masterFd = -1;
    int m_slaveFd = -1;
    std::string m_slavePath;
};

// Points `link` at `target`, creating the link's folder, and replacing an earlier link
// (a stale one from a killed run, say). Throws std::filesystem::filesystem_error when
// something other than a link is in the way.
void replaceSymlink(const std::filesystem::path& link, const std::string& target);

// Removes `link` if it still points at `target`, so that a later run's link survives.
void removeSymlinkTo(const std::filesystem::path& link, const std::string& target);

// A simulator's link to its pty for as long as it runs (none for an empty path), and the
// words that name both for its banner: "/dev/pts/5 via build/ports/com1".
class PtyLink {
public:
    PtyLink(std::filesystem::path link, std::string target);
    ~PtyLink();
    PtyLink(const PtyLink&) = delete;
    PtyLink& operator=(const PtyLink&) = delete;

    std::string description() const;

private:
    std::filesystem::path m_link;
    std::string m_target;
};

}  // namespace zm::sim
