// SPDX-License-Identifier: GPL-3.0-or-later
// The start and stop boxes, the step list, Clear and the plot-mode list in the window.

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>

#include "tests/support/window_fixture.h"

namespace zm::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class PlanTest : public WindowTest {
protected:
    void SetUp() override { start(); }
    std::vector<std::string> labels() const {
        std::vector<std::string> result;
        for (int row = 1; row <= chart->lastData.rows(); ++row) {
            result.push_back(std::get<std::string>(chart->lastData.at(row, 1)));
        }
        return result;
    }
};

// No row holds a value before a sweep measures it, so nothing is drawn at 0.
TEST_F(PlanTest, StartUpPlansEightLabelledPointsWithoutValues) {
    EXPECT_THAT(labels(), ElementsAre("14 ", "14.05 ", "14.1 ", "14.15 ", "14.2 ", "14.25 ",
                                      "14.3 ", "14.35 "));
    for (int row = 1; row <= 8; ++row) {
        for (int column = 2; column <= 7; ++column) {
            EXPECT_TRUE(std::holds_alternative<std::monostate>(chart->lastData.at(row, column)));
        }
    }
}

TEST_F(PlanTest, EveryKeystrokeReplansAndPollingResumes) {
    const FormControls& f = window->controls();
    f.Text2->setText("");  // no number: a sweep from 0
    EXPECT_EQ(window->sweepModel().plan().PointCount, 288);
    EXPECT_EQ(labels()[2], "0.1 ");
    f.Text2->setText("14.35");
    f.Text3->setText("14.0");  // stop below start still rises from the start
    EXPECT_EQ(window->sweepModel().plan().PointCount, 8);
    EXPECT_EQ(labels().back(), "14.7 ");
    f.Text3->setText("14.349");
    EXPECT_EQ(window->sweepModel().plan().StopFreq, 14.35);
    EXPECT_EQ(f.Text3->text(), "14.349");  // the box keeps what was typed
    EXPECT_TRUE(window->timer1Enabled());
}

TEST_F(PlanTest, StepListReplansWithoutTouchingTheTimer) {
    const FormControls& f = window->controls();
    f.Text3->setText("14.75");
    f.Combo1->setCurrentIndex(4);  // "500 kHz": 1.5 steps round to even
    window->Combo1_Click();
    EXPECT_EQ(window->sweepModel().plan().StepFreq, 0.5);
    EXPECT_THAT(labels(), ElementsAre("14 ", "14.5 "));
}

TEST_F(PlanTest, OversizedPlanIsRefusedAndEverythingStays) {
    const FormControls& f = window->controls();
    f.Text2->setText("0");
    const PlotGrid before = window->planBoxes().grid();
    const int handOvers = chart->dataHandOvers;
    f.Text3->setText("1638.3");  // 32,767 points
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_NE(messages->shown[0].find("32766"), std::string::npos);
    EXPECT_EQ(window->sweepModel().plan().StopFreq, 14.35);
    EXPECT_EQ(window->sweepModel().plan().PointCount, 288);
    EXPECT_EQ(window->planBoxes().grid().rows(), before.rows());
    EXPECT_EQ(chart->dataHandOvers, handOvers);
    EXPECT_EQ(f.Text3->text(), "1638.3");
    EXPECT_TRUE(window->timer1Enabled());

    f.Text2->setText("1e9");
    EXPECT_EQ(messages->shown.size(), 2u);
    EXPECT_EQ(window->sweepModel().plan().StartFreq, 0.0);
}

TEST_F(PlanTest, RefusedStepPutsTheListBackOnTheStepInForce) {
    const FormControls& f = window->controls();
    f.Combo1->setCurrentIndex(4);  // "500 kHz"
    window->Combo1_Click();
    f.Text3->setText("10000");  // 19,973 points at 500 kHz, ten times more at 50 kHz
    for (const int refused : {0, 3}) {
        SCOPED_TRACE(refused);
        f.Combo1->setCurrentIndex(refused);
        window->Combo1_Click();
        EXPECT_EQ(window->sweepModel().plan().StepFreq, 0.5);
        EXPECT_EQ(f.Combo1->currentText(), "500 kHz");
    }
    EXPECT_EQ(messages->shown.size(), 2u);
}

TEST_F(PlanTest, BoxesReadTheNumberUpToABlank) {
    const FormControls& f = window->controls();
    f.Text3->setText("14 5");  // not 145 MHz: a plan of 2,614 points
    EXPECT_EQ(window->sweepModel().plan().StopFreq, 14.0);
    f.Text2->setText("13 .2");
    EXPECT_EQ(window->sweepModel().plan().StartFreq, 13.0);
    EXPECT_EQ(window->sweepModel().plan().PointCount, 21);
}

// A step typed into the field, on Enter or focus-out; the field then shows the step in force.
struct TypedStepCase {
    const char* name;
    const char* typed;
    double stepMHz;
    const char* shown;
    const char* message;  // the start of the refusal; empty when none
    friend void PrintTo(const TypedStepCase& c, std::ostream* os) { *os << c.name; }
};

class TypedStepTable : public PlanTest, public ::testing::WithParamInterface<TypedStepCase> {};

TEST_P(TypedStepTable, TakesEffectOrIsRefused) {
    const TypedStepCase& c = GetParam();
    QComboBox* field = window->controls().Combo1;
    const int handOvers = chart->dataHandOvers;
    field->setEditText(c.typed);
    window->Combo1_Validate();
    EXPECT_EQ(window->sweepModel().plan().StepFreq, c.stepMHz);
    EXPECT_EQ(field->currentText(), c.shown);
    EXPECT_EQ(chart->dataHandOvers == handOvers, c.stepMHz == 0.05);  // re-planned if it changed
    if (*c.message == '\0') {
        EXPECT_THAT(messages->shown, IsEmpty());
    } else {
        ASSERT_EQ(messages->shown.size(), 1u);
        EXPECT_THAT(messages->shown[0], ::testing::StartsWith(c.message));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Steps, TypedStepTable,
    ::testing::Values(
        TypedStepCase{"NumberAlone", "3", 0.003, "3 kHz", ""},
        TypedStepCase{"WithItsUnit", "2.5 kHz", 0.0025, "2.5 kHz", ""},
        TypedStepCase{"ListEntryTyped", "10 kHz", 0.01, "10 kHz", ""},
        TypedStepCase{"StepInForceChangesNothing", " 50 ", 0.05, "50 kHz", ""},
        TypedStepCase{"Zero", "0", 0.05, "50 kHz", "\"0\" is no step a sweep can take"},
        TypedStepCase{"Negative", "-5", 0.05, "50 kHz", "\"-5\" is no step a sweep can take"},
        TypedStepCase{"NotANumber", "fine", 0.05, "50 kHz",
                      "\"fine\" is no step a sweep can take: type a step in kHz above 0"},
        TypedStepCase{"TooManyPoints", "0.00001", 0.05, "50 kHz",
                      "A sweep from 14 to 14.35 MHz in 1E-05 kHz steps is too large"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PlanTest, PlotModeFromTheUserReappliesFromCodeOnlyOnChange) {
    QComboBox* list = window->controls().Combo2;
    chart->plotCalls.clear();
    list->setCurrentIndex(4);
    window->Combo2_Click();  // the user picks "RHO"
    const CallLog firstTime = chart->plotCalls;
    EXPECT_FALSE(firstTime.empty());
    chart->plotCalls.clear();
    window->Combo2_Click();  // and picks it again: applied again, the same writes
    EXPECT_EQ(chart->plotCalls, firstTime);

    chart->plotCalls.clear();
    list->setCurrentIndex(-1);
    window->Combo2_Click();
    EXPECT_THAT(chart->plotCalls, IsEmpty());
}

TEST_F(PlanTest, CarrierModeAndClearKeepThePlan) {
    window->controls().Combo4->setCurrentIndex(2);
    window->Combo4_Click();
    EXPECT_EQ(window->sweepModel().plan().CarrierMode, 9);
    const int handOvers = chart->dataHandOvers;
    window->cmdClear_Click();
    EXPECT_EQ(chart->dataHandOvers, handOvers + 1);
    EXPECT_EQ(window->sweepModel().plan().PointCount, 8);
    EXPECT_EQ(labels().front(), "14 ");
}

// Choosing a band fills the boxes as typing would; choosing a plan in Setup rebuilds the
// menu, shades what lies outside it and is kept in station.ini.
TEST_F(PlanTest, BandMenuListsThePlansBandsAndSetsStartAndStop) {
    const FormControls& f = window->controls();
    const auto items = [&] {
        QStringList texts;
        for (const QAction* item : f.mnuBand->actions()) {
            texts << item->text();
        }
        return texts;
    };
    EXPECT_EQ(items().at(3), "40m  7.000 – 7.300 MHz");  // all IARU regions, the default

    window->mnuBandPlan_Click("iaru1");
    EXPECT_EQ(window->bandPlans().plan().title, "IARU Region 1");
    EXPECT_TRUE(readConfig("station.ini").contains("[licence]\nplan=iaru1\n"));
    const QStringList iaru1 = items();
    EXPECT_EQ(iaru1.size(), 15);  // 13 bands, a separator, Sweep my bands...
    EXPECT_EQ(iaru1.at(0), "160m  1.810 – 2.000 MHz");
    EXPECT_EQ(iaru1.at(3), "40m  7.000 – 7.200 MHz");
    EXPECT_EQ(iaru1.back(), "Sweep my bands...");
    EXPECT_EQ(chart->insideHz.front(), (BandSegment{1810000, 2000000}));

    f.Combo1->setCurrentIndex(1);  // 100 kHz
    window->Combo1_Click();
    f.mnuBand->actions().at(3)->trigger();
    EXPECT_EQ(f.Text2->text(), "7.00");
    EXPECT_EQ(f.Text3->text(), "7.20");
    EXPECT_EQ(window->sweepModel().plan().StartFreq, 7.0);
    EXPECT_EQ(window->sweepModel().plan().StopFreq, 7.2);
    EXPECT_EQ(window->sweepModel().plan().StepFreq, 0.1);
    EXPECT_THAT(labels(), ElementsAre("7 ", "7.1 ", "7.2 "));

    window->controls().Combo4->setCurrentIndex(1);  // AM: the sidebands take 3 kHz each side
    window->Combo4_Click();
    EXPECT_EQ(chart->insideHz.front(), (BandSegment{1813000, 1997000}));
}

// The boxes read two decimals: a band's edges off that grid are planned inside the band, and
// a band too narrow for two points says what it does instead.
TEST_F(PlanTest, BandMenuPlansWhatTheBoxesShowAndOffersChannelsToSweepMyBands) {
    const FormControls& f = window->controls();
    const auto item = [&](const char* band) {
        for (QAction* action : f.mnuBand->actions()) {
            if (action->text().startsWith(QString::fromLatin1(band) + "  ")) {
                return action;
            }
        }
        ADD_FAILURE() << band;
        return new QAction(f.mnuBand);
    };
    window->mnuBandPlan_Click("iaru2");
    item("17m")->trigger();  // 18.068 to 18.168 MHz in 50 kHz steps
    EXPECT_EQ(f.Text2->text(), "18.07");
    EXPECT_EQ(f.Text3->text(), "18.12");
    EXPECT_THAT(labels(), ElementsAre("18.07 ", "18.12 "));
    EXPECT_EQ(item("60m")->text(), "60m  5.3515 – 5.3665 MHz (one point at 5.36)");
    item("60m")->trigger();
    EXPECT_THAT(labels(), ElementsAre("5.36 "));

    window->mnuBandPlan_Click("us-general");
    EXPECT_EQ(item("60m")->text(), "60m  5.332 – 5.405 MHz (Sweep my bands)");
    item("60m")->trigger();  // cancelled in the dialog
    ASSERT_EQ(bandsDialog->offered.size(), 1u);
    EXPECT_EQ(bandsDialog->offered[0].sweep, std::vector<std::string>{"60m"});
    EXPECT_THAT(labels(), ElementsAre("5.36 "));
}

}  // namespace
}  // namespace zm::test
