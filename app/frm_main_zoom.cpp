// SPDX-License-Identifier: GPL-3.0-or-later
// View, Zoom: the window drawn at 100 to 200 %, kept in window.ini beside config.ini.

#include <QAction>
#include <QMenu>
#include <QScreen>

#include "app/frm_main.h"
#include "settings/window_store.h"
#include "zoom/application_zoom.h"

namespace zm {

void frmMain::loadZoom() {
    Zoom zoom = WindowStore(m_devices.config.directory()).load(m_windowFileDamage);
    // Made on a larger screen than this one: as large as this one takes, the file unchanged.
    while (zoom != Zoom() && !whyZoomDoesNotFit(zoom).isEmpty()) {
        zoom = zoom.smaller();
    }
    applyZoom(zoom);
}

void frmMain::connectZoomMenu() {
    connect(m_form.mnuZoom, &QMenu::aboutToShow, this, &frmMain::showZoomChoices);
    connect(m_form.mnuZoomIn, &QAction::triggered, this, &frmMain::mnuZoomIn_Click);
    connect(m_form.mnuZoomOut, &QAction::triggered, this, &frmMain::mnuZoomOut_Click);
    for (std::size_t i = 0; i < Zoom::kPercents.size(); ++i) {
        const Zoom zoom = *Zoom::ofPercent(Zoom::kPercents[i]);
        connect(m_form.mnuZoomTo[i], &QAction::triggered, this,
                [this, zoom] { mnuZoom_Click(zoom); });
    }
}

void frmMain::mnuZoom_Click(Zoom zoom) {
    applyZoom(zoom);
    std::string whyNot;
    if (!WindowStore(m_devices.config.directory()).save(zoom, whyNot)) {
        m_devices.messages->show(whyNot);
    }
}

void frmMain::mnuZoomIn_Click() {
    if (const Zoom larger = m_zoom.larger(); whyZoomDoesNotFit(larger).isEmpty()) {
        mnuZoom_Click(larger);
    }
}

void frmMain::mnuZoomOut_Click() {
    mnuZoom_Click(m_zoom.smaller());
}

// The whole window at the zoom, its outer height the same in twips: config.ini does not
// change with the zoom. Its width is the design's at the zoom.
void frmMain::applyZoom(Zoom zoom) {
    const float outerHeightTwips = heightTwips();
    m_zoom = zoom;
    zoomApplication(zoom);
    zoomFormLayout(*this, m_form, zoom);
    m_devices.chart->setZoom(zoom);
    if (m_smithWindow) {
        m_smithWindow->setZoom(zoom);
    }
    if (m_bandsWindow) {
        m_bandsWindow->setZoom(zoom);
    }
    applyOuterHeight(outerHeightTwips);
    showZoomChoices();
}

// The window's frame grows with the zoom, the desktop's border around it does not.
QString frmMain::whyZoomDoesNotFit(Zoom zoom) const {
    const QScreen* shownOn = screen();
    if (zoom == m_zoom || shownOn == nullptr) {
        return {};
    }
    const QSize border = frameGeometry().size() - size();
    const QSize wanted = size() * (zoom.factor() / m_zoom.factor()) + border;
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

void frmMain::showZoomChoices() {
    for (std::size_t i = 0; i < Zoom::kPercents.size(); ++i) {
        QAction* step = m_form.mnuZoomTo[i];
        const QString why = whyZoomDoesNotFit(*Zoom::ofPercent(Zoom::kPercents[i]));
        step->setEnabled(why.isEmpty());
        step->setToolTip(why.isEmpty() ? step->text() : why);
        step->setChecked(Zoom::kPercents[i] == m_zoom.percent());
    }
    m_form.mnuZoomIn->setEnabled(m_zoom.larger() != m_zoom &&
                                 whyZoomDoesNotFit(m_zoom.larger()).isEmpty());
    m_form.mnuZoomOut->setEnabled(m_zoom.smaller() != m_zoom);
}

void frmMain::reportDamagedWindowFile() {
    if (m_windowFileDamage.empty() || m_closed) {
        return;
    }
    m_devices.messages->show(m_windowFileDamage);
    m_windowFileDamage.clear();
}

}  // namespace zm
