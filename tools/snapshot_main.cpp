// zm480-snapshot: runs the program's window for a few seconds and writes a PNG of it, for
// machines without a display (the demo script runs it on Qt's offscreen platform).
//
//   zm480-snapshot OUT.png [--seconds N] [--diag] [--mode 0..4] [--run] [--print OUT.pdf]
//
// --mode picks a plot mode as the user would, --run presses Run once start-up is done and
// takes the picture after the sweep, --print also prints the window as File, Print does,
// into a PDF file instead of the printer.

#include <QApplication>
#include <QComboBox>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "app/frm_main.h"
#include "app/stop_signals.h"
#include "dialogs/qt_window_printer.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2 || argv[1][0] == '-') {
        std::fprintf(stderr,
                     "usage: zm480-snapshot OUT.png [--seconds N] [--diag] [--mode 0..4] [--run] "
                     "[--print OUT.pdf]\n");
        return 2;
    }
    const QString pngPath = QString::fromLocal8Bit(argv[1]);
    double seconds = 3;
    bool diag = false;
    bool run = false;
    int mode = -1;
    QString pdfPath;
    for (int i = 2; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--seconds") && i + 1 < argc) {
            seconds = std::atof(argv[++i]);
        } else if (!std::strcmp(argv[i], "--mode") && i + 1 < argc) {
            mode = std::atoi(argv[++i]);
        } else if (!std::strcmp(argv[i], "--diag")) {
            diag = true;
        } else if (!std::strcmp(argv[i], "--print") && i + 1 < argc) {
            pdfPath = QString::fromLocal8Bit(argv[++i]);
        } else if (!std::strcmp(argv[i], "--run")) {
            run = true;
        }
    }

    zm::StopSignals stopSignals;
    zm::frmMain window(zm::programDevices(zm::ConfigStore::forProgram(), stopSignals.flag()));
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
        if (run) {
            window.cmdRun_Click();
        }
        QTimer::singleShot(int(seconds * 1000), &window, [&] {
            const bool saved = window.grab().save(pngPath);
            std::printf(saved ? "The window is in %s\n" : "Could not write %s\n", argv[1]);
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
