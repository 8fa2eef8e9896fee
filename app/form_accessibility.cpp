// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/form_accessibility.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace zm {

namespace {

struct AccessibleName {
    QWidget* control;
    const char* name;
    QLabel* caption;  // the label beside it; null for none
};

// On Linux a list's accessible name is its current entry, and a screen reader names the list
// by the label tied to it. The design gives three lists no label: each gets one that is
// never shown, so that Orca says "Plot mode, combo box, SWR - 3:1".
QLabel* unshownCaption(QComboBox* list, const char* name) {
    auto* caption = new QLabel(QString::fromLatin1(name), list->parentWidget());
    caption->setObjectName(list->objectName() + QStringLiteral("Caption"));
    caption->hide();
    return caption;
}

}  // namespace

void nameFormControls(const FormControls& c) {
    const AccessibleName names[] = {
        {c.Text2, "Start frequency, MHz", c.Label10},
        {c.Text3, "Stop frequency, MHz", c.Label11},
        {c.Combo1, "Step", c.Label12},
        {c.Combo2, "Plot mode", unshownCaption(c.Combo2, "Plot mode")},
        {c.Text4, "Power, watts", c.Label4},
        {c.Text5, "Z, ohms", c.Label5},
        {c.Text6, "Phase, degrees", c.Label13},
        {c.Text15, "R, ohms", c.Label17},
        {c.Text16, "X, ohms", c.Label18},
        {c.Text1, "SWR", c.Label2},
        {c.Check2[0], "TRX", c.Label14},
        {c.Check2[1], "Commander", c.Label16},
        {c.Combo3, "Meter port", unshownCaption(c.Combo3, "Meter port")},
        {c.Combo4, "Carrier mode", unshownCaption(c.Combo4, "Carrier mode")},
        {c.Picture5, "meter answers", nullptr},
        {c.Picture2[0], "meter not answering", nullptr},
        {c.MSChart1, "Chart", nullptr},
        {c.Label1, "Legend: R red, X green, Z blue, Phase magenta, SWR black, RHO cyan", nullptr},
    };
    for (const AccessibleName& entry : names) {
        entry.control->setAccessibleName(QString::fromLatin1(entry.name));
        // A list's editable field is an object of its own to a screen reader, read as
        // "50 kHz, text" with no name unless it carries the list's.
        if (auto* list = qobject_cast<QComboBox*>(entry.control); list && list->lineEdit()) {
            list->lineEdit()->setAccessibleName(QString::fromLatin1(entry.name));
        }
        if (entry.caption) {
            entry.caption->setBuddy(entry.control);
        }
    }
    c.Picture5->setAccessibleDescription(QStringLiteral("Link lamp"));
    c.Picture2[0]->setAccessibleDescription(QStringLiteral("Link lamp"));
    c.Label31->setAccessibleDescription(QStringLiteral("The meter's raw answer"));
    // Line2(k) samples series k+1: R, X, Z, SWR, phase, RHO.
    const char* const samples[] = {"R line, red",     "X line, green",       "Z line, blue",
                                   "SWR line, black", "Phase line, magenta", "RHO line, cyan"};
    for (std::size_t k = 0; k < c.Line2.size(); ++k) {
        c.Line2[k]->setAccessibleName(QString::fromLatin1(samples[k]));
    }
}

}  // namespace zm
