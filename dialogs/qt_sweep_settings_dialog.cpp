// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/qt_sweep_settings_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <cmath>

#include "numbers/number_text.h"

namespace zm {

namespace {

constexpr const char* kTitle = "Sweep settings";
constexpr const char* kFixedEntry = "Keyed for the fixed 1.0 s wait";
constexpr const char* kReadingsEntry = "Unkeyed as soon as the meter's readings settle";
constexpr const char* kEveryEntry = "Every point of the plan, in order";
constexpr const char* kRefineEntry = "Only the points the curve needs";
constexpr const char* kPointsHelp =
    "Only the points the curve needs: a few points across the plan first, then more where "
    "the SWR crosses 2 or 1.5, the reactance changes sign, the SWR is lowest or the curve "
    "turns. Every point keyed is a point of the plan; between them the curve is drawn "
    "straight.";
constexpr const char* kCeilingHelp =
    "A reading above the ceiling unkeys the radio at once and stops the sweep. Leave the box "
    "empty for no ceiling. The program never sets the radio's power itself.";
constexpr const char* kCeilingRefused = "The ceiling is a number of watts above 0, or empty.";

// Empty for no ceiling; none when the text is neither empty nor a power above 0.
std::optional<std::optional<double>> ceilingFrom(const QString& text) {
    const std::string typed = text.trimmed().toStdString();
    if (typed.empty()) {
        return std::optional<double>();
    }
    const auto watts = readDecimal(typed);
    if (!watts || !std::isfinite(*watts) || *watts <= 0.0) {
        return std::nullopt;
    }
    return std::optional<double>(*watts);
}

}  // namespace

std::optional<SweepSettings> QtSweepSettingsDialog::edit(const SweepSettings& current) {
    QDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(QString::fromLatin1(kTitle));
    auto* settle = new QComboBox(&dialog);
    settle->setObjectName("settle");
    settle->addItems({QString::fromLatin1(kFixedEntry), QString::fromLatin1(kReadingsEntry)});
    settle->setCurrentIndex(current.settle == SettleMode::Readings ? 1 : 0);
    auto* points = new QComboBox(&dialog);
    points->setObjectName("points");
    points->addItems({QString::fromLatin1(kEveryEntry), QString::fromLatin1(kRefineEntry)});
    points->setCurrentIndex(current.points == PlanPoints::Refine ? 1 : 0);
    auto* pointsHelp = new QLabel(QString::fromLatin1(kPointsHelp), &dialog);
    pointsHelp->setWordWrap(true);
    auto* ceiling = new QLineEdit(&dialog);
    ceiling->setObjectName("maxPowerW");
    ceiling->setPlaceholderText(QStringLiteral("none"));
    if (current.maxPowerW) {
        ceiling->setText(QString::fromStdString(shortestNumber(*current.maxPowerW)));
    }
    auto* help = new QLabel(QString::fromLatin1(kCeilingHelp), &dialog);
    help->setWordWrap(true);
    auto* refusal = new QLabel(&dialog);
    refusal->setObjectName("refusal");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);

    auto* form = new QFormLayout(&dialog);
    form->addRow(QStringLiteral("Each sweep point:"), settle);
    form->addRow(QStringLiteral("Points keyed:"), points);
    form->addRow(pointsHelp);
    form->addRow(QStringLiteral("Power ceiling (W):"), ceiling);
    form->addRow(help);
    form->addRow(refusal);
    form->addRow(buttons);

    SweepSettings chosen = current;
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
        const auto typed = ceilingFrom(ceiling->text());
        if (!typed) {
            refusal->setText(QString::fromLatin1(kCeilingRefused));
            return;
        }
        chosen.settle = settle->currentIndex() == 1 ? SettleMode::Readings : SettleMode::Fixed;
        chosen.points = points->currentIndex() == 1 ? PlanPoints::Refine : PlanPoints::Every;
        chosen.maxPowerW = *typed;
        dialog.accept();
    });
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return chosen;
}

}  // namespace zm
