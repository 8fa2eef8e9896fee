// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <string>

#include "app/devices.h"
#include "app/feedline_plane.h"
#include "app/memories_part.h"
#include "app/sweep_model.h"
#include "chart/smith_window.h"
#include "dialogs/match_dialog.h"
#include "results/sweep_files.h"
#include "results/sweep_record.h"
#include "zoom/zoom.h"

class QWidget;

namespace zm {

// The last sweep's results: its record point by point, set in the model at the plane shown
// and drawn on the chart, the Smith chart and the results menu as the model changes; the chart
// menu's Copy sweep, Save sweep as CSV and as Touchstone, Keep as memory and Load memory...; the
// memories drawn on both charts and saved as files; the Smith chart's window and the match window
// of a point.
class SweepResults : public QObject {
public:
    // Runs a dialog with polling at rest.
    using AtRest = std::function<void(const std::function<void()>& dialog)>;

    // `smithMade` gets the Smith chart's window once it is made, for its pictures.
    SweepResults(QWidget& window, Devices& devices, SweepModel& model, FeedlinePlane& plane,
                 MemoriesPart& memories, AtRest atRest,
                 std::function<void(SmithWindow&)> smithMade);

    // The record of a sweep begun, ended, or put back after Sweep my bands; shown at once.
    void setRecord(SweepRecord record);
    // A point of the sweep in progress, as the engine recorded it.
    void recordPoint(int point, SweepPoint swept);
    // Everything shown again at the plane now shown.
    void showAtPlane();
    void showMemories();

    void copySweep();
    void saveSweepAs(SweepFileKind kind);
    void keepAsMemory();
    void loadMemory();
    void saveMemory(const Memory& memory);
    void openSmithChart();
    void matchMenuPoint();

    // The Smith chart drawn at the zoom of the form, and its place kept when it is open.
    void setZoom(Zoom zoom);
    void saveWindowSettings();
    SmithWindow* smithWindow() const { return m_smithWindow; }
    MatchDialog* matchDialog() const { return m_matchDialog; }

private:
    // The record shown, on the chart, the Smith chart and the menu, as the model changed it.
    void showRecord();
    void enableMenu();
    void matchPoint(const TracePoint& point);

    QWidget& m_window;
    Devices& m_devices;
    SweepModel& m_model;
    FeedlinePlane& m_plane;
    MemoriesPart& m_memories;
    AtRest m_atRest;
    std::function<void(SmithWindow&)> m_smithMade;
    QPointer<SmithWindow> m_smithWindow;  // made when first opened
    QPointer<MatchDialog> m_matchDialog;
};

}  // namespace zm
