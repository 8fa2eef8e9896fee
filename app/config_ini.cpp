// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/config_ini.h"

#include <array>
#include <utility>

namespace zm {

namespace {

// The plot mode's and the carrier mode's slots, and their entries at a first start.
constexpr std::array<std::pair<int, const char*>, 2> kFirstStartLists{{{6, "2"}, {7, "0"}}};

}  // namespace

const ConfigValues& ConfigIni::read() {
    const auto text = m_unsaved ? m_unsaved : m_store.read();
    m_unsaved.reset();
    if (text) {
        readConfigText(*text, m_values);
    } else {
        for (const auto& [slot, index] : kFirstStartLists) {
            m_values[slot] = m_values[slot].value_or(index);
        }
    }
    return m_values;
}

bool ConfigIni::write(const ConfigSettings& settings, std::string& whyNot) {
    std::string text = writeConfigText(settings);
    if (m_store.write(text, whyNot)) {
        return true;
    }
    m_unsaved = std::move(text);
    return false;
}

}  // namespace zm
