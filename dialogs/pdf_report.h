// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QPageSize>
#include <QString>
#include <vector>

#include "chart/chart_control.h"

namespace zm {

// What a report says beside its charts.
struct ReportText {
    QString title;                      // the pictures' title line
    QString comment;                    // the user's, under the title; none when empty
    QString footer;                     // the program's name and version, and the date
    std::vector<TraceFeatures> traces;  // the marker table, a row each
};

// The report: one landscape page, vector throughout, its text searchable. The title and
// comment, the main chart with its legend across the page's width, under it the marker
// table, and beside the table the Smith chart when there is one; the footer at the bottom.
QByteArray reportPdf(const ReportText& text, ChartPicture& chart, ChartPicture* smithChart);

// A4, or US Letter where the locale measures in inches.
QPageSize reportPaper();

}  // namespace zm
