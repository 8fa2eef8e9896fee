// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <string>

#include "app/form_layout.h"

class QMainWindow;

namespace zm {

// The window's menu bar: File, Setup, Band, Antenna, View and Help, each entry named as its
// handler's control (mnuStation runs mnuStation_Click).
void buildMenus(QMainWindow& window, FormControls& controls);

// A name as a menu item shows it: a menu takes "&" for the mark of its access key, so a band
// or an antenna named "Tom & Jerry" keeps its "&".
QString menuText(const std::string& text);

}  // namespace zm
