// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>

#include "cli/output_watch.h"

namespace zm {

// zm480-sweep's messages on standard error: a line each after its name, a window's message
// of several paragraphs on one line, in the command's words (commandWords) and the
// terminal's characters (terminalText); nothing more once standard error is gone.
class CommandVoice {
public:
    // `watch`: none before the streams are watched.
    CommandVoice(bool utf8, const OutputWatch* watch) : m_utf8(utf8), m_watch(watch) {}

    void say(std::string_view message) const;
    // The message in the command's words and the terminal's characters, for a line of the
    // progress or the listing.
    std::string words(std::string_view message) const;
    std::string terminal(std::string_view text) const;
    bool utf8() const { return m_utf8; }

private:
    bool m_utf8;
    const OutputWatch* m_watch;
};

}  // namespace zm
