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

std::string damageOfPlans(std::string_view text) {
    return readBandPlans(text).damage;
}

// "[iaru1] \"IARU Region 1\""
std::string named(const BandPlan& plan) {
    return "[" + plan.key + "] \"" + plan.title + "\"";
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

std::optional<BandPlan> BandPlanStore::loadOwn(std::string& failureReport,
                                               std::string& whichPlan) const {
    const CheckedFile file = readCheckedFile(ownFilePath(), kMaxReadBytes, damageOfPlans);
    failureReport.clear();
    whichPlan.clear();
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
    // A copy of band-plans.ini, say, still to be cut down to the user's plan.
    const std::vector<BandPlan> plans = readBandPlans(file.text).plans;
    const BandPlan* ownKey = planWithKey(plans, LicenceSettings::kOwnPlan);
    BandPlan own = ownKey ? *ownKey : plans.front();
    if (plans.size() > 1) {
        const std::string count = std::to_string(plans.size());
        whichPlan = ownKey ? "bands.ini holds " + count + " plans: the program keys within " +
                                 named(own) + "."
                           : "bands.ini holds " + count +
                                 " plans and none named [own]: the "
                                 "program keys within the first, " +
                                 named(own) + ". Name yours [own], or delete the others.";
    }
    if (own.title == own.key) {
        own.title = "your own band plan";  // the file gives it no title
    }
    own.key = LicenceSettings::kOwnPlan;
    return own;
}

std::optional<BandPlan> BandPlanStore::find(const std::vector<BandPlan>& shipped,
                                            const std::string& planKey, std::string& report,
                                            std::string& whichPlan) const {
    report.clear();
    whichPlan.clear();
    if (planKey == LicenceSettings::kOwnPlan) {
        return loadOwn(report, whichPlan);
    }
    if (const BandPlan* plan = planWithKey(shipped, planKey)) {
        return *plan;
    }
    if (!shipped.empty()) {
        report = "station.ini names the band plan \"" + planKey +
                 "\", which this version does not know; the program uses the plan of all IARU "
                 "regions until you choose one in Setup, Band plan.";
    }
    return std::nullopt;
}

BandPlan BandPlanStore::anyPlan(const std::vector<BandPlan>& shipped) {
    const BandPlan* any = planWithKey(shipped, LicenceSettings::kAnyPlan);
    return any ? *any : BandPlan{};
}

}  // namespace zm
