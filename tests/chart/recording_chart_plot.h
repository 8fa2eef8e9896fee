// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "chart/chart_plot.h"

namespace zm {

// Writes down every property write as one line ("min Y2 1"), so a test can compare the exact
// order of the calls a plot mode makes.
class RecordingChartPlot : public ChartPlot {
public:
    std::vector<std::string> calls;

    void setAxisTitle(AxisId axis, std::string_view title) override {
        record("title", axis, std::string(title));
    }
    void setAutoScale(AxisId axis, bool automatic) override {
        record("auto", axis, automatic ? "on" : "off");
    }
    void setMinimum(AxisId axis, double minimum) override { record("min", axis, number(minimum)); }
    void setMaximum(AxisId axis, double maximum) override { record("max", axis, number(maximum)); }
    void setMajorDivision(AxisId axis, std::int16_t divisions) override {
        record("major", axis, std::to_string(divisions));
    }
    void setMinorDivision(AxisId axis, std::int16_t divisions) override {
        record("minor", axis, std::to_string(divisions));
    }
    void setShowLine(int series, bool show) override {
        calls.push_back("line " + std::to_string(series) + (show ? " show" : " hide"));
    }

private:
    static std::string number(double value) {
        std::ostringstream text;
        text << value;
        return text.str();
    }
    void record(const char* what, AxisId axis, const std::string& value) {
        calls.push_back(std::string(what) + (axis == AxisId::Y ? " Y " : " Y2 ") + value);
    }
};

}  // namespace zm
