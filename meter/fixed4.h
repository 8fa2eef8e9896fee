// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cmath>
#include <cstdint>
#include <compare>

namespace zm {

// A decimal with four places, kept as a count of ten-thousandths, so that a meter
// field of "1.50" is 1.5 exactly and stays exact through the plot grid.
class Fixed4 {
public:
    constexpr Fixed4() = default;

    // Nearest ten-thousandth, halves to the even neighbour; values beyond the
    // 64-bit range saturate.
    static Fixed4 fromDouble(double value) {
        const double scaled = std::nearbyint(value * 10000.0);
        Fixed4 result;
        if (std::isnan(scaled)) {
            return result;
        }
        constexpr double kLimit = 9.2e18;
        result.m_tenThousandths = scaled >= kLimit    ? INT64_MAX
                                  : scaled <= -kLimit ? INT64_MIN
                                                      : static_cast<std::int64_t>(scaled);
        return result;
    }
    static constexpr Fixed4 fromTenThousandths(std::int64_t count) {
        Fixed4 result;
        result.m_tenThousandths = count;
        return result;
    }

    constexpr std::int64_t tenThousandths() const { return m_tenThousandths; }
    double toDouble() const { return static_cast<double>(m_tenThousandths) / 10000.0; }

    friend constexpr auto operator<=>(Fixed4, Fixed4) = default;

private:
    std::int64_t m_tenThousandths = 0;
};

}  // namespace zm
