// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "bandplan/band_plan.h"

namespace zm {

// The band plans: those shipped with the program (band-plans.ini, found beside it in the
// build and under share/ when installed), and the user's own, bands.ini beside config.ini.
class BandPlanStore {
public:
    BandPlanStore(QString shippedFile, QString configDirectory);

    // band-plans.ini beside the program, or where the package installs it from there
    // (../share/zm480-plot/); the first place when it is in neither.
    static QString shippedFileFor(const QString& programDirectory);

    QString ownFilePath() const;

    // The shipped plans, "any" among them; none, with the reason for the user, when the
    // file is missing or damaged.
    std::vector<BandPlan> loadShipped(std::string& failureReport) const;

    // bands.ini as the plan "own"; none with the reason for the user when there is none or
    // it is damaged, in which case it is kept as bands.ini.bad, so that it is reported once.
    // Of several plans in it, the one named [own] is used, or else the first; whichPlan then
    // says which, for the user, and is empty otherwise.
    std::optional<BandPlan> loadOwn(std::string& failureReport, std::string& whichPlan) const;

    // The plan of a key among the shipped plans, or "own": bands.ini, read at every call so
    // that a bands.ini just written or mended counts (whichPlan as loadOwn gives it). None,
    // with the reason for the user, when bands.ini cannot serve or the key is unknown (no
    // reason then if the shipped plans could not be read, which loadShipped told).
    std::optional<BandPlan> find(const std::vector<BandPlan>& shipped, const std::string& planKey,
                                 std::string& report, std::string& whichPlan) const;

    // The plan of all IARU regions, which stands in for a plan that could not be had; a plan
    // without bands, which keys nothing, when the shipped plans could not be read either.
    static BandPlan anyPlan(const std::vector<BandPlan>& shipped);

private:
    QString m_shippedFile;
    QString m_configDirectory;
};

}  // namespace zm
