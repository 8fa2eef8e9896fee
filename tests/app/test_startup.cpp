// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up, config.ini and the Setup menu, on fake devices.

#include <QAction>
#include <QComboBox>

#include "tests/support/window_fixture.h"

namespace zm::test {
namespace {

using ::testing::ElementsAre;

class StartupTest : public WindowTest {};

TEST_F(StartupTest, SavedSettingsComeBackAndTheFileIsRewrittenUnchanged) {
    const QByteArray saved = configText("1215", "1170", "3", "7230", "False", "True", "2", "1");
    writeConfig(saved);
    start();

    EXPECT_EQ(window->x(), 81);
    EXPECT_EQ(window->y(), 78);
    EXPECT_EQ(window->windowZoom().heightTwips(), 7230.0f);
    EXPECT_EQ(window->windowZoom().clientHeightPixels(), 482 - WindowZoom::kNonClientPixels);
    EXPECT_FALSE(window->controls().mnuNormal->isChecked());
    EXPECT_TRUE(window->controls().mnuDiag->isChecked());
    EXPECT_EQ(window->controls().Combo2->currentIndex(), 2);
    EXPECT_EQ(window->controls().Combo4->currentIndex(), 1);
    EXPECT_EQ(window->sweepModel().plan().CarrierMode, 4);
    EXPECT_EQ(window->controls().Combo3->currentIndex(), 2);
    EXPECT_TRUE(window->timer1Enabled());
    // Start-up ran twice (the port choice inside it), so the file was written once.
    EXPECT_THAT(log, ElementsAre("Settings 38400,n,8,1", "Open 3", "Close", "Settings 38400,n,8,1",
                                 "Open 3"));
    EXPECT_EQ(readConfig(), saved);
}

TEST_F(StartupTest, ValuesAreReadByPositionNotByKey) {
    writeConfig(
        "a=1215\r\nb=1170\r\nc=3.5\r\nd=7230.0\r\ne=TRUE\r\nf=0\r\n"
        "ListIndex=1\r\nListIndex=4\r\n");
    start();
    // 3.5 rounds to the even 4; the hand-edited 7230.0 comes back as 7230.
    EXPECT_EQ(comm->port, 4);
    EXPECT_TRUE(window->controls().mnuNormal->isChecked());
    EXPECT_FALSE(window->controls().mnuDiag->isChecked());
    // Line 7 holds the plot mode and line 8 the carrier mode: 4 is not a carrier entry.
    EXPECT_EQ(window->controls().Combo2->currentIndex(), 1);
    EXPECT_EQ(window->controls().Combo4->currentIndex(), -1);
    EXPECT_EQ(window->controls().Combo4->currentText(), "");  // not the design's "CW"
    EXPECT_EQ(readConfig(), configText("1215", "1170", "4", "7230", "True", "False", "1", "-1"));
}

// A first start plots SWR and keys in CW, the mode the carrier list shows.
TEST_F(StartupTest, WithoutConfigFileTheDesignValuesSwrAndCwStartAndTheFileAppears) {
    start();
    EXPECT_EQ(comm->port, 1);
    EXPECT_EQ(window->controls().Combo3->currentIndex(), 0);
    EXPECT_EQ(window->controls().Combo2->currentText(), "SWR - 3:1");
    EXPECT_EQ(window->controls().Combo4->currentText(), "CW");
    EXPECT_EQ(window->sweepModel().plan().CarrierMode, 2);
    EXPECT_EQ(window->sweepModel().plan().PointCount, 8);
    const QList<QByteArray> lines = readConfig().split('\n');
    ASSERT_EQ(lines.size(), 9);  // eight CRLF lines
    EXPECT_EQ(lines[2], "ComPort=1\r");
    EXPECT_EQ(lines[6], "ListIndex=2\r");
    EXPECT_EQ(lines[7], "ListIndex=0\r");
}

TEST_F(StartupTest, DamagedSettingsKeepTheirValueAndStartupGoesOn) {
    writeConfig(
        "Position-Left=abc\r\nno equals sign\r\nComPort=17\r\nHeight=0\r\n"
        "mnuNormal=maybe\r\nmnuDiag=True\r\nListIndex=9\r\nListIndex=70000\r\n"
        "x=9\r\nx=10\r\nx=11\r\nx=12\r\n");
    start();
    EXPECT_EQ(comm->port, 1);
    EXPECT_GT(window->windowZoom().heightTwips(), 6600.0f);  // the design size, not 0
    EXPECT_TRUE(window->controls().mnuDiag->isChecked());
    EXPECT_EQ(window->controls().Combo2->currentIndex(), -1);
    EXPECT_EQ(window->controls().Combo4->currentIndex(), -1);
    EXPECT_TRUE(messages->shown.empty());
    EXPECT_EQ(readConfig().count('\n'), 8);
}

TEST_F(StartupTest, PortThatWillNotOpenGivesOneMessageAndNoSecondRun) {
    writeConfig(configText("1215", "1170", "2", "6645", "True", "False", "0", "0"));
    createWindow();
    comm->openSucceeds = false;
    start();
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_EQ(messages->shown[0].substr(0, messages->shown[0].find('\n')),
              "COM port not available. Check Com Port setting.");
    EXPECT_THAT(log, ElementsAre("Settings 38400,n,8,1", "Open 2"));
    EXPECT_EQ(window->controls().Combo3->currentIndex(), -1);
    EXPECT_EQ(window->sweepModel().plan().PointCount, 8);  // the plan was reset before the port

    // Choosing another port retries the whole start-up.
    comm->openSucceeds = true;
    window->controls().Combo3->setCurrentIndex(3);
    window->Combo3_Click();
    EXPECT_EQ(comm->port, 4);
    EXPECT_TRUE(comm->opened);
    EXPECT_EQ(messages->shown.size(), 1u);
}

struct PortRouteRow {
    const char* name;
    bool linked;
    const char* secondLine;
};

TEST_F(StartupTest, PortMessageNamesTheDeviceTriedAndTheLinkToMake) {
    const PortRouteRow table[] = {
        {"NoLink", false,
         "Tried /dev/ttyS1 for Com02, as there is no link /home/op/O'Brien shack/ports/com2. "
         "For a USB adapter, make one: mkdir -p '/home/op/O'\\''Brien shack/ports' && "
         "ln -sf /dev/ttyUSB0 '/home/op/O'\\''Brien shack/ports/com2'"},
        {"LinkToAMissingAdapter", true,
         "Tried /dev/ttyUSB1 for Com02, where the link /home/op/O'Brien shack/ports/com2 points. "
         "Check that the adapter is plugged in and that your user is in the dialout group, or "
         "point the link elsewhere: ln -sf /dev/ttyUSB0 '/home/op/O'\\''Brien shack/ports/com2'"},
    };
    for (const PortRouteRow& row : table) {
        SCOPED_TRACE(row.name);
        writeConfig(configText("1215", "1170", "2", "6645", "True", "False", "0", "0"));
        window.reset();
        createWindow();
        comm->openSucceeds = false;
        comm->linked = row.linked;
        start();
        EXPECT_THAT(messages->shown,
                    ElementsAre(std::string("COM port not available. Check Com Port setting.\n") +
                                row.secondLine));
        EXPECT_EQ(window->controls().Combo3->itemData(1, Qt::ToolTipRole).toString(),
                  row.linked ? "Com02: /dev/ttyUSB1 (link ports/com2)"
                             : "Com02: /dev/ttyS1, no link in ports/");
    }
}

TEST_F(StartupTest, DiagThenExitStartsNextTimeAtTheDiagHeight) {
    writeConfig(configText("1215", "1170", "1", "6645", "True", "False", "0", "0"));
    start();
    EXPECT_EQ(window->windowZoom().clientHeightPixels(), 443 - WindowZoom::kNonClientPixels);
    window->mnuDiag_Click();
    EXPECT_EQ(window->windowZoom().clientHeightPixels(), 482 - WindowZoom::kNonClientPixels);
    window->mnuExit_Click();
    EXPECT_EQ(readConfig(), configText("1215", "1170", "1", "7230", "False", "True", "0", "0"));
}

struct ResizeRow {
    const char* name;
    void (frmMain::*sizeEntry)();  // chosen after the drag; nullptr: none
    int outerHeightNextTimeTwips;
};

TEST_F(StartupTest, UserResizeMovesNoControlAndTheHeightAtClosingComesBack) {
    constexpr int kDraggedHeightPx = 560;
    const ResizeRow table[] = {
        {"DragOnly", nullptr, 0},
        {"DragThenNormal", &frmMain::mnuNormal_Click, 6645},
        {"DragThenDiag", &frmMain::mnuDiag_Click, 7230},
    };
    for (const ResizeRow& row : table) {
        SCOPED_TRACE(row.name);
        writeConfig(configText("1215", "1170", "1", "6645", "True", "False", "0", "0"));
        window.reset();
        start();
        std::vector<std::pair<QWidget*, QRect>> placed;
        for (QWidget* control :
             window->controls().client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            placed.emplace_back(control, control->geometry());
        }
        window->resize(700, kDraggedHeightPx);  // the user drags the corner
        QApplication::processEvents();
        ASSERT_EQ(window->height(), kDraggedHeightPx);
        for (const auto& [control, at] : placed) {
            EXPECT_EQ(control->geometry(), at) << control->objectName().toStdString();
        }
        if (row.sizeEntry != nullptr) {
            (window.get()->*row.sizeEntry)();
            EXPECT_EQ(window->width(), 700);
        }
        const int heightAtClosing = window->height();
        window->close();

        window.reset();
        start();
        EXPECT_EQ(window->height(), heightAtClosing);
        if (row.sizeEntry != nullptr) {
            EXPECT_EQ(window->windowZoom().heightTwips(), float(row.outerHeightNextTimeTwips));
        }
    }
}

TEST_F(StartupTest, ChoosingTheCheckedSizeAgainKeepsMarksAndHeightInStep) {
    start();
    window->mnuNormal_Click();
    window->mnuNormal_Click();
    EXPECT_TRUE(window->controls().mnuNormal->isChecked());
    EXPECT_FALSE(window->controls().mnuDiag->isChecked());
    EXPECT_EQ(window->windowZoom().heightTwips(), WindowZoom::kNormalHeightTwips);
}

TEST_F(StartupTest, PortChoiceResetsThePlanWhateverTheBoxesShow) {
    start();
    window->controls().Combo1->setCurrentIndex(4);
    window->Combo1_Click();
    EXPECT_EQ(window->sweepModel().plan().PointCount, 2);
    window->controls().Combo3->setCurrentIndex(1);
    window->Combo3_Click();
    EXPECT_EQ(window->sweepModel().plan().StepFreq, 0.05);
    EXPECT_EQ(window->sweepModel().plan().PointCount, 8);
}

TEST_F(StartupTest, AboutBoxFirstLineStartsWithTwentyThreeBlanks) {
    start();
    window->mnuAbout_Click();
    ASSERT_EQ(messages->shown.size(), 1u);
    const std::string& text = messages->shown[0];
    EXPECT_EQ(text.find_first_not_of(' '), 23u);
}

}  // namespace
}  // namespace zm::test
