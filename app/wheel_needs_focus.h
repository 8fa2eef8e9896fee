// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QComboBox;

namespace zm {

// The list takes the mouse wheel only while it has the keyboard focus, and a wheel no
// longer gives it the focus: a wheel passing over the step list on its way across the
// window would choose another step, which re-plans and clears a sweep that took minutes on
// the air.
void takeWheelOnlyWithFocus(QComboBox* list);

}  // namespace zm
