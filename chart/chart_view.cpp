// SPDX-License-Identifier: GPL-3.0-or-later

#include "chart/chart_view.h"

#include <QAccessibleWidget>

namespace zm {

QAccessibleInterface* chartViewAccessible(const QString&, QObject* object) {
    if (auto* view = dynamic_cast<ChartView*>(object)) {
        return new QAccessibleWidget(view, QAccessible::Chart);
    }
    return nullptr;
}

}  // namespace zm
