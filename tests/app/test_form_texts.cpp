// SPDX-License-Identifier: GPL-3.0-or-later
// What the form says: the captions, the lists' entries, the legend and its samples, the
// menus and the window's own caption, icon and font.

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

#include "app/line_sample.h"
#include "tests/app/form_layout_fixture.h"

namespace zm {
namespace {

struct Caption {
    const char* name;
    const char* text;
    Qt::Alignment horizontal;
};

TEST_F(FormLayout, CaptionsTextsAndAlignmentAreTheDesigns) {
    const Caption table[] = {
        {"Label10", "Start Freq", Qt::AlignLeft},
        {"Label11", "Stop Freq", Qt::AlignLeft},
        {"Label12", "Step", Qt::AlignLeft},
        {"Label4", "Pwr", Qt::AlignLeft},
        {"Label5", "Z", Qt::AlignLeft},
        {"Label13", "Ph", Qt::AlignLeft},
        {"Label17", "R", Qt::AlignLeft},
        {"Label18", "X", Qt::AlignLeft},
        {"Label2", "SWR", Qt::AlignLeft},
        {"Label14", "TRX", Qt::AlignLeft},
        {"Label16", "Commander", Qt::AlignLeft},
        {"Label31", "", Qt::AlignLeft},
        {"Text2", "14.0", Qt::AlignHCenter},
        {"Text3", "14.35", Qt::AlignHCenter},
        {"Text4", "", Qt::AlignRight},
        {"Text5", "", Qt::AlignRight},
        {"Text6", "", Qt::AlignRight},
        {"Text15", "", Qt::AlignRight},
        {"Text16", "", Qt::AlignRight},
        {"Text1", "", Qt::AlignRight},
        {"cmdClear", "Clear", Qt::AlignLeft},
        {"cmdRun", "Run", Qt::AlignLeft},
        {"Check2_0", "Check2", Qt::AlignLeft},
        {"Check2_1", "Check2", Qt::AlignLeft},
    };
    for (const Caption& row : table) {
        SCOPED_TRACE(row.name);
        QWidget* widget = control(row.name);
        ASSERT_NE(widget, nullptr);
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            EXPECT_EQ(label->text(), QString::fromLatin1(row.text));
            EXPECT_EQ(label->alignment() & Qt::AlignHorizontal_Mask, row.horizontal);
            // A raw meter response may hold "<": it must show as sent, never as markup.
            EXPECT_EQ(label->textFormat(), Qt::PlainText);
        } else if (auto* box = qobject_cast<QLineEdit*>(widget)) {
            EXPECT_EQ(box->text(), QString::fromLatin1(row.text));
            EXPECT_EQ(box->alignment() & Qt::AlignHorizontal_Mask, row.horizontal);
        } else {
            auto* button = qobject_cast<QAbstractButton*>(widget);
            ASSERT_NE(button, nullptr);
            EXPECT_EQ(button->text(), QString::fromLatin1(row.text));
        }
    }
}

struct ListDesign {
    const char* name;
    QStringList entries;
    QList<int> itemData;
    const char* initialText;
};

TEST_F(FormLayout, ListsHoldTheirEntriesAndDataWithNothingSelected) {
    QStringList ports;
    QList<int> portNumbers;
    for (int port = 1; port <= 16; ++port) {
        ports << QStringLiteral("Com%1").arg(port, 2, 10, QLatin1Char('0'));
        portNumbers << port;
    }
    ports[8] = QStringLiteral("Com09 ");  // the ninth port entry ends in a blank
    const ListDesign table[] = {
        {"Combo1",
         {"50 kHz", "100 kHz", "200 kHz", "250 kHz", "500 kHz", "1 kHz", "2 kHz", "5 kHz", "10 kHz",
          "25 kHz"},
         QList<int>(10, 0),
         "50 kHz"},
        {"Combo2",
         {"R+jX", "Z & Phase", "SWR - 3:1", "SWR - 10:1", "RHO"},
         {0, 0, 0, 0, 0},
         "Parameters"},
        {"Combo3", ports, portNumbers, "Com01"},
        {"Combo4", {"CW", "AM", "FSK"}, {1, 2, 3}, "CW"},
    };
    for (const ListDesign& row : table) {
        SCOPED_TRACE(row.name);
        auto* combo = qobject_cast<QComboBox*>(control(row.name));
        ASSERT_NE(combo, nullptr);
        QStringList entries;
        QList<int> itemData;
        for (int i = 0; i < combo->count(); ++i) {
            entries << combo->itemText(i);
            itemData << combo->itemData(i, Qt::UserRole).toInt();
        }
        EXPECT_EQ(entries, row.entries);
        EXPECT_EQ(itemData, row.itemData);
        EXPECT_EQ(combo->currentIndex(), -1);
        EXPECT_EQ(combo->currentText(), QString::fromLatin1(row.initialText));
        EXPECT_TRUE(combo->isEditable());
        EXPECT_EQ(combo->insertPolicy(), QComboBox::NoInsert);
    }
}

TEST_F(FormLayout, LegendWordsStandAtTheirCharacterPositions) {
    const QString caption = m_controls.Label1->text();
    ASSERT_EQ(caption.size(), 98);
    const std::pair<const char*, int> words[] = {{"R", 2},      {"X", 21},   {"Z", 41},
                                                 {"Phase", 57}, {"SWR", 77}, {"RHO", 96}};
    QString expected(98, QLatin1Char(' '));
    for (const auto& [word, position] : words) {
        expected.replace(position - 1, int(qstrlen(word)), QString::fromLatin1(word));
    }
    EXPECT_EQ(caption, expected);
    EXPECT_TRUE(m_controls.Label1->autoFillBackground());
    EXPECT_EQ(m_controls.Label1->palette().color(QPalette::Window),
              m_window.palette().color(QPalette::HighlightedText));
}

TEST_F(FormLayout, LegendSamplesFollowTheirWordsInTheSeriesColours) {
    const std::pair<QRect, QColor> table[] = {
        {{32, 314, 48, 3}, QColor(255, 0, 0)},    {{112, 314, 48, 3}, QColor(0, 255, 0)},
        {{192, 314, 48, 3}, QColor(0, 0, 255)},   {{376, 314, 48, 3}, QColor(0, 0, 0)},
        {{288, 314, 48, 3}, QColor(255, 0, 255)}, {{472, 314, 48, 3}, QColor(0, 255, 255)},
    };
    for (int k = 0; k < 6; ++k) {
        SCOPED_TRACE(k);
        auto* line = qobject_cast<LineSample*>(m_controls.Line2[k]);
        ASSERT_NE(line, nullptr);
        EXPECT_EQ(line->objectName(), QStringLiteral("Line2_%1").arg(k));
        EXPECT_EQ(line->geometry(), table[k].first);
        EXPECT_EQ(line->colour(), table[k].second);
        // the sample is drawn over the legend, not hidden beneath it
        EXPECT_TRUE(m_controls.Label1->geometry().contains(line->geometry()));
    }
}

TEST_F(FormLayout, EachLegendWordIsDrawnJustBeforeItsSample) {
    struct WordSample {
        const char* word;
        int position;  // 1-based character position in the caption
        int sample;    // index of the Line2 sample that follows it
    };
    const WordSample table[] = {{"R", 2, 0},      {"X", 21, 1},   {"Z", 41, 2},
                                {"Phase", 57, 4}, {"SWR", 77, 3}, {"RHO", 96, 5}};
    const QFontMetricsF metrics(m_controls.Label1->font());
    const QString caption = m_controls.Label1->text();
    double previousSampleRightPx = m_controls.Label1->x();
    for (const WordSample& row : table) {
        SCOPED_TRACE(row.word);
        const double leftPx =
            m_controls.Label1->x() + metrics.horizontalAdvance(caption.left(row.position - 1));
        const double rightPx =
            leftPx + metrics.horizontalAdvance(QString::fromLatin1(row.word).trimmed());
        const QRect sample = m_controls.Line2[row.sample]->geometry();
        EXPECT_GT(leftPx, previousSampleRightPx);
        EXPECT_LE(rightPx, sample.left());
        previousSampleRightPx = sample.x() + sample.width();
    }
}

TEST_F(FormLayout, MenusCarryTheirCaptionsUncheckedAndEnabled) {
    const std::pair<QAction*, const char*> table[] = {
        {m_controls.mnuFile->menuAction(), "&File"},
        {m_controls.mnuOpen, "&Open"},
        {m_controls.MnuSaveAs, "&SaveAs"},
        {m_controls.mnuSaveReport, "Save report as PDF..."},
        {m_controls.mnuPrint, "&Print"},
        {m_controls.mnuExit, "&Exit"},
        {m_controls.mnuSetup->menuAction(), "&Setup"},
        {m_controls.mnuNormal, "&Normal"},
        {m_controls.mnuDiag, "&Diag"},
        {m_controls.mnuStation, "&Station..."},
        {m_controls.mnuSweepSettings, "S&weep settings..."},
        {m_controls.mnuFeedline, "&Feedline..."},
        {m_controls.mnuBandPlan->menuAction(), "Band &plan"},
        {m_controls.mnuBand->menuAction(), "&Band"},
        {m_controls.mnuSweepMyBands, "Sweep my bands..."},
        {m_controls.mnuAntenna->menuAction(), "&Antenna"},
        {m_controls.mnuHelp->menuAction(), "&Help"},
        {m_controls.mnuIndex, "&Index"},
        {m_controls.mnuAbout, "&About"},
    };
    for (const auto& [action, text] : table) {
        SCOPED_TRACE(text);
        EXPECT_EQ(action->text(), QString::fromLatin1(text));
        EXPECT_FALSE(action->isChecked());
        EXPECT_TRUE(action->isEnabled());
        EXPECT_TRUE(action->shortcut().isEmpty());
    }
    EXPECT_TRUE(m_controls.mnuNormal->isCheckable());
    EXPECT_TRUE(m_controls.mnuDiag->isCheckable());
    // View holds what the design had no room for: the Smith chart, on Ctrl+M.
    EXPECT_EQ(m_controls.mnuSmithChart->text(), QStringLiteral("&Smith chart"));
    EXPECT_EQ(m_controls.mnuSmithChart->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_M));
    EXPECT_EQ(
        m_window.menuBar()->actions(),
        (QList<QAction*>{m_controls.mnuFile->menuAction(), m_controls.mnuSetup->menuAction(),
                         m_controls.mnuBand->menuAction(), m_controls.mnuAntenna->menuAction(),
                         m_controls.mnuView->menuAction(), m_controls.mnuHelp->menuAction()}));
    EXPECT_EQ(m_controls.mnuSetup->actions(),
              (QList<QAction*>{m_controls.mnuNormal, m_controls.mnuDiag, m_controls.mnuStation,
                               m_controls.mnuSweepSettings, m_controls.mnuFeedline,
                               m_controls.mnuBandPlan->menuAction()}));
    // Where the readings stand, at the antenna or at the meter, once a feedline is set.
    EXPECT_EQ(m_controls.mnuAtAntenna->text(), QStringLiteral("At the &antenna"));
    EXPECT_EQ(m_controls.mnuAtMeter->text(), QStringLiteral("At the m&eter"));
    EXPECT_FALSE(m_controls.mnuAtAntenna->isEnabled());
    EXPECT_FALSE(m_controls.mnuAtMeter->isEnabled());
}

TEST_F(FormLayout, WindowCarriesCaptionIconAndFormFont) {
    EXPECT_EQ(m_window.windowTitle(), QStringLiteral("ZM-480 Plot"));
    EXPECT_EQ(m_window.windowIcon().pixmap(100, 53).size(), QSize(100, 53));
    EXPECT_EQ(m_window.font().family(), QStringLiteral("Arial"));
    EXPECT_DOUBLE_EQ(m_window.font().pointSizeF(), 9.75);
}

}  // namespace
}  // namespace zm
