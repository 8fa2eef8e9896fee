// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/qt_feedline_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>

#include "feedline/feedline_choice.h"
#include "feedline/length_finder.h"
#include "feedline/line_units.h"
#include "numbers/number_text.h"

namespace zm {

namespace {

constexpr const char* kNone = "None: readings as the meter takes them";
constexpr const char* kCustom = "Custom";
constexpr double kRadiansToDegrees = 57.29577951308232;

struct Fields {
    QComboBox* cable = nullptr;
    QLineEdit* length = nullptr;
    QComboBox* lengthUnit = nullptr;
    QLineEdit* vf = nullptr;
    QLineEdit* loss = nullptr;
    QComboBox* lossUnit = nullptr;
    QLineEdit* lossAtMHz = nullptr;
    QLabel* figures = nullptr;
    QComboBox* farEnd = nullptr;
    QLabel* found = nullptr;
    QPushButton* useLength = nullptr;
    QLabel* refusal = nullptr;
};

LengthUnit unitOf(const QComboBox* list) {
    return list->currentIndex() == 1 ? LengthUnit::Foot : LengthUnit::Metre;
}

QString numberText(double value) {
    return QString::fromStdString(generalNumber(std::round(value * 1000.0) / 1000.0));
}

// "1.4, 4.9" in the loss box's unit, from dB per 100 m; frequencies as they are.
QString listText(const std::vector<double>& values, LengthUnit per, bool losses) {
    QStringList texts;
    for (const double value : values) {
        texts << numberText(losses ? lossIn(value, per) : value);
    }
    return texts.join(", ");
}

// The reverse, in dB per 100 m; none when a number is not one above 0.
std::optional<std::vector<double>> listFrom(const QString& text, LengthUnit per, bool losses) {
    std::vector<double> values;
    for (const QString& part : text.split(',', Qt::SkipEmptyParts)) {
        const auto value = readDecimal(part.trimmed().toStdString());
        if (!value || !std::isfinite(*value) || *value <= 0.0) {
            return std::nullopt;
        }
        values.push_back(losses ? dbPer100mFrom(*value, per) : *value);
    }
    return values;
}

// The settings as the fields stand; none, with the refusal shown, when a number is not one.
std::optional<FeedlineSettings> settingsOf(const Fields& f, FeedlineSettings settings) {
    settings.cable = f.cable->currentIndex() == 0 ? std::string()
                     : f.cable->currentIndex() == f.cable->count() - 1
                         ? std::string(kCustomCable)
                         : f.cable->currentText().toStdString();
    const auto length = readDecimal(f.length->text().trimmed().toStdString());
    const auto vf = readDecimal(f.vf->text().trimmed().toStdString());
    const auto losses = listFrom(f.loss->text(), unitOf(f.lossUnit), true);
    const auto frequencies = listFrom(f.lossAtMHz->text(), LengthUnit::Metre, false);
    if (!f.length->text().trimmed().isEmpty() && !(length && *length > 0.0)) {
        f.refusal->setText("The length is a number above 0.");
        return std::nullopt;
    }
    if (!losses || !frequencies) {
        f.refusal->setText("Losses and frequencies are numbers above 0, separated by commas.");
        return std::nullopt;
    }
    const bool custom = settings.cable == kCustomCable;
    settings.lengthM =
        length ? std::optional(metresFrom(*length, unitOf(f.lengthUnit))) : std::nullopt;
    settings.velocityFactor = custom && vf ? vf : std::nullopt;
    settings.lossDbPer100m = custom ? *losses : std::vector<double>();
    settings.lossAtMHz = custom ? *frequencies : std::vector<double>();
    return settings;
}

// A wrapped line that gains a line does not make the dialog taller by itself: the datasheet's
// name was cut off ("(Belden 8240") until the dialog was resized.
void growToFit(QWidget* dialog) {
    QLayout* layout = dialog->layout();
    layout->activate();
    const int neededPx = layout->totalHeightForWidth(dialog->width());
    if (neededPx > dialog->height()) {
        dialog->resize(dialog->width(), neededPx);
    }
}

// What the list says of the chosen cable, or how to give a custom one.
void showFigures(const Fields& f, const FeedlineDialogInput& input) {
    const bool custom = f.cable->currentIndex() == f.cable->count() - 1;
    for (QWidget* field : {static_cast<QWidget*>(f.vf), static_cast<QWidget*>(f.loss),
                           static_cast<QWidget*>(f.lossAtMHz)}) {
        field->setEnabled(custom);
    }
    const Cable* cable = cableNamed(input.cables, f.cable->currentText().toStdString());
    if (custom) {
        f.figures->setText(
            "A 50 ohm cable: its velocity factor, and its matched loss at one or "
            "two frequencies, e.g. 1.4, 4.9 at 10, 100 MHz.");
    } else if (cable) {
        const LengthUnit per = unitOf(f.lossUnit);
        QString text = QString::fromStdString(cable->name) + ": " +
                       numberText(cable->impedanceOhms) + " ohm, velocity factor " +
                       numberText(cable->velocityFactor) + "; matched loss";
        for (const double mhz : {1.8, 14.0, 54.0}) {
            text += " " + numberText(lossIn(cable->loss.dbPer100m(mhz), per)) + " at " +
                    numberText(mhz) + " MHz,";
        }
        f.figures->setText(text + (per == LengthUnit::Foot ? " dB/100 ft" : " dB/100 m") + " (" +
                           QString::fromStdString(cable->source) + ")");
    } else {
        f.figures->setText(QString::fromStdString(
            input.cableListProblem.empty() ? "" : "No cable list: " + input.cableListProblem));
    }
}

void findLengthInto(const Fields& f, const FeedlineDialogInput& input, double& foundM) {
    f.useLength->setEnabled(false);
    auto settings = settingsOf(f, input.current);
    if (!settings || settings->cable.empty()) {
        f.found->setText("Choose the cable first: its velocity factor and loss shape the fit.");
        return;
    }
    settings->lengthM = 1.0;  // the length is what is looked for
    const auto line = feedlineFrom(*settings, input.cables);
    if (const auto* why = std::get_if<std::string>(&line)) {
        f.found->setText(QString::fromStdString("The cable does not make a feedline: " + *why));
        return;
    }
    const Cable& cable = std::get<std::optional<Feedline>>(line)->cable;
    const FarEnd end = f.farEnd->currentIndex() == 1 ? FarEnd::Shorted : FarEnd::Open;
    const auto fit = findLength(input.lastSweep, cable, end);
    if (const auto* why = std::get_if<std::string>(&fit)) {
        f.found->setText(QString::fromStdString(*why));
        return;
    }
    const LengthFit& length = std::get<LengthFit>(fit);
    const LengthUnit unit = unitOf(f.lengthUnit);
    const QString unitName = unit == LengthUnit::Foot ? " ft" : " m";
    foundM = length.lengthM;
    f.found->setText("Best fit: " + numberText(lengthIn(length.lengthM, unit)) + unitName + " of " +
                     QString::fromStdString(cable.name) + ", an electrical length of " +
                     numberText(lengthIn(length.electricalLengthM, unit)) + unitName +
                     " (phase error " + numberText(length.rmsPhaseError * kRadiansToDegrees) +
                     " degrees rms).");
    f.useLength->setEnabled(true);
}

}  // namespace

std::optional<FeedlineSettings> QtFeedlineDialog::edit(const FeedlineDialogInput& input) {
    QDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(QStringLiteral("Feedline"));
    const FeedlineSettings& now = input.current;
    Fields f;
    const auto named = [&](auto* widget, const char* name) {
        widget->setObjectName(QString::fromLatin1(name));
        return widget;
    };
    f.cable = named(new QComboBox(&dialog), "cable");
    f.cable->addItem(QString::fromLatin1(kNone));
    for (const Cable& cable : input.cables) {
        f.cable->addItem(QString::fromStdString(cable.name));
    }
    f.cable->addItem(QString::fromLatin1(kCustom));
    const Cable* listed = cableNamed(input.cables, now.cable);
    f.cable->setCurrentIndex(now.cable.empty() ? 0
                             : listed ? f.cable->findText(QString::fromStdString(listed->name))
                             : now.cable == kCustomCable ? f.cable->count() - 1
                                                         : 0);
    f.length =
        named(new QLineEdit(now.lengthM ? numberText(*now.lengthM) : QString(), &dialog), "length");
    f.lengthUnit = named(new QComboBox(&dialog), "lengthUnit");
    f.lengthUnit->addItems({"m", "ft"});
    f.vf = named(
        new QLineEdit(now.velocityFactor ? numberText(*now.velocityFactor) : QString(), &dialog),
        "vf");
    f.loss =
        named(new QLineEdit(listText(now.lossDbPer100m, LengthUnit::Metre, true), &dialog), "loss");
    f.lossUnit = named(new QComboBox(&dialog), "lossUnit");
    f.lossUnit->addItems({"dB/100 m", "dB/100 ft"});
    f.lossAtMHz = named(new QLineEdit(listText(now.lossAtMHz, LengthUnit::Metre, false), &dialog),
                        "lossAtMHz");
    f.figures = named(new QLabel(&dialog), "figures");
    f.figures->setWordWrap(true);
    f.farEnd = named(new QComboBox(&dialog), "farEnd");
    f.farEnd->addItems({"far end open", "far end shorted"});
    auto* find = named(new QPushButton("Find length...", &dialog), "findLength");
    f.found = named(new QLabel("From the last sweep of the cable alone.", &dialog), "found");
    f.found->setWordWrap(true);
    f.useLength = named(new QPushButton("Use this length", &dialog), "useLength");
    f.useLength->setEnabled(false);
    f.refusal = named(new QLabel(&dialog), "refusal");
    f.refusal->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);

    const auto row = [](std::initializer_list<QWidget*> widgets) {
        auto* line = new QHBoxLayout;
        for (QWidget* widget : widgets) {
            line->addWidget(widget);
        }
        return line;
    };
    auto* form = new QFormLayout(&dialog);
    form->addRow("Cable:", f.cable);
    form->addRow("Length:", row({f.length, f.lengthUnit}));
    form->addRow(f.figures);
    form->addRow("Velocity factor:", f.vf);
    form->addRow("Matched loss:", row({f.loss, f.lossUnit}));
    form->addRow("at MHz:", f.lossAtMHz);
    form->addRow("Length from a sweep:", row({f.farEnd, find}));
    form->addRow(f.found);
    form->addRow(f.useLength);
    form->addRow(f.refusal);
    form->addRow(buttons);

    // The boxes keep what they mean when a unit changes: 20 m become 65.617 ft.
    LengthUnit lengthShown = LengthUnit::Metre;
    LengthUnit lossShown = LengthUnit::Metre;
    QObject::connect(f.lengthUnit, &QComboBox::currentIndexChanged, &dialog, [&] {
        const auto typed = readDecimal(f.length->text().trimmed().toStdString());
        if (typed) {
            f.length->setText(
                numberText(lengthIn(metresFrom(*typed, lengthShown), unitOf(f.lengthUnit))));
        }
        lengthShown = unitOf(f.lengthUnit);
    });
    QObject::connect(f.lossUnit, &QComboBox::currentIndexChanged, &dialog, [&] {
        if (const auto losses = listFrom(f.loss->text(), lossShown, true)) {
            f.loss->setText(listText(*losses, unitOf(f.lossUnit), true));
        }
        lossShown = unitOf(f.lossUnit);
        showFigures(f, input);
        growToFit(&dialog);
    });
    double foundM = 0.0;
    QObject::connect(f.cable, &QComboBox::currentIndexChanged, &dialog, [&] {
        showFigures(f, input);
        growToFit(&dialog);
    });
    QObject::connect(find, &QPushButton::clicked, &dialog, [&] {
        findLengthInto(f, input, foundM);
        growToFit(&dialog);
    });
    QObject::connect(f.useLength, &QPushButton::clicked, &dialog, [&] {
        f.length->setText(numberText(lengthIn(foundM, unitOf(f.lengthUnit))));
    });
    showFigures(f, input);

    std::optional<FeedlineSettings> chosen;
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
        chosen = settingsOf(f, now);
        if (chosen) {
            const auto line = feedlineFrom(*chosen, input.cables);
            if (const auto* why = std::get_if<std::string>(&line)) {
                f.refusal->setText(QString::fromStdString("Not a feedline yet: " + *why + "."));
                chosen.reset();
            }
        }
        if (!chosen) {
            growToFit(&dialog);
            return;
        }
        dialog.accept();
    });
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return chosen;
}

}  // namespace zm
