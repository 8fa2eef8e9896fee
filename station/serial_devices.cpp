// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/serial_devices.h"

#include <QSerialPortInfo>
#include <algorithm>
#include <filesystem>
#include <map>

namespace zm {

namespace {

namespace fs = std::filesystem;

constexpr auto kByIdFolder = "/dev/serial/by-id";

std::string realPath(const std::string& path) {
    std::error_code error;
    const fs::path real = fs::canonical(path, error);
    return error ? path : real.string();
}

// The kernel's name of each device that udev gave a by-id name.
std::map<std::string, std::string> byIdNames() {
    std::map<std::string, std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(kByIdFolder, error)) {
        names.emplace(realPath(entry.path().string()), entry.path().string());
    }
    return names;
}

std::string describe(const QSerialPortInfo& port) {
    std::string text = port.manufacturer().toStdString();
    const std::string product = port.description().toStdString();
    if (!product.empty() && text.find(product) == std::string::npos) {
        text += (text.empty() ? "" : " ") + product;
    }
    if (!port.serialNumber().isEmpty()) {
        text += (text.empty() ? "" : ", ") + port.serialNumber().toStdString();
    }
    return text;
}

}  // namespace

std::vector<SerialDevice> serialDevices() {
    const auto names = byIdNames();
    std::vector<SerialDevice> devices;
    for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts()) {
        const std::string kernelName = port.systemLocation().toStdString();
        const auto byId = names.find(realPath(kernelName));
        devices.push_back(
            {byId != names.end() ? byId->second : kernelName, kernelName, describe(port)});
    }
    std::ranges::stable_sort(devices, [](const SerialDevice& one, const SerialDevice& other) {
        return one.path.starts_with(kByIdFolder) > other.path.starts_with(kByIdFolder);
    });
    return devices;
}

bool sameDevice(const std::string& one, const std::string& other) {
    return !one.empty() && !other.empty() && realPath(one) == realPath(other);
}

bool pointLinkAt(const std::string& linkPath, const std::string& target, std::string& whyNot) {
    std::error_code error;
    fs::create_directories(fs::path(linkPath).parent_path(), error);
    if (!error && (fs::is_symlink(linkPath, error) || fs::exists(linkPath, error))) {
        fs::remove(linkPath, error);
    }
    if (!error) {
        fs::create_symlink(target, linkPath, error);
    }
    if (error) {
        whyNot = "The link " + linkPath + " could not be made (" + error.message() + ")";
    }
    return !error;
}

std::string chosenDevice(const PortRoute& route) {
    std::error_code error;
    const auto target = route.linked ? fs::read_symlink(route.linkPath, error) : fs::path();
    return !error && target.is_absolute() ? target.string() : route.device;
}

}  // namespace zm
