// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zm {

// A program of this computer, as /proc names it: "ModemManager", process 812.
struct RunningProgram {
    int pid = 0;
    std::string name;  // /proc/PID/comm

    bool operator==(const RunningProgram&) const = default;
};

// The programs other than this one that hold the file open, found through the links in
// /proc/*/fd. The device is compared by its real path, so a /dev/serial/by-id/ name finds a
// program that opened /dev/ttyUSB1. The program that made a pseudo-terminal (and holds its
// master) is not counted. Another user's programs are seen only by root.
std::vector<RunningProgram> programsHolding(const std::string& path);

// The program listening on 127.0.0.1 (or any address) at the TCP port, through
// /proc/net/tcp and tcp6 and the sockets in /proc/*/fd; empty when none is seen.
std::optional<RunningProgram> programListeningOn(std::uint16_t port);

// Whether a program of this computer has taken (accept()ed) the connection from clientPort to
// serverPort on loopback, through /proc/net/tcp and tcp6.
bool connectionTaken(std::uint16_t serverPort, std::uint16_t clientPort);

// The inodes of the sockets listening at the port in the text of /proc/net/tcp or tcp6:
//   sl  local_address rem_address   st tx_queue rx_queue tr tm->when retrnsmt   uid  timeout inode
//    0: 0100007F:11B4 00000000:0000 0A 00000000:00000000 00:00000000 00000000  1000        0 98046
//    ...
// (port 0x11B4 is 4532; state 0A is LISTEN).
std::vector<unsigned long> listeningSocketInodes(std::string_view procNetTcp, std::uint16_t port);

// The inode of the listener's end of the connection from clientPort to serverPort, in the
// same text: 0 while the connection waits in the listener's queue, as no program has taken
// it (accept()) yet; nullopt when the table has no such connection.
std::optional<unsigned long> takenConnectionInode(std::string_view procNetTcp,
                                                  std::uint16_t serverPort,
                                                  std::uint16_t clientPort);

}  // namespace zm
