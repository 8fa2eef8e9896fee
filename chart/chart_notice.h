// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <string>
#include <string_view>

class QChart;

namespace zm {

// The lines above the plot: the window's notice, then what the sweep's record says of its
// points beyond the feedline's loss. Each is wrapped at the chart's width rather than cut,
// and shown as the text it is.
class ChartNotice {
public:
    explicit ChartNotice(QChart& chart);

    void setNotice(std::string_view notice);  // the window's, "\n" between its lines
    void setRecordNotice(std::string notice);
    const std::string& shownNotice() const { return m_notice; }  // the window's, as set
    // Laid out again for the chart's width, in its own pixels.
    void wrap(double chartWidthPx);
    QString text() const { return m_text; }  // the window's and the record's, as one text
    QString asDrawn() const;                 // the same as rich text, its lines wrapped

private:
    void compose();

    QChart& m_chart;
    std::string m_notice;
    std::string m_recordNotice;
    QString m_text;  // before it is wrapped
};

}  // namespace zm
