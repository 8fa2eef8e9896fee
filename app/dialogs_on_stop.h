// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace zm {

class StopSignals;

// A stop signal ends every modal dialog that is up (a message box, a file dialog), innermost
// first, before anything else hears of it: the desktop holds a window's close behind its
// modal dialog, and the program would wait for a click that never comes. Connected first,
// so that the window's close that follows goes through.
void endModalDialogsOnStop(const StopSignals& stopSignals);

}  // namespace zm
