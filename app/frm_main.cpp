// SPDX-License-Identifier: GPL-3.0-or-later
// The form: its parts made and wired to one another, its controls and menus wired to the
// handlers, and the form's own events.

#include "app/frm_main.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace zm {

frmMain::frmMain(Devices devices, QWidget* parent)
    : QMainWindow(parent),
      m_devices(std::move(devices)),
      m_form(buildFormLayout(*this, m_devices.chart->widget())),
      m_windowZoom(*this, m_form, m_devices.config.directory(), *m_devices.messages,
                   [this](Zoom zoom) { zoomOthers(zoom); }),
      m_config(m_devices.config),
      m_readout(m_form, *m_devices.comm, [this] { showReadoutAtAntenna(); }),
      m_station(*this, m_devices, [this] { return m_run.sweep.running(); }),
      m_planBoxes(m_form, *m_devices.messages, m_sweep),
      m_feedlinePlane(m_form, *m_devices.messages,
                      (m_devices.programFolder.isEmpty() ? QCoreApplication::applicationDirPath()
                                                         : m_devices.programFolder)
                          .toStdString()),
      m_bandPlans(
          m_form, m_devices, [this](const std::string& key) { mnuBandPlan_Click(key); },
          [this](const Band& band) { mnuBand_Click(band); }),
      m_antennas(
          *m_form.mnuAntenna, m_devices.config.directory().toStdString(), *m_devices.messages,
          [this]() -> const AntennaSettings& { return m_station.ini.settings().antennas; },
          [this](const AntennaSettings& antennas) {
              m_station.ini.change(
                  [&](StationSettings& settings) { settings.antennas = antennas; });
          },
          [this] { m_logbook.open(m_antennas.inUse(), m_form.Combo2->currentIndex()); }),
      m_results(
          *this, m_devices, m_sweep, m_feedlinePlane,
          [this]() -> const RigSettings& { return m_station.ini.settings().rig; },
          [this](const std::function<void()>& dialog) { runAtRest(dialog); }),
      m_logbook(*this, m_devices, m_station.ini, m_results.memories, m_results.pictures,
                [this](const std::function<void()>& dialog) { runAtRest(dialog); }),
      m_run(
          *this, m_devices, m_form,
          {.model = m_sweep,
           .planBoxes = m_planBoxes,
           .bandPlans = m_bandPlans,
           .plane = m_feedlinePlane,
           .antennas = m_antennas,
           .station = m_station.ini,
           .stationWatch = m_station.watch,
           .readout = m_readout,
           .results = m_results.sweep,
           .memories = m_results.memories,
           .pictures = m_results.pictures},
          [this](const std::function<void()>& dialog) { runAtRest(dialog); },
          [this] { PlanSweep(); }, [this] { showGrid(); }) {
    m_form.Label31->setTextFormat(Qt::PlainText);  // meter bytes are never markup
    connectHandlers();
    m_devices.chart->setMemories(m_results.memories.memories());

    if (m_devices.rigctld) {
        m_devices.rigctld->onStateChange([this] { m_station.watch.showState(); });
    }
    // The design's client area until start-up applies a saved height.
    m_windowZoom.applyOuterHeight(m_windowZoom.heightTwips());
    m_windowZoom.load();
}

frmMain::~frmMain() {
    // Hiding the window as QWidget's destructor does takes the focus from the step field,
    // whose editingFinished would then call into this window after its own part is gone.
    m_form.Combo1->lineEdit()->disconnect(this);
    if (m_devices.rigctld) {
        m_devices.rigctld->onStateChange(nullptr);  // it ends after the window's parts
    }
    m_readout.setPolling(false);
    if (m_devices.comm->isOpen()) {
        m_devices.comm->close();
    }
}

void frmMain::connectHandlers() {
    connect(&m_readout.timer1(), &QTimer::timeout, this, &frmMain::Timer1_Timer);

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
    connect(m_form.mnuSaveReport, &QAction::triggered, &m_results.pictures,
            &ResultPictures::saveReport);
    connect(m_form.mnuPrint, &QAction::triggered, this, &frmMain::mnuPrint_Click);
    connect(m_form.mnuExit, &QAction::triggered, this, &frmMain::mnuExit_Click);
    connect(m_form.mnuNormal, &QAction::triggered, this, &frmMain::mnuNormal_Click);
    connect(m_form.mnuDiag, &QAction::triggered, this, &frmMain::mnuDiag_Click);
    connect(m_form.mnuStation, &QAction::triggered, this, &frmMain::mnuStation_Click);
    connect(m_form.mnuSweepSettings, &QAction::triggered, this, &frmMain::mnuSweepSettings_Click);
    connect(m_form.mnuFeedline, &QAction::triggered, this, [this] { editFeedline(); });
    connect(m_form.mnuAtAntenna, &QAction::triggered, this, [this] { showAtAntenna(true); });
    connect(m_form.mnuAtMeter, &QAction::triggered, this, [this] { showAtAntenna(false); });
    connect(m_form.mnuSweepMyBands, &QAction::triggered, this, &frmMain::mnuSweepMyBands_Click);
    connect(m_form.mnuAbout, &QAction::triggered, this, &frmMain::mnuAbout_Click);
    connect(m_form.mnuBands, &QAction::triggered, this, [this] { m_run.bands.showBands(); });
    connect(m_form.mnuSmithChart, &QAction::triggered, &m_results.sweep,
            &SweepResults::openSmithChart);
}

void frmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Start-up runs on the first showing only, once the window is up; getting the focus
    // back later runs nothing.
    if (m_life == Life::Made) {
        m_life = Life::Shown;
        // A stop signal as the window opens may close it first: then nothing starts.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (m_life != Life::Closed) {
                    Form_Activate();
                }
            },
            Qt::QueuedConnection);
        // What start-up found damaged, a box each: a stop signal may close the window under
        // the first.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (m_life != Life::Closed) {
                    m_results.memories.reportDamage();
                }
                if (m_life != Life::Closed) {
                    m_windowZoom.reportDamage();
                }
            },
            Qt::QueuedConnection);
    }
}

void frmMain::closeEvent(QCloseEvent* event) {
    // The close button, or a stop signal, during a sweep: it unkeys and ends first, and the
    // run then closes the window.
    if (m_run.sweep.closeWhenEnded()) {
        event->ignore();
        return;
    }
    Form_Unload();
    m_life = Life::Closed;
    event->accept();
}

void frmMain::runAtRest(const std::function<void()>& dialog) {
    const PollingPause paused(m_readout);
    dialog();
}

void frmMain::zoomOthers(Zoom zoom) {
    m_devices.chart->setZoom(zoom);
    m_results.sweep.setZoom(zoom);
    m_run.bands.setZoom(zoom);
    m_logbook.setZoom(zoom);
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
