// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/port_holders.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace zm {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kListenState = "0A";
constexpr std::string_view kEstablishedState = "01";

// A line of /proc/net/tcp or tcp6 (see port_holders.h); addresses are left out.
struct TcpSocketRow {
    std::uint16_t localPort = 0;
    std::uint16_t remotePort = 0;
    std::string state;
    unsigned long inode = 0;
};

std::uint16_t portOf(const std::string& address) {
    const auto colon = address.rfind(':');
    return colon == std::string::npos
               ? 0
               : static_cast<std::uint16_t>(std::strtoul(address.c_str() + colon + 1, nullptr, 16));
}

std::vector<TcpSocketRow> tcpSocketRows(std::string_view procNetTcp) {
    std::vector<TcpSocketRow> rows;
    std::istringstream lines{std::string(procNetTcp)};
    std::string line;
    std::getline(lines, line);  // the header
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string slot, local, remote, queues, timer, retransmits, uid, timeout;
        TcpSocketRow row;
        if (fields >> slot >> local >> remote >> row.state >> queues >> timer >> retransmits >>
            uid >> timeout >> row.inode) {
            row.localPort = portOf(local);
            row.remotePort = portOf(remote);
            rows.push_back(std::move(row));
        }
    }
    return rows;
}

std::string readFirstLine(const fs::path& path) {
    std::ifstream file(path);
    std::string line;
    std::getline(file, line);
    return line;
}

std::string wholeText(const fs::path& path) {
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Every other process whose descriptors include one that links to `target`.
std::vector<RunningProgram> programsWithDescriptor(const std::vector<std::string>& targets) {
    std::vector<RunningProgram> found;
    const std::string self = std::to_string(::getpid());
    std::error_code error;
    for (const auto& process : fs::directory_iterator("/proc", error)) {
        const std::string pid = process.path().filename().string();
        if (pid == self || !std::ranges::all_of(pid, [](char c) { return c >= '0' && c <= '9'; })) {
            continue;
        }
        std::error_code unreadable;  // another user's process, or one that has just ended
        for (const auto& fd : fs::directory_iterator(process.path() / "fd", unreadable)) {
            std::error_code gone;
            const std::string link = fs::read_symlink(fd.path(), gone).string();
            if (!gone && std::ranges::find(targets, link) != targets.end()) {
                found.push_back({std::stoi(pid), readFirstLine(process.path() / "comm")});
                break;
            }
        }
    }
    return found;
}

// Whether the process holds the master of pseudo-terminal `index`: it made the terminal (an
// emulated radio, socat), which is the device itself and not a program in its way. The
// master's fdinfo names its terminal: "tty-index:\t5".
bool makesPseudoTerminal(int pid, const std::string& index) {
    const fs::path process = "/proc/" + std::to_string(pid);
    std::error_code unreadable;
    for (const auto& fd : fs::directory_iterator(process / "fd", unreadable)) {
        std::error_code gone;
        const std::string link = fs::read_symlink(fd.path(), gone).string();
        if (gone || (link != "/dev/ptmx" && link != "/dev/pts/ptmx")) {
            continue;
        }
        std::ifstream info(process / "fdinfo" / fd.path().filename());
        for (std::string line; std::getline(info, line);) {
            if (line == "tty-index:\t" + index) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

std::vector<RunningProgram> programsHolding(const std::string& path) {
    std::error_code error;
    const std::string real = fs::canonical(path, error).string();
    if (error) {
        return {};
    }
    auto holders = programsWithDescriptor({real});
    constexpr std::string_view kPseudoTerminals = "/dev/pts/";
    if (real.starts_with(kPseudoTerminals)) {
        const std::string index = real.substr(kPseudoTerminals.size());
        std::erase_if(holders, [&](const RunningProgram& holder) {
            return makesPseudoTerminal(holder.pid, index);
        });
    }
    return holders;
}

std::optional<RunningProgram> programListeningOn(std::uint16_t port) {
    std::vector<std::string> sockets;
    for (const char* table : {"/proc/net/tcp", "/proc/net/tcp6"}) {
        for (const unsigned long inode : listeningSocketInodes(wholeText(table), port)) {
            sockets.push_back("socket:[" + std::to_string(inode) + "]");
        }
    }
    if (sockets.empty()) {
        return std::nullopt;
    }
    const auto programs = programsWithDescriptor(sockets);
    return programs.empty() ? std::nullopt : std::optional(programs.front());
}

bool connectionTaken(std::uint16_t serverPort, std::uint16_t clientPort) {
    return std::ranges::any_of(
        std::array{"/proc/net/tcp", "/proc/net/tcp6"}, [&](const char* table) {
            return takenConnectionInode(wholeText(table), serverPort, clientPort).value_or(0) != 0;
        });
}

std::vector<unsigned long> listeningSocketInodes(std::string_view procNetTcp, std::uint16_t port) {
    std::vector<unsigned long> inodes;
    for (const TcpSocketRow& row : tcpSocketRows(procNetTcp)) {
        if (row.state == kListenState && row.localPort == port) {
            inodes.push_back(row.inode);
        }
    }
    return inodes;
}

std::optional<unsigned long> takenConnectionInode(std::string_view procNetTcp,
                                                  std::uint16_t serverPort,
                                                  std::uint16_t clientPort) {
    for (const TcpSocketRow& row : tcpSocketRows(procNetTcp)) {
        if (row.state == kEstablishedState && row.localPort == serverPort &&
            row.remotePort == clientPort) {
            return row.inode;
        }
    }
    return std::nullopt;
}

}  // namespace zm
