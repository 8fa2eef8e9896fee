// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/form_menus.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace zm {

namespace {

// View, Zoom: a step up or down, and each step by itself; a step that would not fit the
// screen is greyed by the window, with its tooltip saying why.
void buildZoomMenu(QMainWindow& window, FormControls& c) {
    c.mnuZoom = c.mnuView->addMenu(QStringLiteral("&Zoom"));
    c.mnuZoom->setObjectName(QStringLiteral("mnuZoom"));
    c.mnuZoom->setToolTipsVisible(true);
    c.mnuZoomIn = c.mnuZoom->addAction(QStringLiteral("Zoom &in"));
    c.mnuZoomIn->setObjectName(QStringLiteral("mnuZoomIn"));
    c.mnuZoomIn->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    c.mnuZoomOut = c.mnuZoom->addAction(QStringLiteral("Zoom &out"));
    c.mnuZoomOut->setObjectName(QStringLiteral("mnuZoomOut"));
    c.mnuZoomOut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    c.mnuZoom->addSeparator();
    auto* steps = new QActionGroup(&window);
    for (std::size_t i = 0; i < Zoom::kPercents.size(); ++i) {
        const int percent = Zoom::kPercents[i];
        QAction* step = c.mnuZoom->addAction(QStringLiteral("%1 %").arg(percent));
        step->setObjectName(QStringLiteral("mnuZoom%1").arg(percent));
        step->setCheckable(true);
        steps->addAction(step);
        c.mnuZoomTo[i] = step;
    }
    c.mnuZoomTo[0]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    c.mnuZoomTo[0]->setChecked(true);
}

}  // namespace

QString menuText(const std::string& text) {
    return QString::fromStdString(text).replace('&', "&&");
}

void buildMenus(QMainWindow& window, FormControls& c) {
    QMenuBar* bar = window.menuBar();
    const auto menu = [bar](const char* name, const char* title) {
        QMenu* m = bar->addMenu(QString::fromLatin1(title));
        m->setObjectName(QString::fromLatin1(name));
        m->menuAction()->setObjectName(QString::fromLatin1(name));
        return m;
    };
    const auto item = [](QMenu* m, const char* name, const char* text) {
        QAction* a = m->addAction(QString::fromLatin1(text));
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    c.mnuFile = menu("mnuFile", "&File");
    c.mnuOpen = item(c.mnuFile, "mnuOpen", "&Open");
    c.MnuSaveAs = item(c.mnuFile, "MnuSaveAs", "&SaveAs");
    c.mnuSaveReport = item(c.mnuFile, "mnuSaveReport", "Save report as PDF...");
    c.mnuPrint = item(c.mnuFile, "mnuPrint", "&Print");
    c.mnuExit = item(c.mnuFile, "mnuExit", "&Exit");
    c.mnuSetup = menu("mnuSetup", "&Setup");
    c.mnuNormal = item(c.mnuSetup, "mnuNormal", "&Normal");
    c.mnuDiag = item(c.mnuSetup, "mnuDiag", "&Diag");
    c.mnuStation = item(c.mnuSetup, "mnuStation", "&Station...");
    c.mnuSweepSettings = item(c.mnuSetup, "mnuSweepSettings", "S&weep settings...");
    c.mnuFeedline = item(c.mnuSetup, "mnuFeedline", "&Feedline...");
    c.mnuBandPlan = c.mnuSetup->addMenu(QStringLiteral("Band &plan"));
    c.mnuBandPlan->setObjectName(QStringLiteral("mnuBandPlan"));
    c.mnuNormal->setCheckable(true);
    c.mnuDiag->setCheckable(true);
    c.mnuBand = menu("mnuBand", "&Band");
    c.mnuBand->addSeparator();
    c.mnuSweepMyBands = item(c.mnuBand, "mnuSweepMyBands", "Sweep my bands...");
    c.mnuAntenna = menu("mnuAntenna", "&Antenna");
    c.mnuView = menu("mnuView", "&View");
    c.mnuSmithChart = item(c.mnuView, "mnuSmithChart", "&Smith chart");
    c.mnuSmithChart->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    c.mnuBands = item(c.mnuView, "mnuBands", "&Bands");
    c.mnuView->addSeparator();
    c.mnuAtAntenna = item(c.mnuView, "mnuAtAntenna", "At the &antenna");
    c.mnuAtMeter = item(c.mnuView, "mnuAtMeter", "At the m&eter");
    auto* plane = new QActionGroup(&window);
    for (QAction* choice : {c.mnuAtAntenna, c.mnuAtMeter}) {
        choice->setCheckable(true);
        choice->setEnabled(false);  // until a feedline is set
        plane->addAction(choice);
    }
    buildZoomMenu(window, c);
    c.mnuHelp = menu("mnuHelp", "&Help");
    c.mnuIndex = item(c.mnuHelp, "mnuIndex", "&Index");
    c.mnuAbout = item(c.mnuHelp, "mnuAbout", "&About");
}

}  // namespace zm
