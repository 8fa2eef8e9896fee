// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPoint>

#include "chart/chart_control.h"

namespace zm {

// The context menu's entries, owned by `owner`. "Copy sweep" also answers Ctrl+C while
// the owner has the focus.
ChartMenuActions makeChartMenuActions(QWidget* owner);

// Shows the entries as a menu at a point of the screen, until one is chosen or the menu is
// closed.
void execChartMenu(const ChartMenuActions& actions, QPoint globalPosition);

}  // namespace zm
