// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/chosen_file.h"

namespace zm {

void saveChosenFile(Devices& devices, const std::string& path, const std::string& text,
                    std::string_view what) {
    std::string whyNot;
    if (!devices.textFiles->write(path, text, whyNot)) {
        devices.messages->show(std::string(what) + " could not be saved to " + path + " (" +
                               whyNot +
                               "). Any file of that name is unchanged; choose another folder "
                               "or name.");
    }
}

}  // namespace zm
