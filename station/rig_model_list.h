// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zm {

// One line of `rigctld -l`, Hamlib 4.5.4, in fixed columns (number, maker, model, version,
// status, macro):
//
//    Rig #  Mfg                    Model                   Version         Status      Macro
//     3073  Icom                   IC-7300                 20230109.10     Stable RIG_MODEL_IC7300
//        5  TRXManager             TRXManager 5.7.630+     20210613.0      Stable
//        RIG_MODEL_TRXMANAGER_RIG
//
// Names hold blanks, so the line is cut by column, never by blanks.
struct RigModel {
    int number = 0;
    std::string maker;   // "Icom"
    std::string name;    // "IC-7300"
    std::string status;  // Hamlib's word for the backend: Stable, Beta, Alpha, Untested

    // "Icom IC-7300 (3073)", or "Icom IC-820H (3032, Beta)" for a backend not yet stable:
    // what the dialog lists.
    std::string label() const;
    // A CI-V address applies (the -c option): a radio of Hamlib's Icom backend, whose model
    // numbers are 3001 to 3999. That is every Icom transceiver, and Xiegu's (G90, X6100) and
    // Ten-Tec's Omni VI, which speak CI-V too; not Icom's PCR receivers (4001 on) nor its
    // marine radios (30001 on), which speak protocols of their own.
    bool takesCivAddress() const;
    // Any part of the maker and model, in any letter case: "7300", "ft-9", "kenwood",
    // "icom ic-7".
    bool matches(std::string_view typed) const;
};

// The models of `rigctld -l`'s output, in its order. Lines that are no model (the header, a
// warning) are passed over.
std::vector<RigModel> parseRigModelList(std::string_view text);

// The serial rates of `rigctl -m MODEL -u`'s line "Serial speed: 4800..115200 bauds, 8N1":
// the usual rates from 1200 to 115200 within the range; empty when the line is missing.
std::vector<int> parseSerialRates(std::string_view capabilities);

const RigModel* findRigModel(const std::vector<RigModel>& models, int number);

// The model a typed text names: a label as listed, a model number, or any part of the maker
// and model that only one model has ("7300"). Empty when none or several match.
const RigModel* modelNamedBy(const std::vector<RigModel>& models, std::string_view typed);

}  // namespace zm
