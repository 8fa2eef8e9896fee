// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/wheel_needs_focus.h"

#include <QComboBox>
#include <QEvent>

namespace zm {

namespace {

class WheelNeedsFocus : public QObject {
public:
    explicit WheelNeedsFocus(QComboBox* list) : QObject(list), m_list(list) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_list && event->type() == QEvent::Wheel && !m_list->hasFocus()) {
            event->ignore();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QComboBox* m_list;
};

}  // namespace

void takeWheelOnlyWithFocus(QComboBox* list) {
    list->setFocusPolicy(Qt::StrongFocus);
    list->installEventFilter(new WheelNeedsFocus(list));
}

}  // namespace zm
