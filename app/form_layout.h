// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>

#include "zoom/zoom.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMainWindow;
class QMenu;
class QPushButton;
class QWidget;

namespace zm {

// Every control of the window under its design name. The window owns them all (Qt
// parenting); these are plain pointers for the handlers to address them by name.
struct FormControls {
    QWidget* client = nullptr;  // the client area: every position is measured from its corner
    QWidget* MSChart1 = nullptr;

    QLabel* Label1 = nullptr;         // the legend text
    std::array<QWidget*, 6> Line2{};  // the legend's colour samples, index k = series k+1

    QLabel* Label10 = nullptr;  // "Start Freq"
    QLineEdit* Text2 = nullptr;
    QLabel* Label11 = nullptr;  // "Stop Freq"
    QLineEdit* Text3 = nullptr;
    QLabel* Label12 = nullptr;  // "Step"
    QComboBox* Combo1 = nullptr;
    QPushButton* cmdClear = nullptr;
    QPushButton* cmdRun = nullptr;
    QComboBox* Combo2 = nullptr;  // plot mode

    QLabel* Label4 = nullptr;  // "Pwr"
    QLineEdit* Text4 = nullptr;
    QLabel* Label5 = nullptr;  // "Z"
    QLineEdit* Text5 = nullptr;
    QLabel* Label13 = nullptr;  // "Ph"
    QLineEdit* Text6 = nullptr;
    QLabel* Label17 = nullptr;  // "R"
    QLineEdit* Text15 = nullptr;
    QLabel* Label18 = nullptr;  // "X"
    QLineEdit* Text16 = nullptr;
    QLabel* Label2 = nullptr;  // "SWR"
    QLineEdit* Text1 = nullptr;

    std::array<QCheckBox*, 2> Check2{};
    QLabel* Label14 = nullptr;          // "TRX"
    QComboBox* Combo3 = nullptr;        // serial port
    QComboBox* Combo4 = nullptr;        // carrier mode
    QLabel* Label31 = nullptr;          // raw meter response
    std::array<QLabel*, 1> Picture2{};  // red lamp
    QLabel* Picture5 = nullptr;         // green lamp, above Picture2
    QLabel* Label16 = nullptr;          // "Commander"

    QMenu* mnuFile = nullptr;
    QAction* mnuOpen = nullptr;
    QAction* MnuSaveAs = nullptr;
    QAction* mnuSaveReport = nullptr;  // "Save report as PDF..."
    QAction* mnuPrint = nullptr;
    QAction* mnuExit = nullptr;
    QMenu* mnuSetup = nullptr;
    QAction* mnuNormal = nullptr;
    QAction* mnuDiag = nullptr;
    QAction* mnuStation = nullptr;
    QAction* mnuSweepSettings = nullptr;
    QAction* mnuFeedline = nullptr;
    QMenu* mnuBandPlan = nullptr;  // one checkable item a plan, made by the window
    QMenu* mnuBand = nullptr;      // the plan's bands, made by the window, then:
    QAction* mnuSweepMyBands = nullptr;
    QMenu* mnuAntenna = nullptr;  // the station's antennas, made by the window
    QMenu* mnuView = nullptr;
    QAction* mnuSmithChart = nullptr;  // Ctrl+M
    QAction* mnuBands = nullptr;       // the last "Sweep my bands..." run
    QAction* mnuAtAntenna = nullptr;   // with mnuAtMeter: where the readings are shown
    QAction* mnuAtMeter = nullptr;
    QMenu* mnuZoom = nullptr;                                  // View, Zoom
    QAction* mnuZoomIn = nullptr;                              // Ctrl++ (also Ctrl+=)
    QAction* mnuZoomOut = nullptr;                             // Ctrl+-
    std::array<QAction*, Zoom::kPercents.size()> mnuZoomTo{};  // "100 %" (Ctrl+0) to "200 %"
    QMenu* mnuHelp = nullptr;
    QAction* mnuIndex = nullptr;
    QAction* mnuAbout = nullptr;
};

inline constexpr char kWindowTitle[] = "ZM-480 Plot";

// Builds the whole design inside the window: the menu bar, a client widget set as the
// central widget, and every control at its design place with its font, text, lists and
// tab order. The chart widget is placed at MSChart1's band and re-parented. Lists have no
// selection; editable combo boxes show their initial text. Nothing is connected.
FormControls buildFormLayout(QMainWindow& window, QWidget* chartWidget);

// Draws the form at a zoom: every control at its design place and size converted at the
// zoom, the window's font and every control's own alike, the lamps and the legend's samples
// too. The client area takes the design's width at the zoom and keeps its height.
void zoomFormLayout(QMainWindow& window, const FormControls& controls, Zoom zoom);

}  // namespace zm
