// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/home_thread_devices.h"

#include "engine/thread_hop.h"

namespace zm {

void SerialCommAtHome::setCommPort(int portNumber) {
    onThreadOf(m_home, [&] { m_port.setCommPort(portNumber); });
}
int SerialCommAtHome::commPort() const {
    return onThreadOf(m_home, [&] { return m_port.commPort(); });
}
PortRoute SerialCommAtHome::routeOf(int portNumber) const {
    return onThreadOf(m_home, [&] { return m_port.routeOf(portNumber); });
}
bool SerialCommAtHome::setSettings(std::string_view settings) {
    return onThreadOf(m_home, [&] { return m_port.setSettings(settings); });
}
void SerialCommAtHome::setInputLen(int length) {
    onThreadOf(m_home, [&] { m_port.setInputLen(length); });
}
bool SerialCommAtHome::open() {
    return onThreadOf(m_home, [&] { return m_port.open(); });
}
void SerialCommAtHome::close() {
    onThreadOf(m_home, [&] { m_port.close(); });
}
bool SerialCommAtHome::isOpen() const {
    return onThreadOf(m_home, [&] { return m_port.isOpen(); });
}
void SerialCommAtHome::clearOutBuffer() {
    onThreadOf(m_home, [&] { m_port.clearOutBuffer(); });
}
void SerialCommAtHome::clearInBuffer() {
    onThreadOf(m_home, [&] { m_port.clearInBuffer(); });
}
bool SerialCommAtHome::output(std::string_view bytes) {
    return onThreadOf(m_home, [&] { return m_port.output(bytes); });
}
std::string SerialCommAtHome::input() {
    return onThreadOf(m_home, [&] { return m_port.input(); });
}

void RigctldRunnerAtHome::start(const std::vector<std::string>& arguments, std::uint16_t port) {
    onThreadOf(m_home, [&] { m_runner.start(arguments, port); });
}
void RigctldRunnerAtHome::stop() {
    onThreadOf(m_home, [&] { m_runner.stop(); });
}
bool RigctldRunnerAtHome::running() const {
    return onThreadOf(m_home, [&] { return m_runner.running(); });
}
RigctldRunner::State RigctldRunnerAtHome::state() const {
    return onThreadOf(m_home, [&] { return m_runner.state(); });
}
void RigctldRunnerAtHome::onStateChange(std::function<void()> changed) {
    onThreadOf(m_home, [&] { m_runner.onStateChange(std::move(changed)); });
}
void RigctldRunnerAtHome::recheck() {
    onThreadOf(m_home, [&] { m_runner.recheck(); });
}
bool RigctldRunnerAtHome::confirmed() const {
    return onThreadOf(m_home, [&] { return m_runner.confirmed(); });
}
void RigctldRunnerAtHome::setSweeping(bool sweeping) {
    onThreadOf(m_home, [&] { m_runner.setSweeping(sweeping); });
}
std::string RigctldRunnerAtHome::problem() const {
    return onThreadOf(m_home, [&] { return m_runner.problem(); });
}
std::vector<std::string> RigctldRunnerAtHome::lastWords() const {
    return onThreadOf(m_home, [&] { return m_runner.lastWords(); });
}
int RigctldRunnerAtHome::endings() {
    return onThreadOf(m_home, [&] { return m_runner.endings(); });
}
std::string RigctldRunnerAtHome::lastEnd() const {
    return onThreadOf(m_home, [&] { return m_runner.lastEnd(); });
}

void SweepReportsAtHome::bandPlanNotice(const std::string& notice) {
    onThreadOf(m_home, [&] { m_reports.bandPlanNotice(notice); });
}
void SweepReportsAtHome::sweepBegun(const SweepBegun& begun) {
    onThreadOf(m_home, [&] { m_reports.sweepBegun(begun); });
}
void SweepReportsAtHome::meterRead(const MeterRead& read) {
    onThreadOf(m_home, [&] { m_reports.meterRead(read); });
}
void SweepReportsAtHome::pointDone(const PointDone& done) {
    onThreadOf(m_home, [&] { m_reports.pointDone(done); });
}
void SweepReportsAtHome::sweepEnded(const SweepOutcome& outcome) {
    onThreadOf(m_home, [&] { m_reports.sweepEnded(outcome); });
}

}  // namespace zm
