// SPDX-License-Identifier: GPL-3.0-or-later
#include "process/program_lock.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <utility>

namespace zm {

namespace {

// Two tries: a holder that ends between the bind that fails and the connect leaves the name
// free for the second.
constexpr int kAttempts = 2;
constexpr int kKnocksQueued = 8;

// The address of an abstract socket: sun_path starts with a NUL, and the name is not ended by
// one; its length says where it ends.
socklen_t abstractAddress(const std::string& name, sockaddr_un& address) {
    address = {};
    address.sun_family = AF_UNIX;
    const std::size_t length = std::min(name.size(), sizeof address.sun_path - 1);
    std::memcpy(address.sun_path + 1, name.data(), length);
    return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);
}

int unixSocket() {
    return ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
}

// The process listening at the address, through the credentials its socket took at listen().
pid_t listenerAt(const sockaddr_un& address, socklen_t length) {
    const int socket = unixSocket();
    pid_t pid = 0;
    if (socket >= 0 &&
        ::connect(socket, reinterpret_cast<const sockaddr*>(&address), length) == 0) {
        ucred credentials{};
        socklen_t size = sizeof credentials;
        if (::getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &credentials, &size) == 0) {
            pid = credentials.pid;
        }
    }
    if (socket >= 0) {
        ::close(socket);
    }
    return pid;
}

// The inode of the socket listening at the abstract name, from /proc/net/unix, whose lines
// end in the inode and "@name": "... 01 12345 @zm480-plot/settings/9f86d081884c7d65".
std::optional<unsigned long> listeningInode(const std::string& name) {
    std::ifstream table("/proc/net/unix");
    std::string line;
    const std::string path = " @" + name;
    while (std::getline(table, line)) {
        if (line.size() > path.size() && line.ends_with(path)) {
            std::istringstream fields(line.substr(0, line.size() - path.size()));
            std::string field, last;
            while (fields >> field) {
                last = field;
            }
            char* end = nullptr;
            const unsigned long inode = std::strtoul(last.c_str(), &end, 10);
            if (end != last.c_str() && *end == '\0') {
                return inode;
            }
        }
    }
    return std::nullopt;
}

// The process that holds the socket open: the one among ours with a descriptor on it.
pid_t holderOfInode(unsigned long inode) {
    namespace fs = std::filesystem;
    const std::string socket = "socket:[" + std::to_string(inode) + "]";
    std::error_code error;
    for (const fs::directory_entry& process : fs::directory_iterator("/proc", error)) {
        const std::string pid = process.path().filename().string();
        if (pid.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        std::error_code unreadable;  // another user's, or ended meanwhile
        for (const fs::directory_entry& fd :
             fs::directory_iterator(process.path() / "fd", unreadable)) {
            std::error_code gone;
            if (fs::read_symlink(fd.path(), gone).string() == socket) {
                return static_cast<pid_t>(std::stol(pid));
            }
        }
    }
    return 0;
}

pid_t listenerByProc(const std::string& name) {
    const std::optional<unsigned long> inode = listeningInode(name);
    return inode ? holderOfInode(*inode) : 0;
}

}  // namespace

ProgramLock::ProgramLock(const std::string& name, Look look) {
    sockaddr_un address;
    const socklen_t length = abstractAddress(name, address);
    for (int attempt = 0; attempt < kAttempts && m_holder == 0; ++attempt) {
        const int socket = unixSocket();
        if (socket < 0) {
            return;
        }
        if (::bind(socket, reinterpret_cast<const sockaddr*>(&address), length) == 0 &&
            ::listen(socket, kKnocksQueued) == 0) {
            m_socket = socket;
            return;
        }
        const bool taken = errno == EADDRINUSE;
        ::close(socket);
        if (!taken) {
            return;
        }
        m_holder = look == Look::Quietly ? listenerByProc(name) : listenerAt(address, length);
    }
}

ProgramLock::~ProgramLock() {
    if (m_socket >= 0) {
        ::close(m_socket);
    }
}

ProgramLock::ProgramLock(ProgramLock&& other) noexcept
    : m_socket(std::exchange(other.m_socket, -1)), m_holder(other.m_holder) {}

void ProgramLock::takeKnock() {
    if (const int knock = ::accept4(m_socket, nullptr, nullptr, SOCK_CLOEXEC); knock >= 0) {
        ::close(knock);
    }
}

// FNV-1a, 64 bits: the same on every build, unlike std::hash.
std::optional<pid_t> holderOf(const std::string& name) {
    const std::optional<unsigned long> inode = listeningInode(name);
    if (!inode) {
        return std::nullopt;
    }
    return holderOfInode(*inode);
}

std::string lockName(std::string_view kind, std::string_view what) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : what) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    return "zm480-plot/" + std::string(kind) + "/" + hex;
}

}  // namespace zm
