// SPDX-License-Identifier: GPL-3.0-or-later
// View, Zoom on the window: config.ini reads the same at every zoom, window.ini keeps the
// zoom, and a zoom that would not fit the screen (the offscreen platform's 800 x 600) is
// greyed with the reason.

#include <QAction>
#include <QMenu>

#include "tests/support/window_fixture.h"

namespace zm::test {
namespace {

// Each test runs in a process of its own: the application's zoom does not outlive it.
using WindowZoomTest = WindowTest;

TEST_F(WindowZoomTest, ConfigIniReadsTheSameAtEveryZoom) {
    const QByteArray settings = configText("1215", "1170", "1", "7230", "False", "True", "2", "0");
    writeConfig(settings);
    start();
    for (const int percent : {150, 125, 200, 175, 100}) {
        SCOPED_TRACE(percent);
        const Zoom zoom = *Zoom::ofPercent(percent);
        window->windowZoom().choose(zoom);
        EXPECT_EQ(window->windowZoom().clientHeightPixels(), twipsToPixels(7230 - 690, zoom));
        window->SaveConfig();
        EXPECT_EQ(readConfig(), settings);
        EXPECT_EQ(readConfig("window.ini"), "[window]\nzoom=" + QByteArray::number(percent) + "\n");
    }
    // The display sizes at a zoom are the design's twips too.
    window->windowZoom().choose(*Zoom::ofPercent(175));
    window->mnuNormal_Click();
    window->SaveConfig();
    EXPECT_EQ(readConfig(), configText("1215", "1170", "1", "6645", "True", "False", "2", "0"));
}

struct WindowFileStart {
    const char* name;
    QByteArray text;  // window.ini; empty for none
    int percent;      // the window starts at
    bool said;        // a message, and the file kept as window.ini.bad
};

TEST_F(WindowZoomTest, StartsAtTheZoomOfWindowIniOrSaysOnceWhyNot) {
    const WindowFileStart table[] = {
        {"no file", "", 100, false},
        {"125 %", "[window]\nzoom=125\n", 125, false},
        // 800 x 600 takes the window at 125 % and no larger; the file keeps 200 for a larger
        // screen.
        {"too large for the screen", "[window]\nzoom=200\n", 125, false},
        {"damaged", "[window]\nzoom=110\n", 100, true},
    };
    for (const WindowFileStart& row : table) {
        SCOPED_TRACE(row.name);
        QFile::remove(configPath("window.ini"));
        QFile::remove(configPath("window.ini.bad"));
        if (!row.text.isEmpty()) {
            writeConfig(row.text, "window.ini");
        }
        createWindow();
        start();
        window->Combo3_Click();  // start-up again: said once only
        EXPECT_EQ(window->windowZoom().zoom().percent(), row.percent);
        EXPECT_EQ(messages->shown.size(), row.said ? 1u : 0u);
        EXPECT_EQ(QFile::exists(configPath("window.ini.bad")), row.said);
        if (!row.said) {
            EXPECT_EQ(readConfig("window.ini"), row.text);
        }
        window.reset();
    }
}

TEST_F(WindowZoomTest, ZoomsThatWouldNotFitTheScreenAreGreyedWithTheReason) {
    start();
    window->controls().mnuZoom->aboutToShow();
    for (std::size_t i = 0; i < Zoom::kPercents.size(); ++i) {
        const QAction* step = window->controls().mnuZoomTo[i];
        const bool fits = Zoom::kPercents[i] <= 125;
        EXPECT_EQ(step->isEnabled(), fits) << Zoom::kPercents[i];
        EXPECT_EQ(step->toolTip().startsWith("Too large for this screen: at "), !fits)
            << step->toolTip().toStdString();
    }
    window->windowZoom().zoomIn();
    window->windowZoom().zoomIn();  // 150 % would not fit: it stays at 125 %
    EXPECT_EQ(window->windowZoom().zoom().percent(), 125);
    EXPECT_FALSE(window->controls().mnuZoomIn->isEnabled());
    window->windowZoom().zoomOut();
    EXPECT_EQ(window->windowZoom().zoom().percent(), 100);
}

}  // namespace
}  // namespace zm::test
