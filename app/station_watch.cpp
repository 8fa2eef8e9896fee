// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/station_watch.h"

#include <QWidget>

#include "app/form_layout.h"
#include "station/hamlib_catalog.h"
#include "station/radio_answer.h"
#include "station/station_test.h"

namespace zm {

namespace {

// How often the window looks how a starting rigctld stands.
constexpr std::chrono::milliseconds kRigctldWatchInterval{250};

// What the title bar says after the program's name.
std::string stateWords(RigctldRunner::State state) {
    switch (state) {
        case RigctldRunner::State::WaitingForDevice:
            return " - waiting for the radio's device";
        case RigctldRunner::State::Starting:
            return " - rigctld starting";
        case RigctldRunner::State::Answering:
            return " - rigctld answers";
        case RigctldRunner::State::RadioSilent:
            return " - the radio does not answer";
        case RigctldRunner::State::HeldUp:
            return " - rigctld held up (Setup, Station, Test says why)";
        case RigctldRunner::State::Stopped:
            break;
    }
    return {};
}

}  // namespace

StationWatch::StationWatch(QWidget& window, Devices& devices,
                           std::function<const RigSettings&()> rig,
                           std::function<bool()> sweepRunning)
    : m_window(window),
      m_devices(devices),
      m_rig(std::move(rig)),
      m_sweepRunning(std::move(sweepRunning)) {}

StationWatch::~StationWatch() = default;

void StationWatch::use(const RigSettings& rig) {
    std::string whyNot;
    switch (m_devices.useRig(rig, whyNot)) {
        case StationDevices::RigctldUse::NotStarted:
            m_devices.messages->show("rigctld was not started. " + whyNot + ".");
            return;
        case StationDevices::RigctldUse::Started:
            m_endingsAtStart = m_devices.rigctld->endings();
            m_since.start();
            m_watch.setInterval(kRigctldWatchInterval);
            connect(&m_watch, &QTimer::timeout, this, &StationWatch::watch, Qt::UniqueConnection);
            m_watch.start();
            return;
        case StationDevices::RigctldUse::NotOurs:
        case StationDevices::RigctldUse::Running:
            return;
    }
}

void StationWatch::watch() {
    if (m_sweepRunning()) {
        return;  // a sweep says itself what became of rigctld
    }
    RigctldRunner& rigctld = *m_devices.rigctld;
    const std::string trouble = rigctld.trouble(m_endingsAtStart);
    const bool silent = m_since.elapsed() >= kRadioAnswerTime.count();
    // A Test in the dialog says it there; a radio that is switched off shows in the title.
    if (m_test || rigctld.answering() || !rigctld.running() ||
        rigctld.state() == RigctldRunner::State::WaitingForDevice ||
        rigctld.state() == RigctldRunner::State::RadioSilent) {
        m_watch.stop();
    } else if (!trouble.empty() || silent) {
        m_watch.stop();
        m_devices.messages->show(
            (trouble.empty() ? withLastWords(std::string(kRadioSilent), rigctld.lastWords())
                             : trouble) +
            ".");
    }
}

// Test: the program's rigctld runs for the settings tested (and again for the saved ones if
// the dialog is cancelled); a rigctld that the user starts is reached as it is. One that does
// not answer is started afresh: the user may have just mended what stood in its way, and the
// next try after a refused start may be up to 30 s away.
void StationWatch::test(const RigSettings& rig, std::function<void(std::string)> done) {
    const bool own = rig.server == RigServerChoice::Own && m_devices.rigctld;
    if (own) {
        // Started again, unless it answers: a silent radio is not woken by a new rigctld.
        if (!m_devices.rigctld->answering() &&
            m_devices.rigctld->state() != RigctldRunner::State::RadioSilent) {
            m_devices.rigctldFor.reset();
        }
        use(rig);
    } else if (m_devices.rigctld) {
        m_devices.rigctld->stop();  // ours would answer in the place of the user's
        m_devices.rigctldFor.reset();
    }
    m_test = std::make_unique<StationTest>(own ? m_devices.rigctld.get() : nullptr, rig.port,
                                           installedRigModels(), std::move(done));
    m_test->start();
}

void StationWatch::endTest() {
    m_test.reset();
}

void StationWatch::showState() {
    const RigctldRunner* rigctld = m_devices.ownRigctld(m_rig());
    m_window.setWindowTitle(QString::fromStdString(
        kWindowTitle + (rigctld ? stateWords(rigctld->state()) : std::string())));
}

}  // namespace zm
