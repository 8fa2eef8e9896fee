// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/command_voice.h"

#include <unistd.h>

#include <iostream>

#include "cli/terminal_words.h"

namespace zm {

namespace {

// A message of the window, whose paragraphs stand apart, on one line.
std::string oneLine(std::string text) {
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at)) {
        const std::size_t end = text.find_first_not_of('\n', at);
        text.replace(at, (end == std::string::npos ? text.size() : end) - at, " ");
    }
    return text;
}

}  // namespace

void CommandVoice::say(std::string_view message) const {
    const auto loss = m_watch ? m_watch->loss() : std::nullopt;
    if (loss && loss->fd == STDERR_FILENO) {
        return;
    }
    std::cerr << terminal("zm480-sweep: " + oneLine(commandWords(message))) << '\n' << std::flush;
}

std::string CommandVoice::words(std::string_view message) const {
    return terminal(commandWords(message));
}

std::string CommandVoice::terminal(std::string_view text) const {
    return terminalText(text, m_utf8);
}

}  // namespace zm
