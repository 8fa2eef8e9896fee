// SPDX-License-Identifier: GPL-3.0-or-later

#include "guard/guard_watch.h"

#include "sweep/ptt_guard_words.h"

namespace zm {

namespace {

// The window's words are a few letters; more is another program or a fault, and only this
// much of it is kept to be quoted.
constexpr std::size_t kMaxLineChars = 40;

GuardAction endQuietly() {
    GuardAction action;
    action.exit = true;
    return action;
}

GuardAction deadline(GuardAction::Deadline change) {
    GuardAction action;
    action.deadline = change;
    return action;
}

}  // namespace

std::vector<GuardAction> GuardWatch::onBytes(std::string_view bytes) {
    std::vector<GuardAction> actions;
    for (const char c : bytes) {
        if (c != '\n') {
            if (m_partialLine.size() <= kMaxLineChars) {
                m_partialLine += c;
            }
            continue;
        }
        std::string_view line = m_partialLine;
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        actions.push_back(onLine(line));
        m_partialLine.clear();
    }
    return actions;
}

GuardAction GuardWatch::onLine(std::string_view line) {
    if (line == kGuardUnkeyed) {
        m_keyed = false;
        return deadline(GuardAction::Deadline::Stop);
    }
    if (line == kGuardEnd) {
        if (m_keyed) {
            return unkeyAndExit("the window ended the sweep without saying it had unkeyed");
        }
        return endQuietly();
    }
    GuardAction action = deadline(GuardAction::Deadline::Start);
    // A word the guard does not know may have meant that the window keys: the guard then
    // unkeys once too often, never once too few.
    if (line != kGuardKeying && !m_unknownWordReported) {
        m_unknownWordReported = true;
        action.notice = "the window said \"" + printableGuardLine(line.substr(0, kMaxLineChars)) +
                        "\", which is not " + std::string(kGuardKeying) + ", " +
                        std::string(kGuardUnkeyed) + " or " + std::string(kGuardEnd) +
                        "; the transmitter is taken as keyed";
    }
    m_keyed = true;
    m_silenceReported = false;
    return action;
}

GuardAction GuardWatch::onWindowGone() const {
    if (m_keyed) {
        return unkeyAndExit("the window went away while the transmitter was keyed");
    }
    return endQuietly();
}

GuardAction GuardWatch::onDeadline() {
    if (!m_keyed) {
        return {};
    }
    GuardAction action = deadline(GuardAction::Deadline::Start);
    action.unkey = true;
    if (!m_silenceReported) {
        m_silenceReported = true;
        action.notice = "the window has said nothing for " +
                        std::to_string(kGuardKeyedDeadline.count() / 1000) +
                        " s while the transmitter was keyed (hung or stopped)";
    }
    return action;
}

GuardAction GuardWatch::onTerminate() const {
    if (m_keyed) {
        return unkeyAndExit("stopped by SIGTERM while the transmitter was keyed");
    }
    return endQuietly();
}

GuardAction GuardWatch::unkeyAndExit(std::string notice) const {
    GuardAction action = endQuietly();
    action.unkey = true;
    action.notice = std::move(notice);
    return action;
}

}  // namespace zm
