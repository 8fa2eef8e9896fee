// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/form_layout.h"

class QMainWindow;

namespace zm {

// The window's menu bar: File, Setup, Band, View and Help, each entry named as its handler's
// control (mnuStation runs mnuStation_Click).
void buildMenus(QMainWindow& window, FormControls& controls);

}  // namespace zm
