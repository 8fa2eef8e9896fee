// SPDX-License-Identifier: GPL-3.0-or-later

#include "sweep/refine_rule.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "sweep/grid_answers.h"

namespace zm {

namespace {

constexpr double kLineOhms = 50.0;  // the meter's reference

std::complex<double> gammaOf(const RefineReading& reading) {
    return (reading.impedanceOhms - kLineOhms) / (reading.impedanceOhms + kLineOhms);
}

double swrOfRho(double rho) {
    return rho < 1.0 ? (1.0 + rho) / (1.0 - rho) : std::numeric_limits<double>::infinity();
}

// Where between two readings the SWR passes `line`, as a share of the way from a to b. R
// and X are taken to run straight between them (near a resonance X nearly does; the SWR
// bends sharply there), so the share is found on the SWR of that impedance. Where the
// meter's SWR and its Z disagree about the sides, the meter's SWR runs straight instead.
double crossingShare(const RefineReading& a, const RefineReading& b, double line) {
    const auto belowAt = [&](double share) {
        const std::complex<double> z =
            a.impedanceOhms + share * (b.impedanceOhms - a.impedanceOhms);
        return swrOfRho(std::abs((z - kLineOhms) / (z + kLineOhms))) < line;
    };
    const bool aBelow = belowAt(0.0);
    if (aBelow == belowAt(1.0)) {
        return (line - a.swr) / (b.swr - a.swr);
    }
    double low = 0.0;
    double high = 1.0;
    for (int halving = 0; halving < 40; ++halving) {
        const double middle = (low + high) / 2.0;
        (belowAt(middle) == aBelow ? low : high) = middle;
    }
    return (low + high) / 2.0;
}

// Where the parabola through three points of |Gamma|^2 has its bottom, and how low it is.
struct Bottom {
    double index;
    double rhoSquared;
};

class Refiner {
public:
    explicit Refiner(std::span<const RefinePoint> points) : m_points(points) {
        for (int i = 0; i < count(); ++i) {
            if (m_points[static_cast<std::size_t>(i)].reading) {
                m_keyed.push_back(i);
            }
        }
    }

    // Both ends and points at most kRefineCoarseSpacing apart, upwards.
    std::optional<int> coarsePoint() const {
        const int last = count() - 1;
        const int intervals = std::max(2, (last + kRefineCoarseSpacing - 1) / kRefineCoarseSpacing);
        for (int j = 0; j <= intervals && j <= last; ++j) {
            const int index =
                last <= intervals ? j : static_cast<int>(std::lround(double(j) * last / intervals));
            if (isOpen(index)) {
                return index;
            }
        }
        return std::nullopt;
    }

    // A crossing of SWR 2 or 1.5, or a sign change of X, between keyed neighbours that are
    // no grid neighbours: the point where it is expected.
    std::optional<int> answerPoint() const {
        for (std::size_t k = 1; k < m_keyed.size(); ++k) {
            const int a = m_keyed[k - 1];
            const int b = m_keyed[k];
            const RefineReading& ra = readingAt(a);
            const RefineReading& rb = readingAt(b);
            for (const double line : kSwrLines) {
                if (crossesSwrLine(ra, rb, line)) {
                    if (auto point = openNear(a, b, a + (b - a) * crossingShare(ra, rb, line))) {
                        return point;
                    }
                }
            }
            if (changesReactanceSign(ra, rb)) {
                const double xa = ra.impedanceOhms.imag();
                const double share = xa / (xa - rb.impedanceOhms.imag());
                if (auto point = openNear(a, b, a + (b - a) * share)) {
                    return point;
                }
            }
        }
        return std::nullopt;
    }

    // The lowest SWR keyed (the first of equals) until both its grid neighbours are keyed;
    // so every other dip whose bottom, by the parabola through it and its keyed
    // neighbours, could lie lower. Aimed at that bottom, then beside the dip. A dip's
    // bottom may be flat, the meter's SWR having two decimals: keyed grid neighbours of
    // the same SWR are one bottom, which ends where the SWR is higher on both sides, or
    // where |Gamma| of the meter's Z and phase, finer than its SWR, no longer falls.
    std::optional<int> dipPoint() const {
        const auto lowest = std::min_element(m_keyed.begin(), m_keyed.end(), [&](int a, int b) {
            return readingAt(a).swr < readingAt(b).swr;
        });
        for (std::size_t k = 0; k < m_keyed.size(); ++k) {
            const int m = m_keyed[k];
            const double swr = readingAt(m).swr;
            std::size_t last = k;  // of the flat bottom
            while (last + 1 < m_keyed.size() && m_keyed[last + 1] == m_keyed[last] + 1 &&
                   readingAt(m_keyed[last + 1]).swr == swr) {
                ++last;
            }
            const int end = m_keyed[last];
            const std::optional<int> left = k > 0 ? std::optional(m_keyed[k - 1]) : std::nullopt;
            const std::optional<int> right =
                last + 1 < m_keyed.size() ? std::optional(m_keyed[last + 1]) : std::nullopt;
            const bool isLowest = m == *lowest;
            if (!isLowest && ((left && readingAt(*left).swr <= swr) ||
                              (right && readingAt(*right).swr <= swr))) {
                continue;  // no dip of its own
            }
            const bool openLeft = left && hasOpenBetween(*left, m);
            const bool bottomDescends = end == m || std::norm(gammaOf(readingAt(end))) <
                                                        std::norm(gammaOf(readingAt(end - 1)));
            const bool openRight = right && bottomDescends && hasOpenBetween(end, *right);
            if (!openLeft && !openRight) {
                continue;
            }
            const Bottom bottom = left && right
                                      ? bottomThrough(*left, m, *right)
                                      : Bottom{double(m), std::norm(gammaOf(readingAt(m)))};
            if (!isLowest && !(swrOfRho(std::sqrt(bottom.rhoSquared)) < readingAt(*lowest).swr)) {
                continue;
            }
            const int low = left.value_or(-1);
            const int high = right.value_or(count());
            double aim = std::round(bottom.index);
            if (aim <= low || aim >= high || (aim >= m && aim <= end)) {
                aim = (bottom.index < m && openLeft) || !openRight ? m - 1 : end + 1;
            }
            if (auto point = openNear(low, high, aim)) {
                return point;
            }
        }
        return std::nullopt;
    }

    // Keyed neighbours between which Gamma turns, seen from the chart's centre, by more
    // than the tolerance: a dip may hide between them, high SWR at both. Their middle.
    std::optional<int> turnPoint() const {
        for (std::size_t k = 1; k < m_keyed.size(); ++k) {
            const int a = m_keyed[k - 1];
            const int b = m_keyed[k];
            const std::complex<double> ga = gammaOf(readingAt(a));
            const std::complex<double> gb = gammaOf(readingAt(b));
            const double turnDegrees =
                std::fabs(std::arg(gb * std::conj(ga))) * 180.0 / std::numbers::pi;
            if (turnDegrees > kRefineTurnDegrees && std::abs(gb - ga) > kRefineTurnChord) {
                if (auto point = openNear(a, b, (a + b) / 2)) {
                    return point;
                }
            }
        }
        return std::nullopt;
    }

    // A keyed point below SWR 3 further than the tolerance off the straight line between
    // its keyed neighbours: the middle of the wider gap beside it, then of the other.
    std::optional<int> bendPoint() const {
        for (std::size_t k = 2; k < m_keyed.size(); ++k) {
            const int l = m_keyed[k - 2];
            const int p = m_keyed[k - 1];
            const int r = m_keyed[k];
            const double sl = readingAt(l).swr;
            const double sp = readingAt(p).swr;
            const double sr = readingAt(r).swr;
            if (std::max({sl, sp, sr}) > kRefineBendBelowSwr) {
                continue;
            }
            const double straight = sl + (sr - sl) * (p - l) / (r - l);
            if (std::fabs(sp - straight) <= kRefineBendSwr) {
                continue;
            }
            const bool leftWider = p - l >= r - p;
            for (const auto& [a, b] : {leftWider ? KeyedPair{l, p} : KeyedPair{p, r},
                                       leftWider ? KeyedPair{p, r} : KeyedPair{l, p}}) {
                if (auto point = openNear(a, b, (a + b) / 2)) {
                    return point;
                }
            }
        }
        return std::nullopt;
    }

private:
    int count() const { return static_cast<int>(m_points.size()); }
    const RefineReading& readingAt(int index) const {
        return *m_points[static_cast<std::size_t>(index)].reading;
    }
    bool isOpen(int index) const {
        const RefinePoint& point = m_points[static_cast<std::size_t>(index)];
        return point.keyable && !point.reading;
    }
    bool hasOpenBetween(int after, int before) const {
        for (int i = after + 1; i < before; ++i) {
            if (isOpen(i)) {
                return true;
            }
        }
        return false;
    }
    // The open point nearest to `wanted` strictly between `after` and `before`.
    std::optional<int> openNear(int after, int before, double wanted) const {
        if (before - after < 2) {
            return std::nullopt;
        }
        const int aim =
            std::clamp(static_cast<int>(std::floor(wanted + 0.5)), after + 1, before - 1);
        for (int distance = 0; aim - distance > after || aim + distance < before; ++distance) {
            for (const int index : {aim - distance, aim + distance}) {
                if (index > after && index < before && isOpen(index)) {
                    return index;
                }
            }
        }
        return std::nullopt;
    }
    // The parabola through |Gamma|^2 at three keyed points; none opening downwards.
    Bottom bottomThrough(int l, int m, int r) const {
        const double x0 = l - m;
        const double x2 = r - m;
        const double y0 = std::norm(gammaOf(readingAt(l)));
        const double y1 = std::norm(gammaOf(readingAt(m)));
        const double y2 = std::norm(gammaOf(readingAt(r)));
        // y = a x^2 + b x + y1, x counted from m.
        const double a = ((y0 - y1) / x0 - (y2 - y1) / x2) / (x0 - x2);
        const double b = (y0 - y1) / x0 - a * x0;
        if (!(a > 0.0)) {
            return {double(m), y1};
        }
        const double x = -b / (2.0 * a);
        return {m + x, std::max(0.0, y1 + x * (b + a * x))};
    }

    std::span<const RefinePoint> m_points;
    std::vector<int> m_keyed;
};

}  // namespace

std::optional<int> nextPointToKey(std::span<const RefinePoint> points) {
    const Refiner refiner(points);
    for (const auto rule : {&Refiner::coarsePoint, &Refiner::answerPoint, &Refiner::dipPoint,
                            &Refiner::turnPoint, &Refiner::bendPoint}) {
        if (auto point = (refiner.*rule)()) {
            return point;
        }
    }
    return std::nullopt;
}

}  // namespace zm
