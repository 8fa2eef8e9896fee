// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/radio_claims.h"

#include <filesystem>

namespace zm {

bool ProgramRadioClaims::claim(std::uint16_t port, const std::string& device, pid_t& holder) {
    release();
    std::vector<std::string> names{lockName("sweep-port", std::to_string(port))};
    if (device.starts_with('/')) {
        // /dev/serial/by-id/usb-... and /dev/ttyUSB1 are one radio.
        std::error_code error;
        const auto real = std::filesystem::canonical(device, error);
        names.push_back(lockName("sweep-device", error ? device : real.string()));
    }
    for (const std::string& name : names) {
        ProgramLock lock(name);
        if (!lock.held()) {
            holder = lock.holder();
            release();
            return false;
        }
        m_held.push_back(std::move(lock));
    }
    return true;
}

}  // namespace zm
