// SPDX-License-Identifier: GPL-3.0-or-later
// The Antenna menu on the window: the antenna in use named, made, renamed and chosen, kept
// in station.ini, and every Run kept in the history under it; its History window.

#include <QAction>
#include <QChart>
#include <QComboBox>
#include <QLineSeries>
#include <QMenu>
#include <QTableWidget>

#include "history/history_store.h"
#include "tests/app/sweep_fixture.h"

namespace zm::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

class AntennaMenuTest : public SweepTest {
protected:
    QMenu& menu() const { return *window->controls().mnuAntenna; }
    QAction* entry(const char* objectName) const {
        return menu().findChild<QAction*>(QString::fromLatin1(objectName));
    }
    // The antennas above the separator, the one in use marked "*".
    std::vector<std::string> antennas() const {
        std::vector<std::string> names;
        for (const QAction* item : menu().actions()) {
            if (item->isSeparator()) {
                break;
            }
            names.push_back(item->text().toStdString() + (item->isChecked() ? " *" : ""));
        }
        return names;
    }
    std::vector<std::string> sweptFor() const {
        std::string problem;
        std::vector<std::string> names;
        for (const SweepSummary& sweep :
             HistoryStore(configDir.path().toStdString()).list({}, problem)) {
            names.push_back(sweep.antenna);
        }
        return names;
    }
};

TEST_F(AntennaMenuTest, NewRenamedAndChosenAntennasKeepTheirSweeps) {
    EXPECT_THAT(antennas(), ElementsAre("Antenna 1 *"));  // before one is named

    messages->answers = {"20m yagi"};
    entry("mnuNewAntenna")->trigger();
    EXPECT_THAT(antennas(), ElementsAre("20m yagi *"));
    EXPECT_THAT(readConfig("station.ini").toStdString(), HasSubstr("in_use=20m yagi"));
    window->cmdRun_Click();
    EXPECT_THAT(sweptFor(), ElementsAre("20m yagi"));

    // Its sweeps go with the new name.
    messages->answers = {"20m beam"};
    entry("mnuRenameAntenna")->trigger();
    EXPECT_THAT(sweptFor(), ElementsAre("20m beam"));
    EXPECT_THAT(readConfig("station.ini").toStdString(), HasSubstr("in_use=20m beam"));

    messages->answers = {"40m dipole"};
    entry("mnuNewAntenna")->trigger();
    comm->answers = {";  100.0, 50.0,-30.0 R  43.3 X  25.0 SW1.40"};  // another antenna
    window->cmdRun_Click();
    EXPECT_THAT(antennas(), ElementsAre("20m beam", "40m dipole *"));
    EXPECT_THAT(sweptFor(), ElementsAre("20m beam", "40m dipole"));

    // A name taken is refused with why, and nothing changes.
    messages->answers = {"20m beam"};
    entry("mnuRenameAntenna")->trigger();
    ASSERT_FALSE(messages->shown.empty());
    EXPECT_THAT(messages->shown.back(), HasSubstr("There is an antenna named 20m beam already"));
    EXPECT_THAT(sweptFor(), ElementsAre("20m beam", "40m dipole"));

    // Chosen from the menu; a name typed again in other letters is the one there is.
    menu().actions().front()->trigger();
    EXPECT_THAT(antennas(), ElementsAre("20m beam *", "40m dipole"));
    messages->answers = {"40M DIPOLE"};
    entry("mnuNewAntenna")->trigger();
    EXPECT_THAT(antennas(), ElementsAre("20m beam", "40m dipole *"));
}

// Three Runs of an antenna whose SWR rises: the History window's table, its trend, a sweep
// marked as the reference and one deleted.
TEST_F(AntennaMenuTest, HistoryWindowTabulatesAndDrawsTheAntennasSweeps) {
    for (const char* swr : {"1.20", "1.40", "1.60"}) {
        comm->answers = {std::string(";  100.0, 50.0,-30.0 R  43.3 X  25.0 SW") + swr};
        window->cmdRun_Click();
    }
    entry("mnuHistory")->trigger();
    HistoryWindow* history = window->findChild<HistoryWindow*>();
    ASSERT_NE(history, nullptr);
    EXPECT_EQ(history->antennaList()->currentText(), "Antenna 1");
    EXPECT_EQ(history->bandList()->currentText(), "20m");
    QTableWidget* table = history->table();
    ASSERT_EQ(table->rowCount(), 3);
    const auto referenceSwr = [table] {
        std::vector<QString> marked;
        for (int row = 0; row < table->rowCount(); ++row) {
            if (table->item(row, 0)->text().endsWith("(reference)")) {
                marked.push_back(table->item(row, 3)->text());
            }
        }
        return marked;
    };
    EXPECT_THAT(referenceSwr(), ElementsAre("1.20"));  // the first, until one is marked

    // Drawn over each other in the plot mode shown, SWR: one curve a sweep.
    EXPECT_EQ(history->sweepsChart()->series().size(), 3);

    history->setTrend(HistoryWindow::Trend::LowestSwr);
    const QList<QAbstractSeries*> series = history->trendChart()->series();
    ASSERT_EQ(series.size(), 2);  // the lowest SWR and the reference's line
    const QList<QPointF> points = static_cast<QLineSeries*>(series[0])->points();
    ASSERT_EQ(points.size(), 3);
    EXPECT_DOUBLE_EQ(points[2].y(), 1.6);

    // Sorted by the lowest SWR, highest first, the last sweep leads; marked, then deleted.
    table->sortItems(3, Qt::DescendingOrder);
    EXPECT_EQ(table->item(0, 3)->text(), "1.60");
    table->selectRow(0);
    history->markChosen();
    EXPECT_THAT(referenceSwr(), ElementsAre("1.60"));
    table->sortItems(3, Qt::DescendingOrder);
    table->selectRow(0);
    history->deleteChosen();
    EXPECT_EQ(table->rowCount(), 2);
    EXPECT_THAT(messages->asked.back(), HasSubstr("from the history?"));

    table->selectRow(0);
    history->keepChosen();
    ASSERT_EQ(window->memoriesPart().memories().size(), 1u);
    EXPECT_THAT(window->memoriesPart().memories().front().name, HasSubstr("Antenna 1 "));

    // Saved in the kind its name says, the antenna named in it.
    sweepFileDialog->pick = "/tmp/kept.s1p";
    history->saveChosen();
    ASSERT_FALSE(sweepFileDialog->requests.empty());
    EXPECT_THAT(sweepFileDialog->requests.back().suggestedName, StartsWith("Antenna 1 "));
    EXPECT_THAT(textFiles->files["/tmp/kept.s1p"],
                HasSubstr("! antenna: Antenna 1\n# Hz S RI R 50"));
}

}  // namespace
}  // namespace zm::test
