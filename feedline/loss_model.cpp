// SPDX-License-Identifier: GPL-3.0-or-later

#include "feedline/loss_model.h"

#include <algorithm>
#include <cmath>

namespace zm {

namespace {

// Least squares of one term alone, weighted as fitLossModel says: sum of (k t/d - 1)^2.
double fitOneTerm(const std::vector<LossPoint>& points, double (*term)(double)) {
    double tt = 0.0;
    double t = 0.0;
    for (const LossPoint& point : points) {
        const double scaled = term(point.frequencyMHz) / point.dbPer100m;
        tt += scaled * scaled;
        t += scaled;
    }
    return tt > 0.0 ? t / tt : 0.0;
}

double rootTerm(double frequencyMHz) {
    return std::sqrt(frequencyMHz);
}

double linearTerm(double frequencyMHz) {
    return frequencyMHz;
}

// The sum of squared relative errors of a model, to choose between the one-term fits.
double relativeError(const LossModel& model, const std::vector<LossPoint>& points) {
    double sum = 0.0;
    for (const LossPoint& point : points) {
        const double error = model.dbPer100m(point.frequencyMHz) / point.dbPer100m - 1.0;
        sum += error * error;
    }
    return sum;
}

}  // namespace

double LossModel::dbPer100m(double frequencyMHz) const {
    return conductorDbPer100m(frequencyMHz) + dielectricDbPer100m(frequencyMHz);
}

double LossModel::conductorDbPer100m(double frequencyMHz) const {
    return k1 * std::sqrt(frequencyMHz);
}

double LossModel::dielectricDbPer100m(double frequencyMHz) const {
    return k2 * frequencyMHz;
}

LossModel fitLossModel(const std::vector<LossPoint>& given) {
    std::vector<LossPoint> points;
    std::copy_if(given.begin(), given.end(), std::back_inserter(points),
                 [](const LossPoint& p) { return p.frequencyMHz > 0.0 && p.dbPer100m > 0.0; });
    if (points.empty()) {
        return {};
    }
    // The normal equations of sum ((k1 a + k2 b) - 1)^2 with a = sqrt(f)/d, b = f/d.
    double aa = 0.0, ab = 0.0, bb = 0.0, a1 = 0.0, b1 = 0.0;
    for (const LossPoint& point : points) {
        const double a = std::sqrt(point.frequencyMHz) / point.dbPer100m;
        const double b = point.frequencyMHz / point.dbPer100m;
        aa += a * a;
        ab += a * b;
        bb += b * b;
        a1 += a;
        b1 += b;
    }
    const double determinant = aa * bb - ab * ab;
    const bool twoFrequencies = std::any_of(points.begin(), points.end(), [&](const LossPoint& p) {
        return p.frequencyMHz != points.front().frequencyMHz;
    });
    if (twoFrequencies && determinant > 1e-12 * aa * bb) {
        const LossModel both{(a1 * bb - b1 * ab) / determinant, (b1 * aa - a1 * ab) / determinant};
        if (both.k1 >= 0.0 && both.k2 >= 0.0) {
            return both;
        }
        const LossModel conductor{fitOneTerm(points, rootTerm), 0.0};
        const LossModel dielectric{0.0, fitOneTerm(points, linearTerm)};
        return relativeError(conductor, points) <= relativeError(dielectric, points) ? conductor
                                                                                     : dielectric;
    }
    return {fitOneTerm(points, rootTerm), 0.0};
}

}  // namespace zm
