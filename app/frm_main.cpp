// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/frm_main.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace zm {

namespace {

constexpr std::chrono::milliseconds kTimer1Interval{200};

}  // namespace

frmMain::frmMain(Devices devices, QWidget* parent)
    : QMainWindow(parent),
      m_devices(std::move(devices)),
      m_form(buildFormLayout(*this, m_devices.chart->widget())),
      m_windowZoom(*this, m_form, m_devices.config.directory(), *m_devices.messages,
                   [this](Zoom zoom) { zoomOthers(zoom); }),
      m_readout(m_form, *m_devices.comm, [this] { showReadoutAtAntenna(); }),
      m_stationIni(m_devices.config.directory(), *m_devices.messages),
      m_planBoxes(m_form, *m_devices.messages),
      m_feedlinePlane(m_form, *m_devices.messages,
                      (m_devices.programFolder.isEmpty() ? QCoreApplication::applicationDirPath()
                                                         : m_devices.programFolder)
                          .toStdString()),
      m_bandPlans(
          m_form, m_devices, [this](const std::string& key) { mnuBandPlan_Click(key); },
          [this](const Band& band) { mnuBand_Click(band); }),
      m_antennas(
          *m_form.mnuAntenna, m_devices.config.directory().toStdString(), *m_devices.messages,
          [this]() -> const AntennaSettings& { return m_stationIni.settings().antennas; },
          [this](const AntennaSettings& antennas) {
              m_stationIni.change([&](StationSettings& settings) { settings.antennas = antennas; });
          },
          [this] { mnuHistory_Click(); }),
      m_memories(
          QDir(m_devices.config.directory()).filePath("memories"), *this, *m_devices.messages,
          [this] { m_results.showMemories(); },
          [this](const Memory& memory) { m_results.saveMemory(memory); }),
      m_results(
          *this, m_devices, m_feedlinePlane, m_memories,
          [this](const std::function<void()>& dialog) { runAtRest(dialog); },
          [this](SmithWindow& smith) {
              m_pictures.offer(smith.chart().pictureActions(), smith.chart(), "smith-chart");
          }),
      m_pictures(
          m_devices, m_results, m_feedlinePlane, m_planBoxes.plan(),
          [this]() -> const RigSettings& { return m_stationIni.settings().rig; },
          [this](const std::function<void()>& dialog) { runAtRest(dialog); }),
      m_sweepStop(m_devices.sweepSleeper.get(), m_devices.stopRequested),
      m_stationWatch(
          *this, m_devices, [this]() -> const RigSettings& { return m_stationIni.settings().rig; },
          [this] { return m_sweepRunning; }),
      m_sweepView(*this, *m_devices.chart, m_planBoxes, m_results, m_readout, m_stationWatch,
                  [this] { showGrid(); }) {
    m_form.Label31->setTextFormat(Qt::PlainText);  // meter bytes are never markup

    m_timer1.setObjectName("Timer1");
    m_timer1.setInterval(kTimer1Interval);
    m_pollAnswer.setSingleShot(true);
    m_pollAnswer.setInterval(pauseDuration(0.2f));
    connectHandlers();
    m_devices.chart->setMemories(m_memories.memories());

    if (m_devices.rigctld) {
        m_devices.rigctld->onStateChange([this] { m_stationWatch.showState(); });
    }
    // The design's client area until start-up applies a saved height.
    m_windowZoom.applyOuterHeight(m_windowZoom.heightTwips());
    m_windowZoom.load();
    setTimer1Enabled(true);  // the timer runs from the window's creation; the port is closed
}

frmMain::~frmMain() {
    // Hiding the window as QWidget's destructor does takes the focus from the step field,
    // whose editingFinished would then call into this window after its own part is gone.
    m_form.Combo1->lineEdit()->disconnect(this);
    if (m_devices.rigctld) {
        m_devices.rigctld->onStateChange(nullptr);  // it ends after the window's parts
    }
    m_idlePoll.reset();
    m_timer1.stop();
    m_pollAnswer.stop();
    if (m_devices.comm->isOpen()) {
        m_devices.comm->close();
    }
}

void frmMain::connectHandlers() {
    connect(&m_timer1, &QTimer::timeout, this, &frmMain::Timer1_Timer);
    connect(&m_pollAnswer, &QTimer::timeout, this, [this] { endIdlePoll(MeterQuery::Sent); });

    connect(m_form.Text2, &QLineEdit::textChanged, this, &frmMain::Text2_Change);
    connect(m_form.Text3, &QLineEdit::textChanged, this, &frmMain::Text3_Change);
    connect(m_form.Combo1, &QComboBox::activated, this, &frmMain::Combo1_Click);
    connect(m_form.Combo1->lineEdit(), &QLineEdit::editingFinished, this,
            &frmMain::Combo1_Validate);
    connect(m_form.Combo2, &QComboBox::activated, this, &frmMain::Combo2_Click);
    connect(m_form.Combo3, &QComboBox::activated, this, &frmMain::Combo3_Click);
    connect(m_form.Combo3, &QComboBox::highlighted, this, [this] { m_readout.showPortRoutes(); });
    connect(m_form.Combo4, &QComboBox::activated, this, &frmMain::Combo4_Click);
    connect(m_form.cmdClear, &QPushButton::clicked, this, &frmMain::cmdClear_Click);
    connect(m_form.cmdRun, &QPushButton::clicked, this, &frmMain::cmdRun_Click);

    connect(m_form.mnuOpen, &QAction::triggered, this, &frmMain::mnuOpen_Click);
    connect(m_form.MnuSaveAs, &QAction::triggered, this, &frmMain::MnuSaveAs_Click);
    connect(m_form.mnuSaveReport, &QAction::triggered, &m_pictures, &ResultPictures::saveReport);
    connect(m_form.mnuPrint, &QAction::triggered, this, &frmMain::mnuPrint_Click);
    connect(m_form.mnuExit, &QAction::triggered, this, &frmMain::mnuExit_Click);
    connect(m_form.mnuNormal, &QAction::triggered, this, &frmMain::mnuNormal_Click);
    connect(m_form.mnuDiag, &QAction::triggered, this, &frmMain::mnuDiag_Click);
    connect(m_form.mnuStation, &QAction::triggered, this, &frmMain::mnuStation_Click);
    connect(m_form.mnuSweepSettings, &QAction::triggered, this, &frmMain::mnuSweepSettings_Click);
    connect(m_form.mnuFeedline, &QAction::triggered, this, &frmMain::mnuFeedline_Click);
    connect(m_form.mnuAtAntenna, &QAction::triggered, this, &frmMain::mnuAtAntenna_Click);
    connect(m_form.mnuAtMeter, &QAction::triggered, this, &frmMain::mnuAtMeter_Click);
    connect(m_form.mnuSweepMyBands, &QAction::triggered, this, &frmMain::mnuSweepMyBands_Click);
    connect(m_form.mnuAbout, &QAction::triggered, this, &frmMain::mnuAbout_Click);
    connect(m_form.mnuBands, &QAction::triggered, this, &frmMain::mnuBands_Click);
    m_form.mnuBands->setEnabled(false);  // until a Sweep my bands has swept a band
    connect(m_form.mnuSmithChart, &QAction::triggered, &m_results, &SweepResults::openSmithChart);
}

void frmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Start-up runs on the first showing only, once the window is up; getting the focus
    // back later runs nothing.
    if (!m_activated) {
        m_activated = true;
        // A stop signal as the window opens may close it first: then nothing starts.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!m_closed) {
                    Form_Activate();
                }
            },
            Qt::QueuedConnection);
        // What start-up found damaged, a box each: a stop signal may close the window under
        // the first.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!m_closed) {
                    m_memories.reportDamage();
                }
                if (!m_closed) {
                    m_windowZoom.reportDamage();
                }
            },
            Qt::QueuedConnection);
    }
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (m_sweepRunning) {
        // The close button, or a stop signal, during a sweep: it unkeys and ends first, and
        // Run then closes the window.
        m_closeRequested = true;
        requestSweepStop();
        event->ignore();
        return;
    }
    Form_Unload();
    m_closed = true;
    event->accept();
}

// Whatever suspends or resumes polling also ends an idle poll that waits for its answer: a
// sweep or a port choice sends its own query.
void frmMain::setTimer1Enabled(bool enabled) {
    m_pollAnswer.stop();
    if (!enabled) {
        m_timer1.stop();
    } else if (!m_timer1.isActive()) {
        m_timer1.start();  // enabling restarts the 200 ms count
    }
}

frmMain::PollingPause::PollingPause(frmMain& window) : m_window(window) {
    m_window.setTimer1Enabled(false);
}

frmMain::PollingPause::~PollingPause() {
    m_window.setTimer1Enabled(true);
}

void frmMain::runAtRest(const std::function<void()>& dialog) {
    const PollingPause paused(*this);
    dialog();
}

void frmMain::zoomOthers(Zoom zoom) {
    m_devices.chart->setZoom(zoom);
    m_results.setZoom(zoom);
    if (m_bandsWindow) {
        m_bandsWindow->setZoom(zoom);
    }
    if (m_historyWindow) {
        m_historyWindow->setZoom(zoom);
    }
}

void frmMain::setListIndex(QComboBox* list, int index, void (frmMain::*handler)()) {
    if (index < -1 || index >= list->count() || index == list->currentIndex()) {
        return;
    }
    list->setCurrentIndex(index);
    if (index == -1) {
        list->setEditText(QString());
    }
    (this->*handler)();
}

}  // namespace zm
