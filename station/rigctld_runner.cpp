// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/rigctld_runner.h"

#include "station/radio_answer.h"

namespace zm {

std::string RigctldRunner::trouble(int endingsAtStart) {
    if (!problem().empty()) {
        return withLastWords(problem(), lastWords());
    }
    if (endings() != endingsAtStart) {
        return withLastWords("rigctld ended (" + lastEnd() +
                                 "); the program starts it again, but check the radio's model "
                                 "and settings in Setup, Station",
                             lastWords());
    }
    return {};
}

}  // namespace zm
