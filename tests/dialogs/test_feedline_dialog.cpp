// SPDX-License-Identifier: GPL-3.0-or-later
// Setup, Feedline as a user fills it in, in metres or feet and per 100 m or 100 ft: what
// station.ini then keeps, in metres and per 100 m.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "dialogs/qt_feedline_dialog.h"
#include "feedline/transmission_line.h"
#include "results/impedance.h"

namespace zm {
namespace {

Cable rg58() {
    return {"RG-58", 50.0, 0.66, {}, fitLossModel({{1, 1.31}, {10, 4.59}, {100, 16.1}}), "sheet"};
}

template <typename Widget>
Widget* field(QDialog* dialog, const char* name) {
    auto* widget = dialog->findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

// Runs the dialog with `fill` done to it, then OK; a dialog that refuses is cancelled, its
// refusal kept in `refusal`.
std::optional<FeedlineSettings> filledIn(const FeedlineDialogInput& input,
                                         std::function<void(QDialog*)> fill,
                                         QString* refusal = nullptr) {
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        fill(dialog);
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        if (dialog->isVisible()) {
            if (refusal) {
                *refusal = field<QLabel>(dialog, "refusal")->text();
            }
            dialog->reject();
        }
    });
    return QtFeedlineDialog().edit(input);
}

struct Filling {
    const char* behaviour;
    const char* cable;
    const char* length;
    int lengthUnit;  // 0 m, 1 ft
    const char* vf;
    const char* loss;
    int lossUnit;  // 0 per 100 m, 1 per 100 ft
    const char* atMHz;
    std::optional<FeedlineSettings> kept;  // none: refused
};

FeedlineSettings listed(double lengthM) {
    return {"RG-58", lengthM, std::nullopt, {}, {}, true};
}

TEST(FeedlineDialog, KeepsMetresAndPer100mWhateverUnitsWereTyped) {
    const Filling table[] = {
        {"a cable of the list in metres", "RG-58", "20", 0, "", "", 0, "", listed(20)},
        {"a cable of the list in feet", "RG-58", "100", 1, "", "", 0, "", listed(30.48)},
        {"a custom cable in feet and per 100 ft", "Custom", "100", 1, "0.66", "1.4, 4.9", 1,
         "10, 100",
         FeedlineSettings{"custom", 30.48, 0.66, {1.4 / 0.3048, 4.9 / 0.3048}, {10, 100}, true}},
        {"a custom cable without its velocity factor", "Custom", "20", 0, "", "1.4", 0, "10",
         std::nullopt},
        {"a length that is no number", "RG-58", "twenty", 0, "", "", 0, "", std::nullopt},
    };
    for (const Filling& row : table) {
        SCOPED_TRACE(row.behaviour);
        QString refusal;
        const auto kept = filledIn(
            {{}, {rg58()}, "", {}},
            [&](QDialog* dialog) {
                auto* cable = field<QComboBox>(dialog, "cable");
                cable->setCurrentIndex(cable->findText(row.cable));
                field<QComboBox>(dialog, "lengthUnit")->setCurrentIndex(row.lengthUnit);
                field<QComboBox>(dialog, "lossUnit")->setCurrentIndex(row.lossUnit);
                field<QLineEdit>(dialog, "length")->setText(row.length);
                field<QLineEdit>(dialog, "vf")->setText(row.vf);
                field<QLineEdit>(dialog, "loss")->setText(row.loss);
                field<QLineEdit>(dialog, "lossAtMHz")->setText(row.atMHz);
            },
            &refusal);
        ASSERT_EQ(kept.has_value(), row.kept.has_value()) << refusal.toStdString();
        EXPECT_EQ(refusal.isEmpty(), row.kept.has_value());
        if (kept) {
            EXPECT_EQ(kept->cable, row.kept->cable);
            EXPECT_NEAR(*kept->lengthM, *row.kept->lengthM, 1e-9);
            EXPECT_EQ(kept->velocityFactor, row.kept->velocityFactor);
            ASSERT_EQ(kept->lossDbPer100m.size(), row.kept->lossDbPer100m.size());
            for (std::size_t i = 0; i < kept->lossDbPer100m.size(); ++i) {
                EXPECT_NEAR(kept->lossDbPer100m[i], row.kept->lossDbPer100m[i], 1e-9);
            }
            EXPECT_EQ(kept->lossAtMHz, row.kept->lossAtMHz);
        }
    }
}

// The last sweep was of 23.4 m of RG-58, far end open: Find length offers it, in feet too.
TEST(FeedlineDialog, FindLengthOffersTheLengthOfTheLastSweep) {
    SweepRecord sweep;
    for (int khz = 1800; khz <= 30000; khz += 100) {
        const std::complex<double> z = meterImpedanceOf(1e15, {rg58(), 23.4}, khz * 1e3);
        sweep.points.push_back(
            {khz * 1000, PointReading{100.0, std::abs(z), phaseDegreesOf(z), 1}});
    }
    const auto kept = filledIn({listed(20), {rg58()}, "", sweep}, [](QDialog* dialog) {
        field<QComboBox>(dialog, "lengthUnit")->setCurrentIndex(1);
        EXPECT_EQ(field<QLineEdit>(dialog, "length")->text(), "65.617");
        field<QPushButton>(dialog, "findLength")->click();
        EXPECT_TRUE(
            field<QLabel>(dialog, "found")->text().startsWith("Best fit: 76.772 ft of RG-58"))
            << field<QLabel>(dialog, "found")->text().toStdString();
        field<QPushButton>(dialog, "useLength")->click();
    });
    ASSERT_TRUE(kept.has_value());
    EXPECT_NEAR(*kept->lengthM, 23.4, 0.001);
}

// The cable's figures wrap onto more lines as it is chosen, and the dialog grows to show
// them whole, the datasheet's name at their end too.
TEST(FeedlineDialog, AChosenCablesFiguresAreShownWhole) {
    Cable cable = rg58();
    cable.source = "Belden 8240 RG-58/U, the maker's datasheet of its attenuation";
    FeedlineDialogInput input{{}, {cable}, {}, {}};
    int neededPx = 0;
    int shownPx = 0;
    filledIn(input, [&](QDialog* dialog) {
        field<QComboBox>(dialog, "cable")->setCurrentIndex(1);
        const QLabel* figures = field<QLabel>(dialog, "figures");
        QApplication::processEvents();
        neededPx = figures->heightForWidth(figures->width());
        shownPx = figures->height();
    });
    EXPECT_GT(neededPx, 2 * QFontMetrics(QApplication::font()).lineSpacing());
    EXPECT_GE(shownPx, neededPx);
}

}  // namespace
}  // namespace zm
