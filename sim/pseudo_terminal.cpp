// SPDX-License-Identifier: GPL-3.0-or-later

#include "sim/pseudo_terminal.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>
#include <utility>

namespace zm::sim {
namespace {

[[noreturn]] void throwErrno(const char* what) {
    throw std::system_error(errno, std::generic_category(), what);
}

}  // namespace

PseudoTerminal::PseudoTerminal() {
    m_masterFd = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_masterFd < 0) {
        throwErrno("posix_openpt");
    }
    char name[128];
    if (::grantpt(m_masterFd) != 0 || ::unlockpt(m_masterFd) != 0 ||
        ::ptsname_r(m_masterFd, name, sizeof name) != 0) {
        const int error = errno;
        ::close(m_masterFd);
        throw std::system_error(error, std::generic_category(), "pty slave");
    }
    m_slavePath = name;
    m_slaveFd = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios raw{};
    if (m_slaveFd < 0 || ::tcgetattr(m_slaveFd, &raw) != 0) {
        const int error = errno;
        ::close(m_masterFd);
        if (m_slaveFd >= 0) {
            ::close(m_slaveFd);
        }
        throw std::system_error(error, std::generic_category(), m_slavePath);
    }
    ::cfmakeraw(&raw);
    ::tcsetattr(m_slaveFd, TCSANOW, &raw);
}

PseudoTerminal::~PseudoTerminal() {
    closeMaster();
    if (m_slaveFd >= 0) {
        ::close(m_slaveFd);
    }
}

int PseudoTerminal::pendingOnSlave() const {
    int count = 0;
    if (m_slaveFd < 0 || ::ioctl(m_slaveFd, FIONREAD, &count) != 0) {
        return 0;
    }
    return count;
}

void PseudoTerminal::closeMaster() {
    if (m_masterFd >= 0) {
        ::close(m_masterFd);
        m_masterFd = -1;
    }
}

void replaceSymlink(const std::filesystem::path& link, const std::string& target) {
    namespace fs = std::filesystem;
    if (link.has_parent_path()) {
        fs::create_directories(link.parent_path());
    }
    const fs::file_status status = fs::symlink_status(link);
    if (fs::is_symlink(status)) {
        fs::remove(link);
    } else if (fs::exists(status)) {
        throw fs::filesystem_error("not a link, left alone", link,
                                   std::make_error_code(std::errc::file_exists));
    }
    fs::create_symlink(target, link);
}

void removeSymlinkTo(const std::filesystem::path& link, const std::string& target) {
    std::error_code error;
    if (std::filesystem::is_symlink(link, error) &&
        std::filesystem::read_symlink(link, error) == target) {
        std::filesystem::remove(link, error);
    }
}

PtyLink::PtyLink(std::filesystem::path link, std::string target)
    : m_link(std::move(link)), m_target(std::move(target)) {
    if (!m_link.empty()) {
        replaceSymlink(m_link, m_target);
    }
}

PtyLink::~PtyLink() {
    if (!m_link.empty()) {
        removeSymlinkTo(m_link, m_target);
    }
}

std::string PtyLink::description() const {
    return m_link.empty() ? m_target : m_target + " via " + m_link.string();
}

}  // namespace zm::sim
