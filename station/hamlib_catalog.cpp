// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/hamlib_catalog.h"

#include <QProcess>
#include <QStandardPaths>

namespace zm {

namespace {

constexpr int kRunMs = 5000;

std::string outputOf(const QString& program, const QStringList& arguments) {
    const QString path = QStandardPaths::findExecutable(program);
    if (path.isEmpty()) {
        return {};
    }
    QProcess process;
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(path, arguments);
    if (!process.waitForFinished(kRunMs)) {
        process.kill();
        process.waitForFinished(kRunMs);
        return {};
    }
    return process.readAllStandardOutput().toStdString();
}

}  // namespace

std::vector<RigModel> installedRigModels() {
    return parseRigModelList(outputOf("rigctld", {"-l"}));
}

std::vector<int> serialRatesOf(int model) {
    return parseSerialRates(outputOf("rigctl", {"-m", QString::number(model), "-u"}));
}

}  // namespace zm
