// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader finds in the window, read through Qt's accessibility interface as
// AT-SPI passes it on: the readout row's names and values, the lamp, and after a sweep the
// markers as the chart's description.

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "chart/qt_chart_control.h"
#include "tests/app/sweep_fixture.h"
#include "tests/support/process_events_until.h"

namespace zm::test {
namespace {

QAccessibleInterface* accessible(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget);
}

QString spoken(QWidget* widget, QAccessible::Text text) {
    return accessible(widget)->text(text);
}

// A sweep of the start-up plan, 14.0 to 14.35 MHz, that dips to SWR 1.20 at 14.15 MHz.
class AccessibleWindowTest : public SweepTest {
protected:
    QtChartControl* qtChart = nullptr;

    void SetUp() override {
        Devices devices = fakeDevices();
        auto chartControl = std::make_unique<QtChartControl>();
        qtChart = chartControl.get();
        devices.chart = std::move(chartControl);
        auto factory = std::make_unique<RecordingRigServerFactory>(log);
        rig = factory.get();
        devices.rigServers = std::move(factory);
        createWindow(std::move(devices));
        start();
        choosePlotMode(2);  // SWR - 3:1: the lowest SWR and the 2:1 band are marked
    }
};

TEST_F(AccessibleWindowTest, ReadoutRowSaysWhatEachBoxHoldsAndItsValue) {
    comm->answers = {kFiftyOhms};
    window->Timer1_Timer();
    ASSERT_TRUE(processEventsUntil([&] { return !window->controls().Text1->text().isEmpty(); }));
    const FormControls& f = window->controls();
    const struct {
        QWidget* box;
        const char* name;
        const char* value;
    } table[] = {
        {f.Text4, "Power, watts", "100.0"},   {f.Text5, "Z, ohms", "50.0"},
        {f.Text6, "Phase, degrees", "-30.0"}, {f.Text15, "R, ohms", "43.3"},
        {f.Text16, "X, ohms", "25.0"},        {f.Text1, "SWR", "1.50"},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(accessible(row.box)->role(), QAccessible::EditableText);
        EXPECT_EQ(spoken(row.box, QAccessible::Name), row.name);
        EXPECT_EQ(spoken(row.box, QAccessible::Value), row.value);
    }
    // One lamp to find: the green face, the red one hidden beneath it.
    EXPECT_EQ(spoken(f.Picture5, QAccessible::Name), "meter answers");
    EXPECT_TRUE(f.Picture5->isVisible());
    EXPECT_FALSE(f.Picture2[0]->isVisible());
    EXPECT_EQ(spoken(f.Picture2[0], QAccessible::Name), "meter not answering");
    EXPECT_EQ(spoken(f.Check2[0], QAccessible::Name), "TRX");
    EXPECT_EQ(spoken(f.Text2, QAccessible::Name), "Start frequency, MHz");
    // Each list's editable field is named as its list, "50 kHz" read as the step.
    const std::pair<QComboBox*, const char*> lists[] = {{f.Combo1, "Step"},
                                                        {f.Combo2, "Plot mode"},
                                                        {f.Combo3, "Meter port"},
                                                        {f.Combo4, "Carrier mode"}};
    for (const auto& [list, name] : lists) {
        SCOPED_TRACE(name);
        ASSERT_NE(list->lineEdit(), nullptr);
        EXPECT_EQ(spoken(list->lineEdit(), QAccessible::Name), name);
    }
}

TEST_F(AccessibleWindowTest, AfterASweepTheChartDescribesItsMarkers) {
    const char* const swr[] = {"3.00", "2.40", "1.80", "1.20", "1.70", "2.30", "2.90", "3.00"};
    comm->answers = {";  100.0, 50.0,-30.0 R  43.3 X  25.0 SW3.00"};  // the meter's check
    for (const char* value : swr) {
        comm->answers.push_back(std::string(";  100.0, 50.0,-30.0 R  43.3 X  25.0 SW") + value);
    }
    window->cmdRun_Click();
    qtChart->repaintNow();

    QWidget* chartWidget = window->controls().MSChart1;
    EXPECT_EQ(accessible(chartWidget)->role(), QAccessible::Chart);
    EXPECT_EQ(spoken(chartWidget, QAccessible::Name), "Chart");
    const QString description = spoken(chartWidget, QAccessible::Description);
    EXPECT_TRUE(description.startsWith("SWR 1.20 at 14.150 MHz; 2:1 "))
        << description.toStdString();
    EXPECT_EQ(description, qtChart->markerLabels().replace('\n', "; "));
    EXPECT_TRUE(accessible(chartWidget)->state().focusable);  // Tab reaches it: read on demand
}

}  // namespace
}  // namespace zm::test
