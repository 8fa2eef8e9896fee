// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/results_parts.h"

#include <QDir>

namespace zm {

ResultsParts::ResultsParts(QWidget& window, Devices& devices, SweepModel& model,
                           FeedlinePlane& plane, std::function<const RigSettings&()> rig,
                           const SweepResults::AtRest& atRest)
    : memories(
          QDir(devices.config.directory()).filePath("memories"), window, *devices.messages,
          [this] { sweep.showMemories(); },
          [this](const Memory& memory) { sweep.saveMemory(memory); }),
      sweep(window, devices, model, plane, memories, atRest,
            [this](SmithWindow& smith) {
                pictures.offer(smith.chart().pictureActions(), smith.chart(), "smith-chart");
            }),
      pictures(devices, model, sweep, std::move(rig), atRest) {}

}  // namespace zm
