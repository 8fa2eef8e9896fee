// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/band_plan_store.h"

#include <QDir>
#include <QFileInfo>

#include "bandplan/band_plan_file.h"
#include "settings/whole_file.h"
#include "station/station_file.h"

namespace zm {

namespace {

constexpr auto kShippedName = "band-plans.ini";
// Where the package puts it, seen from the program's folder (GNUInstallDirs' bin/, share/).
constexpr auto kInstalledShipped = "../share/zm480-plot/band-plans.ini";
// The shipped file holds six plans in some 120 lines; a hand-written one is smaller still.
constexpr qint64 kMaxReadBytes = 1 << 16;

std::string damageOfOwn(std::string_view text) {
    BandPlansRead read = readBandPlans(text);
    if (read.damage.empty() && read.plans.size() != 1) {
        return "it holds " + std::to_string(read.plans.size()) +
               " plans where it should hold one [plan]";
    }
    return read.damage;
}

}  // namespace

BandPlanStore::BandPlanStore(QString shippedFile, QString configDirectory)
    : m_shippedFile(std::move(shippedFile)), m_configDirectory(std::move(configDirectory)) {}

QString BandPlanStore::shippedFileFor(const QString& programDirectory) {
    const QDir program(programDirectory);
    const QString installed = QDir::cleanPath(program.filePath(kInstalledShipped));
    const QString beside = program.filePath(kShippedName);
    return !QFileInfo::exists(beside) && QFileInfo::exists(installed) ? installed : beside;
}

QString BandPlanStore::ownFilePath() const {
    return QDir(m_configDirectory).filePath("bands.ini");
}

std::vector<BandPlan> BandPlanStore::loadShipped(std::string& failureReport) const {
    QString whyNot;
    const std::optional<std::string> text = readRegularFile(m_shippedFile, kMaxReadBytes, whyNot);
    BandPlansRead read =
        text ? readBandPlans(*text)
             : BandPlansRead{{}, "it cannot be read (" + whyNot.toStdString() + ")"};
    if (read.damage.empty() && !planWithKey(read.plans, LicenceSettings::kAnyPlan)) {
        read = {{}, "it holds no [any] plan"};  // the plan of those who chose none
    }
    failureReport.clear();
    if (!read.damage.empty()) {
        failureReport = "The band plans in " + m_shippedFile.toStdString() +
                        " could not be used: " + read.damage +
                        ". Run keys the transmitter nowhere until ZM-480 Plot is installed "
                        "again, unless you choose your own band plan (bands.ini) in Setup, Band "
                        "plan.";
    }
    return read.plans;
}

std::optional<BandPlan> BandPlanStore::loadOwn(std::string& failureReport) const {
    const CheckedFile file = readCheckedFile(ownFilePath(), kMaxReadBytes, damageOfOwn);
    failureReport.clear();
    if (!file.exists) {
        failureReport = "Your own band plan was chosen, but there is no " +
                        ownFilePath().toStdString() +
                        ". Write it in the form of the shipped band-plans.ini (see README), "
                        "then choose it again in Setup, Band plan; until then the program uses "
                        "the plan of all IARU regions.";
        return std::nullopt;
    }
    if (!file.damage.empty()) {
        failureReport = "Your own band plan in " + ownFilePath().toStdString() +
                        " was not used: " + file.damage + ". " + file.keptText +
                        "the program uses the plan of all IARU regions until you mend it and "
                        "choose it again in Setup, Band plan.";
        return std::nullopt;
    }
    BandPlan own = readBandPlans(file.text).plans.front();
    if (own.title == own.key) {
        own.title = "your own band plan";  // the file gives it no title
    }
    own.key = LicenceSettings::kOwnPlan;
    return own;
}

}  // namespace zm
