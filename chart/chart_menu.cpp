// SPDX-License-Identifier: GPL-3.0-or-later

#include "chart/chart_menu.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

namespace zm {

namespace {

QAction* addAction(QWidget* owner, const char* text) {
    auto* action = new QAction(QString::fromUtf8(text), owner);
    owner->addAction(action);
    return action;
}

}  // namespace

ChartMenuActions makeChartMenuActions(QWidget* owner) {
    ChartMenuActions actions;
    actions.copySweep = addAction(owner, "Copy sweep");
    actions.copySweep->setShortcut(QKeySequence::Copy);
    actions.copySweep->setShortcutContext(Qt::WidgetShortcut);
    actions.saveCsv = addAction(owner, "Save sweep as CSV…");
    actions.saveTouchstone = addAction(owner, "Save sweep as Touchstone (.s1p)…");
    actions.keepMemory = addAction(owner, "Keep as memory");
    actions.loadMemory = addAction(owner, "Load memory…");
    actions.memories = addAction(owner, "Memories…");
    actions.smithChart = addAction(owner, "Smith chart");
    actions.matchPoint = addAction(owner, "Match this point");
    const PictureActions pictures = makePictureActions(owner);
    actions.copyImage = pictures.copyImage;
    actions.saveImage = pictures.saveImage;
    actions.saveReport = addAction(owner, "Save report as PDF...");
    return actions;
}

// Keyboard users find every entry at the same place each time: the order never changes,
// entries that cannot act are greyed, not left out.
void execChartMenu(const ChartMenuActions& actions, QPoint globalPosition) {
    QMenu menu;
    menu.addAction(actions.copySweep);
    menu.addAction(actions.saveCsv);
    menu.addAction(actions.saveTouchstone);
    menu.addSeparator();
    menu.addAction(actions.keepMemory);
    menu.addAction(actions.loadMemory);
    menu.addAction(actions.memories);
    menu.addSeparator();
    menu.addAction(actions.smithChart);
    menu.addAction(actions.matchPoint);
    menu.addSeparator();
    menu.addAction(actions.copyImage);
    menu.addAction(actions.saveImage);
    menu.addAction(actions.saveReport);
    menu.exec(globalPosition);
}

}  // namespace zm
