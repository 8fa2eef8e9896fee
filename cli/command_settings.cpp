// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/command_settings.h"

#include <QFileInfo>

#include "cli/band_choice.h"
#include "feedline/cable_list.h"
#include "feedline/feedline_choice.h"
#include "settings/band_plan_store.h"
#include "settings/config_file.h"
#include "settings/config_store.h"
#include "settings/station_store.h"
#include "sweep/carrier_mode.h"

namespace zm {

namespace {

// As a first start, without config.ini: "SWR - 3:1" plotted, keyed in CW.
constexpr int kFirstPlotMode = 2;
constexpr int kFirstCarrierModeIndex = 0;
constexpr int kPlotModes = 5;

// "any, iaru1, iaru2, ..., own"
std::string planKeys(const std::vector<BandPlan>& shipped) {
    std::vector<std::string> keys;
    for (const BandPlan& plan : shipped) {
        keys.push_back(plan.key);
    }
    keys.emplace_back(LicenceSettings::kOwnPlan);
    return commaList(keys);
}

// The plan of --plan, or of station.ini, which falls back on the plan of all IARU regions
// as in the window.
std::variant<BandPlan, UsageError> bandPlanOf(const SweepCommandLine& line,
                                              const BandPlanStore& store,
                                              const std::string& stationPlan,
                                              std::vector<std::string>& warnings) {
    std::string report;
    const std::vector<BandPlan> shipped = store.loadShipped(report);
    if (!report.empty()) {
        warnings.push_back(report);
    }
    const std::string key = line.planKey.value_or(stationPlan);
    std::string whichPlan;
    std::optional<BandPlan> plan = store.find(shipped, key, report, whichPlan);
    if (!whichPlan.empty()) {
        warnings.push_back(whichPlan);
    }
    if (plan) {
        return *std::move(plan);
    }
    if (line.planKey) {
        return UsageError{"--plan " + key + ": " +
                          (key == LicenceSettings::kOwnPlan
                               ? report
                               : "no such band plan; the plans are " + planKeys(shipped))};
    }
    if (!report.empty()) {
        warnings.push_back(report);
    }
    return BandPlanStore::anyPlan(shipped);
}

std::optional<Feedline> feedlineOf(const FeedlineSettings& settings, const QString& programFolder,
                                   std::vector<std::string>& warnings) {
    if (settings.cable.empty()) {
        return std::nullopt;
    }
    std::string listProblem;
    const std::vector<Cable> cables = loadCableList(programFolder.toStdString(), listProblem);
    auto chosen = feedlineFrom(settings, cables);
    if (const auto* why = std::get_if<std::string>(&chosen)) {
        warnings.push_back("The feedline of station.ini is not taken out of the readings: " + *why +
                           (listProblem.empty() ? "" : "; " + listProblem) +
                           "; the readings are the meter's. Set cable and length_m in "
                           "station.ini's [feedline] (zm480-sweep(1) lists the keys)");
        return std::nullopt;
    }
    return std::get<std::optional<Feedline>>(std::move(chosen));
}

}  // namespace

std::variant<CommandSettings, UsageError> readCommandSettings(const SweepCommandLine& line,
                                                              const QString& programFolder,
                                                              std::vector<std::string>& warnings) {
    CommandSettings settings;
    if (line.settingsFolder) {
        settings.folder = QString::fromStdString(*line.settingsFolder);
        if (!QFileInfo(settings.folder).isDir()) {
            return UsageError{"--settings " + *line.settingsFolder +
                              ": no such folder; give the folder that holds config.ini and "
                              "station.ini"};
        }
    } else {
        settings.folder = ConfigStore::forProgram().directory();
    }

    ConfigValues config;
    if (const auto text = ConfigStore(settings.folder).read()) {
        readConfigText(*text, config);
    }
    settings.comPort = comPortOf(config);
    const auto carrierIndex = carrierModeIndexOf(config);
    settings.carrierMode =
        line.carrierMode.value_or(carrierModeFor(carrierIndex.value_or(kFirstCarrierModeIndex), 0));
    if (settings.carrierMode == 0) {  // no mode chosen in the window's list
        settings.carrierMode = carrierModeFor(kFirstCarrierModeIndex, 0);
    }
    const auto plotMode = plotModeIndexOf(config);
    settings.plotMode =
        plotMode && *plotMode >= 0 && *plotMode < kPlotModes ? *plotMode : kFirstPlotMode;

    std::string damage;
    settings.station = StationStore(settings.folder).load(damage);
    if (!damage.empty()) {
        warnings.push_back(damage);
    }
    if (line.planPoints) {
        settings.station.sweep.points = *line.planPoints;
    }
    auto plan = bandPlanOf(
        line, BandPlanStore(BandPlanStore::shippedFileFor(programFolder), settings.folder),
        settings.station.licence.plan, warnings);
    if (auto* error = std::get_if<UsageError>(&plan)) {
        return *error;
    }
    settings.bandPlan = std::get<BandPlan>(std::move(plan));

    settings.feedline = feedlineOf(settings.station.feedline, programFolder, warnings);
    const bool atAntenna =
        line.plane ? *line.plane == Plane::Antenna : settings.station.feedline.showAtAntenna;
    if (atAntenna && line.plane && !settings.feedline) {
        warnings.push_back(
            "--at antenna: station.ini names no feedline to take out, so the "
            "readings are the meter's");
    }
    settings.plane = atAntenna && settings.feedline ? Plane::Antenna : Plane::Meter;
    settings.antennas =
        line.antenna ? AntennaSettings{.inUse = *line.antenna, .sockets = {}} : settings.station.antennas;
    return settings;
}

}  // namespace zm
