// SPDX-License-Identifier: GPL-3.0-or-later

#include "chart/chart_notice.h"

#include <QChart>
#include <QFontMetricsF>
#include <QStringList>

namespace zm {

namespace {

// The chart's margins and the title's own, either side.
constexpr qreal kNoticeMarginPx = 24.0;

}  // namespace

ChartNotice::ChartNotice(QChart& chart) : m_chart(chart) {}

void ChartNotice::setNotice(std::string_view notice) {
    m_notice = notice;
    compose();
}

void ChartNotice::setRecordNotice(std::string notice) {
    m_recordNotice = std::move(notice);
    compose();
}

void ChartNotice::compose() {
    m_text = QString::fromStdString(m_notice.empty() || m_recordNotice.empty()
                                        ? m_notice + m_recordNotice
                                        : m_notice + " " + m_recordNotice);
    wrap(m_chart.size().width());
}

QString ChartNotice::asDrawn() const {
    return m_chart.title();
}

// Qt Charts cuts a title wider than the chart ("...they are not keyed. Keyed ..."), and reads
// it as rich text: the notice's words go into lines that fit, each escaped, "<br>" between.
void ChartNotice::wrap(double chartWidthPx) {
    const QFontMetricsF metrics(m_chart.titleFont());
    const qreal widthPx = chartWidthPx - kNoticeMarginPx;
    QStringList lines;
    for (const QString& paragraph : m_text.split('\n')) {
        QString line;
        for (const QString& word : paragraph.split(' ', Qt::SkipEmptyParts)) {
            const QString longer = line.isEmpty() ? word : line + ' ' + word;
            if (!line.isEmpty() && widthPx > 0 && metrics.horizontalAdvance(longer) > widthPx) {
                lines << line.toHtmlEscaped();
                line = word;
            } else {
                line = longer;
            }
        }
        lines << line.toHtmlEscaped();
    }
    m_chart.setTitle(m_text.isEmpty() ? QString() : lines.join("<br>"));
}

}  // namespace zm
