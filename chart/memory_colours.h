// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <array>

#include "results/memory_file.h"

namespace zm {

// The memories' colours, told apart by eye and from the sweep's solid lines (Okabe and Ito's
// palette for colour-blind readers, without its yellow, which white paper swallows).
inline QColor memoryColour(int index) {
    static const std::array<QColor, kMemoryColours> kColours{
        QColor(0, 114, 178), QColor(230, 159, 0),  QColor(0, 158, 115), QColor(204, 121, 167),
        QColor(213, 94, 0),  QColor(86, 180, 233), QColor(140, 86, 75), QColor(120, 120, 120)};
    constexpr int count = kMemoryColours;
    return kColours[static_cast<std::size_t>(((index % count) + count) % count)];
}

}  // namespace zm
