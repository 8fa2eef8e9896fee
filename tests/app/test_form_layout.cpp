// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegion>

#include <memory>

#include "app/form_layout.h"
#include "app/lamp_images.h"
#include "app/line_sample.h"

namespace zm {
namespace {

// The client area at the two display sizes: 6645 and 7230 twips outer height, less the
// 46 pixels of title bar, menu bar and frame.
constexpr int kClientWidthPx = 545;
constexpr int kNormalClientHeightPx = 397;
constexpr int kDiagClientHeightPx = 436;

class FormLayout : public ::testing::Test {
protected:
    FormLayout() : m_controls(buildFormLayout(m_window, new QWidget)) {}

    QWidget* control(const char* name) const {
        return m_controls.client->findChild<QWidget*>(QString::fromLatin1(name));
    }
    void showWithClientHeight(int heightPx) {
        m_controls.client->setFixedSize(kClientWidthPx, heightPx);
        m_window.show();
        m_window.adjustSize();
    }

    QMainWindow m_window;
    FormControls m_controls;
};

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

// A record at the meter's largest readings fits the raw-response line whole, in whatever
// face stands in for the design's MS Sans Serif 8.25 on this machine.
TEST_F(FormLayout, RawResponseLineHoldsAWholeRecord) {
    const QString widest = QStringLiteral(";88888.8,888.8,888.8, R888.8 X888.8 SW 8.88");
    ASSERT_EQ(widest.size(), 43);
    const QFont font = m_controls.Label31->font();
    EXPECT_LE(QFontMetricsF(font).horizontalAdvance(widest), m_controls.Label31->width());
    EXPECT_GE(font.pointSizeF(), 7.0) << font.family().toStdString();  // still readable
}

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
         {"50 kHz", "100 kHz", "200 kHz", "250 kHz", "500 kHz"},
         {0, 0, 0, 0, 0},
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
        {m_controls.mnuPrint, "&Print"},
        {m_controls.mnuExit, "&Exit"},
        {m_controls.mnuSetup->menuAction(), "&Setup"},
        {m_controls.mnuNormal, "&Normal"},
        {m_controls.mnuDiag, "&Diag"},
        {m_controls.mnuStation, "&Station..."},
        {m_controls.mnuSweepSettings, "S&weep settings..."},
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
                         m_controls.mnuView->menuAction(), m_controls.mnuHelp->menuAction()}));
    EXPECT_EQ(m_controls.mnuSetup->actions(),
              (QList<QAction*>{m_controls.mnuNormal, m_controls.mnuDiag, m_controls.mnuStation,
                               m_controls.mnuSweepSettings}));
}

TEST_F(FormLayout, WindowCarriesCaptionIconAndFormFont) {
    EXPECT_EQ(m_window.windowTitle(), QStringLiteral("ZM-480 Plot"));
    EXPECT_EQ(m_window.windowIcon().pixmap(100, 53).size(), QSize(100, 53));
    EXPECT_EQ(m_window.font().family(), QStringLiteral("Arial"));
    EXPECT_DOUBLE_EQ(m_window.font().pointSizeF(), 9.75);
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
