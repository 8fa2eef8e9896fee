// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/qt_bands_dialog.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <algorithm>

#include "bandplan/carrier_rule.h"

namespace zm {

namespace {

constexpr const char* kTitle = "Sweep my bands";
constexpr const char* kHelp =
    "Tick the bands to sweep. OK sweeps them one after the other, lowest first, each across "
    "the whole band, and keeps each band's sweep as a memory. Escape stops the run and keeps "
    "what is done.";

bool named(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

std::optional<BandsSettings> QtBandsDialog::ask(const BandPlan& plan,
                                                const BandsSettings& current) {
    QDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(QString::fromLatin1(kTitle));
    auto* help = new QLabel(QString::fromLatin1(kHelp), &dialog);
    help->setWordWrap(true);
    auto* list = new QListWidget(&dialog);
    list->setObjectName("bands");
    for (const Band& band : plan.bands) {
        auto* item = new QListWidgetItem(QString::fromStdString(bandMenuText(band)), list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(named(current.sweep, band.name) ? Qt::Checked : Qt::Unchecked);
    }
    auto* points = new QSpinBox(&dialog);
    points->setObjectName("points");
    points->setRange(BandsSettings::kFewestPoints, BandsSettings::kMostPoints);
    points->setValue(
        std::clamp(current.points, BandsSettings::kFewestPoints, BandsSettings::kMostPoints));
    auto* count = new QLabel(&dialog);
    count->setObjectName("count");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);

    auto* form = new QFormLayout(&dialog);
    form->addRow(help);
    form->addRow(QString::fromStdString("Bands of " + plan.title + ":"), list);
    form->addRow(QStringLiteral("Points per band:"), points);
    form->addRow(count);
    form->addRow(buttons);

    const auto ticked = [&] {
        std::vector<std::string> names;
        for (int row = 0; row < list->count(); ++row) {
            if (list->item(row)->checkState() == Qt::Checked) {
                names.push_back(plan.bands[static_cast<std::size_t>(row)].name);
            }
        }
        return names;
    };
    const auto recount = [&] {
        const auto bands = static_cast<int>(ticked().size());
        count->setText(QStringLiteral("%1 band(s) of %2 points: at most %3 key-downs.")
                           .arg(bands)
                           .arg(points->value())
                           .arg(bands * points->value()));
        buttons->button(QDialogButtonBox::Ok)->setEnabled(bands > 0);
    };
    recount();
    QObject::connect(list, &QListWidget::itemChanged, &dialog, recount);
    QObject::connect(points, &QSpinBox::valueChanged, &dialog, recount);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    BandsSettings chosen{ticked(), points->value()};
    // Bands of another plan stay chosen for when that plan is chosen again.
    for (const std::string& name : current.sweep) {
        if (std::none_of(plan.bands.begin(), plan.bands.end(),
                         [&name](const Band& band) { return band.name == name; })) {
            chosen.sweep.push_back(name);
        }
    }
    return chosen;
}

}  // namespace zm
