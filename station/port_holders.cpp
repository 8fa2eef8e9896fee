// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/port_holders.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace zm {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kListenState = "0A";

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

std::vector<unsigned long> listeningSocketInodes(std::string_view procNetTcp, std::uint16_t port) {
    std::vector<unsigned long> inodes;
    std::istringstream lines{std::string(procNetTcp)};
    std::string line;
    std::getline(lines, line);  // the header
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string slot, local, remote, state, queues, timer, retransmits, uid, timeout;
        unsigned long inode = 0;
        if (!(fields >> slot >> local >> remote >> state >> queues >> timer >> retransmits >> uid >>
              timeout >> inode)) {
            continue;
        }
        const auto colon = local.rfind(':');
        if (state == kListenState && colon != std::string::npos &&
            std::strtoul(local.c_str() + colon + 1, nullptr, 16) == port) {
            inodes.push_back(inode);
        }
    }
    return inodes;
}

}  // namespace zm
