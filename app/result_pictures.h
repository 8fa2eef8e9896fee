// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "app/devices.h"
#include "app/sweep_model.h"
#include "app/sweep_results.h"
#include "chart/chart_picture.h"
#include "station/station_file.h"

namespace zm {

// Pictures of the results: "Copy image" and "Save image..." of the chart and of every window
// that draws like it, their title line, and the one-page PDF report.
class ResultPictures : public QObject {
public:
    // The title spans the model's plan before the first sweep; `rig` gives station.ini's
    // radio, which it names. The report draws `results`' Smith chart when it is open.
    ResultPictures(Devices& devices, const SweepModel& model, const SweepResults& results,
                   std::function<const RigSettings&()> rig, SweepResults::AtRest atRest);

    // Wires a chart-like window's two picture entries: Copy image puts its picture on the
    // clipboard as PNG; Save image... saves it as PNG or SVG, offering `fileName`.png where
    // Save CSV's dialog last was. The picture must outlive the entries. `title` gives the
    // title line; without it, the sweep's.
    void offer(const PictureActions& actions, ChartPicture& picture, std::string fileName,
               std::function<QString()> title = {});
    void saveReport();
    // The sweep's band and span, when, the antenna, the radio, and the plane.
    QString title();
    // The station's radio as Hamlib names it; empty without a model, or one Hamlib lacks.
    std::string radioName();

private:
    void save(ChartPicture& picture, const std::string& fileName, const QString& title);

    Devices& m_devices;
    const SweepModel& m_model;
    const SweepResults& m_results;
    std::function<const RigSettings&()> m_rig;
    SweepResults::AtRest m_atRest;
    std::optional<std::pair<int, std::string>> m_radioName;  // model number, name: looked up once
};

}  // namespace zm
