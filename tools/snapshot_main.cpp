// SPDX-License-Identifier: GPL-3.0-or-later
// zm480-snapshot: runs the program's window for a few seconds and writes a PNG of it, for
// machines without a display (the demo script runs it on Qt's offscreen platform).
//
//   zm480-snapshot OUT.png [--seconds N] [--diag] [--mode 0..4] [--plan START STOP STEP]
//                  [--run] [--print OUT.pdf] [--memory FILE] [--hover POINT]
//                  [--smith SMITH.png] [--bands BANDS.png] [--during SECONDS DURING.png]
//                  [--history HISTORY.png]
//
// --mode picks a plot mode as the user would, --plan types the start and stop boxes and the
// step field ("7.0 7.2 2" for 2 kHz steps), --run presses Run once start-up is done and
// takes the picture after the sweep, --print also prints the window as File, Print does,
// into a PDF file instead of the printer (rigctld is reached on the port station.ini's
// [rig] names, as the program does), --memory loads FILE as the chart menu's "Load memory…" does
// (it is kept in memories/ as any loaded memory), --hover puts the mouse on sweep point POINT (from
// 1) of the first curve shown, to show its values, --smith opens the Smith chart and writes a PNG
// of it too, and --bands runs Band, Sweep my bands... with the bands and points station.ini's
// [bands] holds, says how long the run took and writes a PNG of the Bands window, and
// --during writes a PNG of the window that many seconds into --run or --bands, mid-sweep, and
// --history opens Antenna, History... once the rest is done and writes a PNG of it.

#include <QAction>
#include <QApplication>
#include <QChartView>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QLineSeries>
#include <QMouseEvent>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "app/dialogs_on_stop.h"
#include "app/frm_main.h"
#include "dialogs/bands_window.h"
#include "dialogs/history_window.h"
#include "dialogs/qt_window_printer.h"
#include "process/stop_signals.h"
#include "sweep/rigctld_client.h"

namespace {

// The load dialog, answered with the file of --memory.
class ChosenFile : public zm::SweepFileDialog {
public:
    explicit ChosenFile(std::string path) : m_path(std::move(path)) {}
    std::optional<std::string> chooseSaveName(const zm::SweepFileRequest&) override { return {}; }
    std::optional<zm::ReportChoice> chooseReportName(const zm::SweepFileRequest&) override {
        return {};
    }
    std::optional<std::string> chooseOpenName(const zm::SweepFileRequest&) override {
        return m_path;
    }

private:
    std::string m_path;
};

// Sweep my bands, answered with the bands and points of station.ini as they are.
class SavedBands : public zm::BandsDialog {
public:
    std::optional<zm::BandsSettings> ask(const zm::BandPlan&,
                                         const zm::BandsSettings& current) override {
        return current;
    }
};

// The mouse resting on a point of the first solid curve shown, as the user would hover.
void hoverOverPoint(QWidget* chartWidget, int point) {
    auto* view = qobject_cast<QChartView*>(chartWidget);
    for (QAbstractSeries* series : view ? view->chart()->series() : QList<QAbstractSeries*>()) {
        auto* line = qobject_cast<QLineSeries*>(series);
        if (line && line->isVisible() && line->pen().style() == Qt::SolidLine &&
            line->count() >= point) {
            const QPointF inChart = view->chart()->mapToPosition(line->at(point - 1), line);
            const QPointF at = view->mapFromScene(view->chart()->mapToScene(inChart));
            QMouseEvent move(QEvent::MouseMove, at, view->viewport()->mapToGlobal(at), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(view->viewport(), &move);
            return;
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2 || argv[1][0] == '-') {
        std::fprintf(stderr,
                     "usage: zm480-snapshot OUT.png [--seconds N] [--diag] [--mode 0..4] "
                     "[--plan START STOP STEP] [--run] [--print OUT.pdf] "
                     "[--memory FILE] [--hover POINT] [--smith SMITH.png] [--bands BANDS.png] "
                     "[--during SECONDS DURING.png] [--history HISTORY.png]\n");
        return 2;
    }
    const QString pngPath = QString::fromLocal8Bit(argv[1]);
    double seconds = 3;
    bool diag = false;
    bool run = false;
    int mode = -1;
    int hoverPoint = 0;
    std::string memoryPath;
    QString smithPath;
    QString bandsPath;
    QString historyPath;
    QString pdfPath;
    double duringSeconds = 0;
    QString duringPath;
    QStringList plan;  // start, stop, step as typed
    for (int i = 2; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--seconds") && i + 1 < argc) {
            seconds = std::atof(argv[++i]);
        } else if (!std::strcmp(argv[i], "--mode") && i + 1 < argc) {
            mode = std::atoi(argv[++i]);
        } else if (!std::strcmp(argv[i], "--diag")) {
            diag = true;
        } else if (!std::strcmp(argv[i], "--print") && i + 1 < argc) {
            pdfPath = QString::fromLocal8Bit(argv[++i]);
        } else if (!std::strcmp(argv[i], "--plan") && i + 3 < argc) {
            for (int part = 1; part <= 3; ++part) {
                plan << QString::fromLocal8Bit(argv[i + part]);
            }
            i += 3;
        } else if (!std::strcmp(argv[i], "--run")) {
            run = true;
        } else if (!std::strcmp(argv[i], "--memory") && i + 1 < argc) {
            memoryPath = argv[++i];
        } else if (!std::strcmp(argv[i], "--smith") && i + 1 < argc) {
            smithPath = QString::fromLocal8Bit(argv[++i]);
        } else if (!std::strcmp(argv[i], "--bands") && i + 1 < argc) {
            bandsPath = QString::fromLocal8Bit(argv[++i]);
        } else if (!std::strcmp(argv[i], "--history") && i + 1 < argc) {
            historyPath = QString::fromLocal8Bit(argv[++i]);
        } else if (!std::strcmp(argv[i], "--during") && i + 2 < argc) {
            duringSeconds = std::atof(argv[++i]);
            duringPath = QString::fromLocal8Bit(argv[++i]);
        } else if (!std::strcmp(argv[i], "--hover") && i + 1 < argc) {
            hoverPoint = std::atoi(argv[++i]);
        }
    }

    zm::StopSignals stopSignals;
    zm::endModalDialogsOnStop(stopSignals);
    zm::Devices devices = zm::programDevices(zm::ConfigStore::forProgram(), stopSignals.flag(),
                                             zm::RigctldServerFactory::kDefaultPort);
    if (!memoryPath.empty()) {
        devices.sweepFileDialog = std::make_unique<ChosenFile>(memoryPath);
    }
    devices.bandsDialog = std::make_unique<SavedBands>();
    zm::frmMain window(std::move(devices));
    QObject::connect(&stopSignals, &zm::StopSignals::stopRequested, &window, &QWidget::close);
    window.show();

    // Once start-up has run: the chosen size, plot mode and sweep, as a user would do them.
    QTimer::singleShot(100, &window, [&] {
        if (diag) {
            window.mnuDiag_Click();
        }
        if (mode >= 0) {
            window.controls().Combo2->setCurrentIndex(mode);
            window.Combo2_Click();
        }
        if (!plan.isEmpty()) {
            window.controls().Text2->setText(plan[0]);
            window.controls().Text3->setText(plan[1]);
            window.controls().Combo1->setEditText(plan[2]);
            window.Combo1_Validate();
        }
        if (!memoryPath.empty()) {
            window.results().loadMemory();
        }
        if (!smithPath.isEmpty()) {
            window.results().openSmithChart();
        }
        if (!duringPath.isEmpty()) {  // the sweep runs on, the window's events with it
            QTimer::singleShot(int(duringSeconds * 1000), &window, [&] {
                const bool saved = window.grab().save(duringPath);
                std::printf(saved ? "Mid-sweep, the window is in %s\n" : "Could not write %s\n",
                            qPrintable(duringPath));
            });
        }
        if (run) {
            window.cmdRun_Click();
        }
        if (!bandsPath.isEmpty()) {
            QElapsedTimer took;
            took.start();
            window.mnuSweepMyBands_Click();
            std::printf("Sweep my bands took %.1f s\n", took.elapsed() / 1000.0);
        }
        if (hoverPoint > 0) {
            hoverOverPoint(window.controls().MSChart1, hoverPoint);
        }
        if (!historyPath.isEmpty()) {
            window.findChild<QAction*>(QStringLiteral("mnuHistory"))->trigger();
        }
        QTimer::singleShot(int(seconds * 1000), &window, [&] {
            const bool saved = window.grab().save(pngPath);
            std::printf(saved ? "The window is in %s\n" : "Could not write %s\n", argv[1]);
            if (window.results().smithWindow()) {
                const bool smithSaved = window.results().smithWindow()->grab().save(smithPath);
                std::printf(smithSaved ? "The Smith chart is in %s\n" : "Could not write %s\n",
                            qPrintable(smithPath));
            }
            if (auto* bands = window.findChild<zm::BandsWindow*>()) {
                const bool bandsSaved = bands->grab().save(bandsPath);
                std::printf(bandsSaved ? "The Bands window is in %s\n" : "Could not write %s\n",
                            qPrintable(bandsPath));
            }
            if (auto* history = window.findChild<zm::HistoryWindow*>()) {
                const bool historySaved = history->grab().save(historyPath);
                std::printf(historySaved ? "The History window is in %s\n" : "Could not write %s\n",
                            qPrintable(historyPath));
            }
            if (!pdfPath.isEmpty()) {
                std::string whyNot;
                const bool printed = zm::QtWindowPrinter::toPdfFile(pdfPath).printWindow(
                    *window.centralWidget(), whyNot);
                std::printf("%s: %s\n", qPrintable(pdfPath), printed ? "printed" : whyNot.c_str());
            }
            window.close();
        });
    });
    return app.exec();
}
