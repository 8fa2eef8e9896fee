// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "station/rig_model_list.h"

namespace zm {

// What the installed Hamlib knows, asked of its programs (about 40 ms each):
// the models of `rigctld -l`, empty when rigctld is not installed.
std::vector<RigModel> installedRigModels();
// The serial rates the model accepts, from `rigctl -m MODEL -u`; empty when unknown.
std::vector<int> serialRatesOf(int model);

}  // namespace zm
