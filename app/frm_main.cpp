// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/frm_main.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

#include "station/station_test.h"

namespace zm {

namespace {

constexpr std::chrono::milliseconds kTimer1Interval{200};
// Outer heights outside these bounds are taken for damage in config.ini, not a choice.
constexpr float kSmallestHeightTwips = 1500;
constexpr float kLargestHeightTwips = 4320 * kTwipsPerPixel;  // a window as tall as an 8K screen
constexpr float kNonClientTwips = frmMain::kNonClientPixels * kTwipsPerPixel;
// A restored position must leave at least this much of the window on some screen.
constexpr int kVisiblePixels = 60;

}  // namespace

frmMain::frmMain(Devices devices, QWidget* parent)
    : QMainWindow(parent),
      m_devices(std::move(devices)),
      m_shelf(QDir(m_devices.config.directory()).filePath("memories")),
      m_sweepStop(m_devices.sweepSleeper.get(), m_devices.stopRequested) {
    m_form = buildFormLayout(*this, m_devices.chart->widget());
    m_form.Label31->setTextFormat(Qt::PlainText);  // meter bytes are never markup

    m_timer1.setObjectName("Timer1");
    m_timer1.setInterval(kTimer1Interval);
    m_pollAnswer.setSingleShot(true);
    m_pollAnswer.setInterval(pauseDuration(0.2f));
    connectHandlers();
    m_damagedMemories = m_shelf.load();
    m_devices.chart->setMemories(m_shelf.memories());

    if (m_devices.rigctld) {
        m_devices.rigctld->onStateChange([this] { showRigctldState(); });
    }
    // The design's client area until start-up applies a saved height.
    applyOuterHeight(heightTwips());
    loadZoom();
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
    connect(m_form.Combo3, &QComboBox::highlighted, this, &frmMain::showPortRoutes);
    connect(m_form.Combo4, &QComboBox::activated, this, &frmMain::Combo4_Click);
    connect(m_form.cmdClear, &QPushButton::clicked, this, &frmMain::cmdClear_Click);
    connect(m_form.cmdRun, &QPushButton::clicked, this, &frmMain::cmdRun_Click);

    connect(m_form.mnuOpen, &QAction::triggered, this, &frmMain::mnuOpen_Click);
    connect(m_form.MnuSaveAs, &QAction::triggered, this, &frmMain::MnuSaveAs_Click);
    connect(m_form.mnuSaveReport, &QAction::triggered, this, &frmMain::mnuSaveReport_Click);
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
    connectResultsMenu();
    connectZoomMenu();
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
        QMetaObject::invokeMethod(this, &frmMain::reportDamagedMemories, Qt::QueuedConnection);
        QMetaObject::invokeMethod(this, &frmMain::reportDamagedWindowFile, Qt::QueuedConnection);
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

int frmMain::clientHeightPixels() const {
    return m_form.client->height();
}

// Whole pixels at 125 % cannot show 6645 twips exactly: the height given is kept while the
// window still has the pixels it gave, so that config.ini reads the same at any zoom.
float frmMain::heightTwips() const {
    const int clientHeight = m_form.client->height();
    if (m_heightTwips && clientHeight == clientPixelsFor(*m_heightTwips)) {
        return *m_heightTwips;
    }
    return float(pixelsToTwips(clientHeight, m_zoom) + kNonClientTwips);
}

int frmMain::clientPixelsFor(float heightTwips) const {
    return twipsToPixels(heightTwips - kNonClientTwips, m_zoom);
}

// Only the height changes, the width stays as the user left it. Controls never move or
// resize, whatever the user makes of the window: the client area has no layout, so a
// larger window only shows more of it, a smaller one less.
void frmMain::applyOuterHeight(float heightTwips) {
    if (!(heightTwips >= kSmallestHeightTwips && heightTwips <= kLargestHeightTwips)) {
        return;
    }
    m_heightTwips = heightTwips;
    const int clientHeight = clientPixelsFor(heightTwips);
    const int width = m_form.client->width();
    m_form.client->resize(width, clientHeight);  // at once, also while the window is hidden
    resize(width, clientHeight + menuBar()->sizeHint().height());
}

// A place on the screen, not a part of the drawing: 15 twips to the pixel at any zoom, so a
// zoom never moves the window, nor the saved position with it.
void frmMain::applyWindowPosition(std::optional<float> leftTwips, std::optional<float> topTwips) {
    if (!leftTwips && !topTwips) {
        return;
    }
    const QPoint wanted(leftTwips ? twipsToPixels(*leftTwips) : x(),
                        topTwips ? twipsToPixels(*topTwips) : y());
    const QRect placed(wanted, size());
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect seen = placed.intersected(screen->availableGeometry());
        if (seen.width() >= kVisiblePixels && seen.height() >= kVisiblePixels) {
            placeFrameAt(wanted);
            return;
        }
    }
    // Off every screen (a monitor that is gone, or a damaged file): keep the system's place.
}

// The saved position is the frame's outer corner, as x() and y() give it to SaveConfig.
// Start-up runs just after the window is shown, before the window manager has said how wide
// its frame is: move() alone then places the inside of the window at the spot, and under
// openbox every start and close moved the window up by its 20-pixel title bar.
// setFramePosition asks the window manager for the frame's corner; move() first makes x()
// and y() give it at once, for the SaveConfig of the start-up inside start-up.
void frmMain::placeFrameAt(QPoint corner) {
    move(corner);
    if (QWindow* window = windowHandle()) {
        window->setFramePosition(corner);
    }
}

}  // namespace zm
