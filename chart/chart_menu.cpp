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
    actions.keepReference = addAction(owner, "Keep as reference");
    actions.loadReference = addAction(owner, "Load reference…");
    actions.clearReference = addAction(owner, "Clear reference");
    return actions;
}

void execChartMenu(const ChartMenuActions& actions, QPoint globalPosition) {
    QMenu menu;
    menu.addAction(actions.copySweep);
    menu.addAction(actions.saveCsv);
    menu.addAction(actions.saveTouchstone);
    menu.addSeparator();
    menu.addAction(actions.keepReference);
    menu.addAction(actions.loadReference);
    menu.addAction(actions.clearReference);
    menu.exec(globalPosition);
}

}  // namespace zm
