// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>

#include "app/devices.h"

namespace zm {

// Writes a file the user chose in a save dialog; when that fails a message names `what`, the
// file and why, and says that any file of that name is unchanged.
void saveChosenFile(Devices& devices, const std::string& path, const std::string& text,
                    std::string_view what);

}  // namespace zm
