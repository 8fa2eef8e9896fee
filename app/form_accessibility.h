// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/form_layout.h"

namespace zm {

// Names every control of the form for assistive technology (AT-SPI, as Orca reads it): a
// text box by what it holds ("Start frequency, MHz", "Power, watts"), a check box by the
// label beside it, the two lamp faces by what they say ("meter answers"), the legend by its
// colours. Each caption label is tied to its control (a list without one in the design gets
// one that is never shown), which is how a screen reader on Linux names a list.
void nameFormControls(const FormControls& controls);

}  // namespace zm
