// SPDX-License-Identifier: GPL-3.0-or-later
// Where each control of the form stands, in which font, in which order the Tab key visits
// them, and what shows at each display size.

#include <gtest/gtest.h>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRegion>

#include "app/lamp_images.h"
#include "tests/app/form_layout_fixture.h"

namespace zm {
namespace {

// The client area at the two display sizes: 6645 and 7230 twips outer height, less the
// 46 pixels of title bar, menu bar and frame.
constexpr int kNormalClientHeightPx = 397;
constexpr int kDiagClientHeightPx = 436;

struct Placement {
    const char* name;
    QRect pixels;
    const char* family;  // the font the control shows, requested by name; nullptr: see
    double pointSize;    // RawResponseLineHoldsAWholeRecord
};

TEST_F(FormLayout, EveryControlSitsAtItsDesignPlaceInItsFont) {
    const Placement table[] = {
        {"MSChart1", {8, 8, 529, 297}, "Arial", 9.75},
        {"Label1", {8, 304, 529, 25}, "Arial", 9.75},
        {"Label10", {8, 336, 57, 21}, "Arial", 9},
        {"Text2", {64, 336, 41, 21}, "Arial", 9},
        {"Label11", {112, 336, 57, 21}, "Arial", 9},
        {"Text3", {168, 336, 41, 21}, "Arial", 9},
        {"Label12", {216, 336, 33, 21}, "Arial", 9},
        {"Combo1", {248, 336, 73, 23}, "Arial", 9},
        {"cmdClear", {328, 336, 41, 17}, "Arial", 9},
        {"cmdRun", {384, 336, 41, 17}, "Arial", 9},
        {"Combo2", {440, 336, 89, 24}, "Arial", 9.75},
        {"Label4", {8, 368, 25, 21}, "Arial", 9},
        {"Text4", {32, 368, 49, 21}, "Arial", 9},
        {"Label5", {88, 368, 17, 21}, "Arial", 9},
        {"Text5", {104, 368, 41, 21}, "Arial", 9},
        {"Label13", {160, 368, 25, 21}, "Arial", 9},
        {"Text6", {184, 368, 41, 21}, "Arial", 9},
        {"Label17", {232, 368, 17, 21}, "Arial", 9},
        {"Text15", {248, 368, 41, 21}, "Arial", 9},
        {"Label18", {296, 368, 17, 21}, "Arial", 9},
        {"Text16", {312, 368, 41, 21}, "Arial", 9},
        {"Label2", {360, 368, 33, 21}, "Arial", 9},
        {"Text1", {392, 368, 41, 21}, "Arial", 9},
        {"Check2_0", {448, 400, 17, 17}, "Arial", 9.75},
        {"Label14", {464, 400, 25, 17}, "Arial", 9},
        {"Combo3", {288, 405, 73, 24}, "Arial", 9.75},
        {"Combo4", {368, 405, 73, 24}, "Arial", 9.75},
        {"Label31", {8, 408, 249, 17}, nullptr, 0},
        {"Picture2_0", {264, 408, 17, 17}, "Arial", 9.75},
        {"Picture5", {264, 408, 17, 17}, "Arial", 9.75},
        {"Check2_1", {448, 416, 17, 17}, "Arial", 9.75},
        {"Label16", {464, 416, 73, 17}, "Arial", 9},
    };
    for (const Placement& row : table) {
        SCOPED_TRACE(row.name);
        QWidget* widget = control(row.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->geometry(), row.pixels);
        if (row.family != nullptr) {
            EXPECT_EQ(widget->font().family(), QString::fromLatin1(row.family));
            EXPECT_DOUBLE_EQ(widget->font().pointSizeF(), row.pointSize);
        }
    }
}

TEST_F(FormLayout, EveryPointerIsFilledWithTheNamedControl) {
    const std::pair<QObject*, const char*> table[] = {
        {m_controls.client, "client"},       {m_controls.MSChart1, "MSChart1"},
        {m_controls.Label1, "Label1"},       {m_controls.Text2, "Text2"},
        {m_controls.Combo1, "Combo1"},       {m_controls.Combo2, "Combo2"},
        {m_controls.Text1, "Text1"},         {m_controls.Check2[1], "Check2_1"},
        {m_controls.Combo3, "Combo3"},       {m_controls.Combo4, "Combo4"},
        {m_controls.Label31, "Label31"},     {m_controls.Picture2[0], "Picture2_0"},
        {m_controls.Picture5, "Picture5"},   {m_controls.Label16, "Label16"},
        {m_controls.Line2[5], "Line2_5"},    {m_controls.mnuHelp, "mnuHelp"},
        {m_controls.MnuSaveAs, "MnuSaveAs"}, {m_controls.mnuAbout, "mnuAbout"},
    };
    for (const auto& [object, name] : table) {
        ASSERT_NE(object, nullptr) << name;
        EXPECT_EQ(object->objectName(), QString::fromLatin1(name));
    }
    EXPECT_EQ(m_window.centralWidget(), m_controls.client);
    EXPECT_EQ(m_controls.client->size(), QSize(545, 440));  // the design's, before any height
    EXPECT_EQ(m_controls.MSChart1->parentWidget(), m_controls.client);
}

// At every zoom each control's rectangle is its 100 % rectangle scaled, within the pixel
// that rounding takes, and its font is scaled alike; back at 100 % all is as designed.
TEST_F(FormLayout, EveryControlScalesWithTheZoom) {
    struct Designed {
        QWidget* widget;
        QRect pixels;
        double pointSize;
    };
    std::vector<Designed> designed;
    for (QWidget* widget : m_controls.client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!widget->objectName().endsWith("Caption")) {  // a list's, for screen readers only
            designed.push_back({widget, widget->geometry(), widget->font().pointSizeF()});
        }
    }
    ASSERT_EQ(designed.size(), 38u);  // 32 controls and the legend's 6 samples
    const QSize clientSize = m_controls.client->size();
    for (const int percent : {125, 150, 175, 200, 100}) {
        const Zoom zoom = *Zoom::ofPercent(percent);
        zoomFormLayout(m_window, m_controls, zoom);
        const double f = zoom.factor();
        for (const Designed& control : designed) {
            SCOPED_TRACE(control.widget->objectName().toStdString() + " at " +
                         std::to_string(percent) + " %");
            const QRect at = control.widget->geometry();
            const QRect& was = control.pixels;
            EXPECT_NEAR(at.x(), was.x() * f, 1.0);
            EXPECT_NEAR(at.y(), was.y() * f, 1.0);
            EXPECT_NEAR(at.width(), was.width() * f, 1.0);
            EXPECT_NEAR(at.height(), was.height() * f, 1.0);
            if (control.widget != m_controls.Label31) {  // fitted to its line, below
                EXPECT_DOUBLE_EQ(control.widget->font().pointSizeF(), control.pointSize * f);
            }
        }
        EXPECT_EQ(m_controls.client->width(), qRound(clientSize.width() * f));
        EXPECT_EQ(m_controls.client->height(), clientSize.height());  // the window's to set
        EXPECT_EQ(m_controls.Picture5->pixmap().width(), qRound(kLampSizePx * f));
    }
    for (const Designed& control : designed) {
        EXPECT_EQ(control.widget->geometry(), control.pixels)
            << control.widget->objectName().toStdString();
    }
}

// A record at the meter's largest readings fits the raw-response line whole, in whatever
// face stands in for the design's MS Sans Serif 8.25 on this machine, at every zoom.
TEST_F(FormLayout, RawResponseLineHoldsAWholeRecord) {
    const QString widest = QStringLiteral(";88888.8,888.8,888.8, R888.8 X888.8 SW 8.88");
    ASSERT_EQ(widest.size(), 43);
    for (const int percent : Zoom::kPercents) {
        const Zoom zoom = *Zoom::ofPercent(percent);
        zoomFormLayout(m_window, m_controls, zoom);
        const QFont font = m_controls.Label31->font();
        EXPECT_LE(QFontMetricsF(font).horizontalAdvance(widest), m_controls.Label31->width());
        EXPECT_GE(font.pointSizeF(), zoom.scaled(7.0)) << font.family().toStdString();  // readable
    }
}

// The legend's words stand before their colour samples at every zoom: each sample starts
// after the end of its word and before the next word begins.
TEST_F(FormLayout, LegendWordsStayBeforeTheirSamplesAtEveryZoom) {
    const QString caption = m_controls.Label1->text();
    const char* const words[] = {"R", "X", "Z", "Phase", "SWR", "RHO"};
    const int sampleOfWord[] = {0, 1, 2, 4, 3, 5};  // phase's sample is Line2(4)
    for (const int percent : Zoom::kPercents) {
        SCOPED_TRACE(percent);
        zoomFormLayout(m_window, m_controls, *Zoom::ofPercent(percent));
        const QFontMetricsF metrics(m_controls.Label1->font());
        qsizetype from = 0;
        for (int k = 0; k < 6; ++k) {
            const qsizetype at = caption.indexOf(QLatin1String(words[k]), from);
            from = at + 1;
            const double wordEnd = m_controls.Label1->x() +
                                   metrics.horizontalAdvance(caption.left(at + qstrlen(words[k])));
            const qsizetype next = k < 5 ? caption.indexOf(QLatin1String(words[k + 1]), from) : -1;
            const QWidget* sample = m_controls.Line2[sampleOfWord[k]];
            EXPECT_LT(wordEnd, sample->x()) << words[k];
            if (next >= 0) {
                const double nextStart =
                    m_controls.Label1->x() + metrics.horizontalAdvance(caption.left(next));
                EXPECT_GT(nextStart, sample->x() + sample->width()) << words[k];
            }
        }
    }
}

TEST_F(FormLayout, TabSequenceFollowsTheDesign) {
    const QStringList expected = {"Text5",  "Text6",    "Text2",    "cmdClear", "MSChart1",
                                  "cmdRun", "Combo1",   "Text4",    "Picture5", "Picture2_0",
                                  "Text3",  "Check2_0", "Check2_1", "Text15",   "Text16",
                                  "Combo2", "Combo3",   "Text1",    "Combo4"};
    QStringList sequence;
    QWidget* widget = m_controls.Text5;
    do {
        const QString name = widget->objectName();
        if (expected.contains(name) && !sequence.contains(name) &&
            (widget->focusPolicy() & Qt::TabFocus)) {
            sequence << name;
        }
        widget = widget->nextInFocusChain();
    } while (widget != m_controls.Text5);
    EXPECT_EQ(sequence, expected);
}

bool fullyShown(QWidget* widget) {
    return widget->visibleRegion() == QRegion(widget->rect());
}

// Writes the window as drawn, for a look at the layout; the build directory is not kept.
void saveImage(QWidget& window, const char* fileName) {
    const QString dir = qEnvironmentVariable("ZM_BUILD_DIR");
    if (!dir.isEmpty()) {
        EXPECT_TRUE(window.grab().save(QDir(dir).filePath(QString::fromLatin1(fileName))));
    }
}

const char* const kReadoutRow[] = {"Label4",  "Text4",  "Label5",  "Text5",  "Label13", "Text6",
                                   "Label17", "Text15", "Label18", "Text16", "Label2",  "Text1"};
const char* const kLowerStrip[] = {"Check2_0", "Label14",    "Combo3",   "Combo4",
                                   "Label31",  "Picture2_0", "Check2_1", "Label16"};

struct DisplaySize {
    const char* name;
    int clientHeightPx;
    bool lowerStripShown;
    const char* imageFile;
};

TEST_F(FormLayout, ReadoutRowAlwaysShowsAndTheLowerStripOnlyAtDiagHeight) {
    const DisplaySize table[] = {
        {"normal", kNormalClientHeightPx, false, "form_layout_normal.png"},
        {"diag", kDiagClientHeightPx, true, "form_layout_diag.png"},
    };
    m_controls.Label31->setText(QStringLiteral(";  100.0, 57.0,-12.3, R 55.7 X 12.1 SW 1.50"));
    for (const DisplaySize& row : table) {
        SCOPED_TRACE(row.name);
        showWithClientHeight(row.clientHeightPx);
        ASSERT_EQ(m_controls.client->height(), row.clientHeightPx);
        for (const char* name : kReadoutRow) {
            EXPECT_TRUE(fullyShown(control(name))) << name;
        }
        for (const char* name : kLowerStrip) {
            QWidget* widget = control(name);
            EXPECT_TRUE(row.lowerStripShown ? fullyShown(widget)
                                            : widget->visibleRegion().isEmpty())
                << name;
        }
        saveImage(m_window, row.imageFile);
    }
}

TEST_F(FormLayout, GreenLampLiesAboveTheRedOne) {
    const QObjectList& children = m_controls.client->children();
    EXPECT_GT(children.indexOf(m_controls.Picture5), children.indexOf(m_controls.Picture2[0]));
    EXPECT_EQ(m_controls.Picture5->pixmap().toImage(), lampImage(LampColour::Green));
    EXPECT_EQ(m_controls.Picture2[0]->pixmap().toImage(), lampImage(LampColour::Red));
}

}  // namespace
}  // namespace zm
