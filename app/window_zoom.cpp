// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/window_zoom.h"

#include <QAction>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QWindow>

#include "settings/window_store.h"
#include "zoom/application_zoom.h"

namespace zm {

namespace {

// Outer heights outside these bounds are taken for damage in config.ini, not a choice.
constexpr float kSmallestHeightTwips = 1500;
constexpr float kLargestHeightTwips = 4320 * kTwipsPerPixel;  // a window as tall as an 8K screen
constexpr float kNonClientTwips = WindowZoom::kNonClientPixels * kTwipsPerPixel;
// A restored position must leave at least this much of the window on some screen.
constexpr int kVisiblePixels = 60;

}  // namespace

WindowZoom::WindowZoom(QMainWindow& window, const FormControls& form, QString folder,
                       MessageBoxes& messages, std::function<void(Zoom)> zoomOthers)
    : m_window(window),
      m_form(form),
      m_folder(std::move(folder)),
      m_messages(messages),
      m_zoomOthers(std::move(zoomOthers)) {
    connect(m_form.mnuZoom, &QMenu::aboutToShow, this, &WindowZoom::showChoices);
    connect(m_form.mnuZoomIn, &QAction::triggered, this, &WindowZoom::zoomIn);
    connect(m_form.mnuZoomOut, &QAction::triggered, this, &WindowZoom::zoomOut);
    for (std::size_t i = 0; i < Zoom::kPercents.size(); ++i) {
        const Zoom zoom = *Zoom::ofPercent(Zoom::kPercents[i]);
        connect(m_form.mnuZoomTo[i], &QAction::triggered, this, [this, zoom] { choose(zoom); });
    }
}

void WindowZoom::load() {
    Zoom zoom = WindowStore(m_folder).load(m_fileDamage);
    // Made on a larger screen than this one: as large as this one takes, the file unchanged.
    while (zoom != Zoom() && !whyDoesNotFit(zoom).isEmpty()) {
        zoom = zoom.smaller();
    }
    apply(zoom);
}

void WindowZoom::choose(Zoom zoom) {
    apply(zoom);
    std::string whyNot;
    if (!WindowStore(m_folder).save(zoom, whyNot)) {
        m_messages.show(whyNot);
    }
}

void WindowZoom::zoomIn() {
    if (const Zoom larger = m_zoom.larger(); whyDoesNotFit(larger).isEmpty()) {
        choose(larger);
    }
}

void WindowZoom::zoomOut() {
    choose(m_zoom.smaller());
}

void WindowZoom::reportDamage() {
    if (!m_fileDamage.empty()) {
        m_messages.show(std::exchange(m_fileDamage, {}));
    }
}

// The whole window at the zoom, its outer height the same in twips: config.ini does not
// change with the zoom. Its width is the design's at the zoom.
void WindowZoom::apply(Zoom zoom) {
    const float outerHeightTwips = heightTwips();
    m_zoom = zoom;
    zoomApplication(zoom);
    zoomFormLayout(m_window, m_form, zoom);
    m_zoomOthers(zoom);
    applyOuterHeight(outerHeightTwips);
    showChoices();
}

// The window's frame grows with the zoom, the desktop's border around it does not.
QString WindowZoom::whyDoesNotFit(Zoom zoom) const {
    const QScreen* shownOn = m_window.screen();
    if (zoom == m_zoom || shownOn == nullptr) {
        return {};
    }
    const QSize border = m_window.frameGeometry().size() - m_window.size();
    const QSize wanted = m_window.size() * (zoom.factor() / m_zoom.factor()) + border;
    const QSize free = shownOn->availableGeometry().size();
    if (wanted.width() <= free.width() && wanted.height() <= free.height()) {
        return {};
    }
    return QStringLiteral(
               "Too large for this screen: at %1 % the window takes %2 × %3 pixels, "
               "the screen has %4 × %5 free.")
        .arg(zoom.percent())
        .arg(wanted.width())
        .arg(wanted.height())
        .arg(free.width())
        .arg(free.height());
}

void WindowZoom::showChoices() {
    for (std::size_t i = 0; i < Zoom::kPercents.size(); ++i) {
        QAction* step = m_form.mnuZoomTo[i];
        const QString why = whyDoesNotFit(*Zoom::ofPercent(Zoom::kPercents[i]));
        step->setEnabled(why.isEmpty());
        step->setToolTip(why.isEmpty() ? step->text() : why);
        step->setChecked(Zoom::kPercents[i] == m_zoom.percent());
    }
    m_form.mnuZoomIn->setEnabled(m_zoom.larger() != m_zoom &&
                                 whyDoesNotFit(m_zoom.larger()).isEmpty());
    m_form.mnuZoomOut->setEnabled(m_zoom.smaller() != m_zoom);
}

int WindowZoom::clientHeightPixels() const {
    return m_form.client->height();
}

// Whole pixels at 125 % cannot show 6645 twips exactly: the height given is kept while the
// window still has the pixels it gave, so that config.ini reads the same at any zoom.
float WindowZoom::heightTwips() const {
    const int clientHeight = m_form.client->height();
    if (m_heightTwips && clientHeight == clientPixelsFor(*m_heightTwips)) {
        return *m_heightTwips;
    }
    return float(pixelsToTwips(clientHeight, m_zoom) + kNonClientTwips);
}

int WindowZoom::clientPixelsFor(float heightTwips) const {
    return twipsToPixels(heightTwips - kNonClientTwips, m_zoom);
}

// Only the height changes, the width stays as the user left it. Controls never move or
// resize, whatever the user makes of the window: the client area has no layout, so a
// larger window only shows more of it, a smaller one less.
void WindowZoom::applyOuterHeight(float heightTwips) {
    if (!(heightTwips >= kSmallestHeightTwips && heightTwips <= kLargestHeightTwips)) {
        return;
    }
    m_heightTwips = heightTwips;
    const int clientHeight = clientPixelsFor(heightTwips);
    const int width = m_form.client->width();
    m_form.client->resize(width, clientHeight);  // at once, also while the window is hidden
    m_window.resize(width, clientHeight + m_window.menuBar()->sizeHint().height());
}

// A place on the screen, not a part of the drawing: 15 twips to the pixel at any zoom, so a
// zoom never moves the window, nor the saved position with it.
void WindowZoom::applyPosition(std::optional<float> leftTwips, std::optional<float> topTwips) {
    if (!leftTwips && !topTwips) {
        return;
    }
    const QPoint wanted(leftTwips ? twipsToPixels(*leftTwips) : m_window.x(),
                        topTwips ? twipsToPixels(*topTwips) : m_window.y());
    const QRect placed(wanted, m_window.size());
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
void WindowZoom::placeFrameAt(QPoint corner) {
    m_window.move(corner);
    if (QWindow* window = m_window.windowHandle()) {
        window->setFramePosition(corner);
    }
}

}  // namespace zm
