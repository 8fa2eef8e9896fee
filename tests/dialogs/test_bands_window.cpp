// SPDX-License-Identifier: GPL-3.0-or-later
// The Bands window: Ctrl+C copies the table as the window shows it, and the window comes
// back at the size the user left it.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

#include "dialogs/bands_window.h"
#include "tests/support/fake_devices.h"

namespace zm {
namespace {

// A band of a multiband wire: a dip of `lowest` at `dipShare` of the band, 20 points, the
// phase passing zero at the dip; the fifth point outside the plan.
BandResult bandOf(const char* name, double lowMHz, double highMHz, double lowest, double dipShare) {
    BandResult band{name, {}};
    band.record.notes = {"2024-05-01 14:03:22", lowMHz, highMHz, (highMHz - lowMHz) / 19, 2};
    for (int i = 0; i < 20; ++i) {
        const double share = i / 19.0;
        const double swr = lowest + 12.0 * std::pow(share - dipShare, 2);
        SweepPoint point{std::llround((lowMHz + share * (highMHz - lowMHz)) * 1e6), std::nullopt};
        if (i != 4) {
            point.reading = PointReading{50.0, 50.0 * swr, 40.0 * (share - dipShare), swr};
        }
        band.record.points.push_back(point);
    }
    return band;
}

std::vector<BandResult> tenBands() {
    return {bandOf("160m", 1.81, 2.0, 1.6, 0.2),     bandOf("80m", 3.5, 3.8, 1.2, 0.6),
            bandOf("60m", 5.3515, 5.3665, 1.9, 0.5), bandOf("40m", 7.0, 7.2, 1.1, 0.4),
            bandOf("30m", 10.1, 10.15, 2.4, 0.7),    bandOf("20m", 14.0, 14.35, 1.3, 0.45),
            bandOf("17m", 18.068, 18.168, 1.5, 1.1), bandOf("15m", 21.0, 21.45, 1.25, 0.3),
            bandOf("12m", 24.89, 24.99, 1.7, -0.2),  bandOf("10m", 28.0, 29.7, 1.4, 0.35)};
}

TEST(BandsWindow, CtrlCCopiesTheTableLineByLineAsShown) {
    QTemporaryDir settings;
    test::RecordingClipboard clipboard;
    BandsWindow window(QDir(settings.path()).filePath("bands-window.ini"), clipboard, nullptr);
    window.setBands(tenBands());
    window.show();
    QApplication::processEvents();
    if (const QByteArray dir = qgetenv("ZM_BUILD_DIR"); !dir.isEmpty()) {
        window.grab().save(QString::fromLocal8Bit(dir) + "/bands-window.png");  // for a look
    }
    EXPECT_EQ(window.panelCount(), 10);

    // Also from the table, which Tab reaches for a screen reader to walk its cells.
    window.table()->setFocus();
    QTest::keySequence(window.table(), QKeySequence::Copy);
    ASSERT_EQ(clipboard.copied.size(), 1u);
    const QStringList lines = QString::fromStdString(clipboard.copied[0]).split('\n');
    const QTableWidget& table = *window.table();
    ASSERT_EQ(lines.size(), table.rowCount() + 2);  // the headings, and the last line's end
    for (int row = 0; row < table.rowCount(); ++row) {
        QStringList shown;
        for (int column = 0; column < table.columnCount(); ++column) {
            shown << table.item(row, column)->text();
        }
        EXPECT_EQ(lines[row + 1].simplified(), shown.join(' ')) << row;
    }
}

TEST(BandsWindow, ComesBackAtTheSizeItWasLeft) {
    QTemporaryDir settings;
    test::RecordingClipboard clipboard;
    const QString file = QDir(settings.path()).filePath("bands-window.ini");
    {
        BandsWindow window(file, clipboard, nullptr);
        window.show();
        window.resize(900, 560);
        QApplication::processEvents();
        window.close();
    }
    BandsWindow again(file, clipboard, nullptr);
    EXPECT_EQ(again.size(), QSize(900, 560));
}

}  // namespace
}  // namespace zm
