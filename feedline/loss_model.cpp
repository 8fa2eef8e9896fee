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

// k1 sqrt(f) + k2 f nearest to the points, with neither part below 0.
LossModel fitTwoTerms(const std::vector<LossPoint>& points) {
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
    if (points.size() > 1 && determinant > 1e-12 * aa * bb) {
        const LossModel both{
            (a1 * bb - b1 * ab) / determinant, (b1 * aa - a1 * ab) / determinant, {}};
        if (both.k1 >= 0.0 && both.k2 >= 0.0) {
            return both;
        }
        const LossModel conductor{fitOneTerm(points, rootTerm), 0.0, {}};
        const LossModel dielectric{0.0, fitOneTerm(points, linearTerm), {}};
        return relativeError(conductor, points) <= relativeError(dielectric, points) ? conductor
                                                                                     : dielectric;
    }
    return {fitOneTerm(points, rootTerm), 0.0, {}};
}

// Sorted by frequency, one point a frequency.
std::vector<LossPoint> figuresOf(const std::vector<LossPoint>& given) {
    std::vector<LossPoint> points;
    std::copy_if(given.begin(), given.end(), std::back_inserter(points), [](const LossPoint& p) {
        return std::isfinite(p.frequencyMHz) && std::isfinite(p.dbPer100m) &&
               p.frequencyMHz > 0.0 && p.dbPer100m > 0.0;
    });
    std::stable_sort(points.begin(), points.end(), [](const LossPoint& a, const LossPoint& b) {
        return a.frequencyMHz < b.frequencyMHz;
    });
    std::vector<LossPoint> figures;
    for (std::size_t first = 0; first < points.size();) {
        std::size_t end = first;
        double logSum = 0.0;
        for (; end < points.size() && points[end].frequencyMHz == points[first].frequencyMHz;
             ++end) {
            logSum += std::log(points[end].dbPer100m);
        }
        figures.push_back(
            {points[first].frequencyMHz, std::exp(logSum / static_cast<double>(end - first))});
        first = end;
    }
    return figures;
}

}  // namespace

double LossModel::fitted(double frequencyMHz) const {
    return k1 * std::sqrt(frequencyMHz) + k2 * frequencyMHz;
}

double LossModel::dbPer100m(double frequencyMHz) const {
    if (!(frequencyMHz > 0.0)) {
        return 0.0;
    }
    if (figures.empty()) {
        return fitted(frequencyMHz);
    }
    // Beyond the figures: the fit's shape through the nearest one.
    const auto carried = [&](const LossPoint& from) {
        const double shape = fitted(from.frequencyMHz);
        return shape > 0.0 ? from.dbPer100m * fitted(frequencyMHz) / shape
                           : from.dbPer100m * std::sqrt(frequencyMHz / from.frequencyMHz);
    };
    if (frequencyMHz <= figures.front().frequencyMHz) {
        return carried(figures.front());
    }
    if (frequencyMHz >= figures.back().frequencyMHz) {
        return carried(figures.back());
    }
    const auto above = std::upper_bound(
        figures.begin(), figures.end(), frequencyMHz,
        [](double mhz, const LossPoint& figure) { return mhz < figure.frequencyMHz; });
    const LossPoint& a = *(above - 1);
    const LossPoint& b = *above;
    const double along =
        std::log(frequencyMHz / a.frequencyMHz) / std::log(b.frequencyMHz / a.frequencyMHz);
    return a.dbPer100m * std::pow(b.dbPer100m / a.dbPer100m, along);
}

double LossModel::conductorShare(double frequencyMHz) const {
    const double whole = fitted(frequencyMHz);
    return whole > 0.0 ? k1 * std::sqrt(frequencyMHz) / whole : 1.0;
}

double LossModel::conductorDbPer100m(double frequencyMHz) const {
    return dbPer100m(frequencyMHz) * conductorShare(frequencyMHz);
}

double LossModel::dielectricDbPer100m(double frequencyMHz) const {
    return dbPer100m(frequencyMHz) * (1.0 - conductorShare(frequencyMHz));
}

LossModel fitLossModel(const std::vector<LossPoint>& points) {
    LossModel model;
    model.figures = figuresOf(points);
    if (!model.figures.empty()) {
        const LossModel fit = fitTwoTerms(model.figures);
        model.k1 = fit.k1;
        model.k2 = fit.k2;
    }
    return model;
}

}  // namespace zm
