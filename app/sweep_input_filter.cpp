// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/sweep_input_filter.h"

#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>

namespace zm {

namespace {

bool isUserInput(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::ContextMenu:
        case QEvent::InputMethod:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
            return true;
        default:
            return false;
    }
}

}  // namespace

SweepInputFilter::SweepInputFilter(std::function<void()> onEscape)
    : m_onEscape(std::move(onEscape)) {
    QGuiApplication::instance()->installEventFilter(this);
    QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
}

SweepInputFilter::~SweepInputFilter() {
    QGuiApplication::restoreOverrideCursor();
    QGuiApplication::instance()->removeEventFilter(this);
}

bool SweepInputFilter::eventFilter(QObject*, QEvent* event) {
    if (!isUserInput(event->type())) {
        return false;
    }
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        m_onEscape();
    }
    return true;
}

}  // namespace zm
